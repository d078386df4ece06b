#pragma once
// A page zoom counted in whole percent: the unit the zoom buttons step in and the preferences
// store, so that repeated steps land exactly on the tenths. Factor() is what an object host
// scales by. The main window's page and the properties dialog's preview step within ranges of
// their own.

struct TZoomRange {
    int MinPercent;
    int MaxPercent;
};

class TZoom {
public:
    static constexpr int StepPercent = 10;
    static constexpr TZoomRange PageRange{60, 100};
    static constexpr TZoomRange PreviewRange{20, 100};

    constexpr explicit TZoom(int percent = 100)
        : m_Percent(percent)
    {
    }
    // The nearest whole percent of a host's factor, so that 0.7f (just below 0.7) counts as 70.
    static TZoom OfFactor(float factor);
    // A percent as the preferences store it: the tenth at or below, from 20 to 100.
    static TZoom Stored(int percent);

    int Percent() const { return m_Percent; }
    float Factor() const { return float(m_Percent) / 100; }
    // The zoom as the preferences store it (see Stored).
    int StoredPercent() const { return Stored(m_Percent).Percent(); }

    // One step closer or farther within `range`; the same zoom at the range's end.
    TZoom In(TZoomRange range) const;
    TZoom Out(TZoomRange range) const;

    bool operator==(const TZoom&) const = default;

private:
    int m_Percent;
};
