#pragma once
// The floating mini calendar: a page object showing one month as a small flat calendar (title
// band, day-name header, six rows of day numbers) with an optional drop shadow, drawn
// transparently or filled, in one of five languages. The page's floating-calendar tool creates
// it; its "Properties" menu item opens the editor (TFlatCalendarEditor) on a copy and takes the
// copy's settings back on Ok. Drawing is FlatCalendarDrawing's; this class builds the record.

#include "effects/FlatCalendarDrawing.h"
#include "objects/GGraphicControl.h"
#include "stream/Font.h"

class QMenu;

class TGFlatCalendar : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGFlatCalendar(TComponent* owner);

    QString ClassName() const override { return "TGFlatCalendar"; }

    // The deepest shadow the setter takes, in pixels at zoom 1.
    static constexpr int MaxShadowDepth = 10;
    void PublishProperties(TPropertyList& list) override;
    // Draws the calendar at zoom 1.0 into a picture stretched onto its rectangle at zoom 1.0.
    void PrintTo(TReportPrinter& report, double x, double y) override;

    // The editor on a copy of this calendar; on Ok the copy's settings (not its size) come back
    // and the page is marked modified.
    void Properties();
    // Every streamed setting of `source` but the size, through the setters.
    void AssignAppearance(const TGFlatCalendar& source);

    // The drawing record for a calendar of `size` pixels at `zoom`: the calendar rectangle
    // leaves room for the shadow, the fonts are scaled and truncated.
    TFlatCalendarDrawRecord DrawRecord(QSize size, float zoom) const;
    // The shadow rectangle (inclusive corners) for `size` at `zoom`; empty without a shadow.
    QRect ShadowRect(QSize size, float zoom) const;
    // Shadow and calendar for `size` at `zoom` onto `canvas`.
    void Draw(QPainter& canvas, QSize size, float zoom) const;

    int StartOfWeek() const { return m_StartOfWeek; }
    // 1 (Sunday) or 2 (Monday); other values are ignored.
    void SetStartOfWeek(int value);
    int Month() const { return m_Month; }
    void SetMonth(int value);
    int Year() const { return m_Year; }
    void SetYear(int value);
    TFont& TitleFont() { return m_TitleFont; }
    const TFont& TitleFont() const { return m_TitleFont; }
    // Copies the attributes of `font`; null is ignored.
    void SetTitleFont(const TFont* font);
    TFont& DayNameFont() { return m_DayNameFont; }
    const TFont& DayNameFont() const { return m_DayNameFont; }
    void SetDayNameFont(const TFont* font);
    TFont& CellFont() { return m_CellFont; }
    const TFont& CellFont() const { return m_CellFont; }
    void SetCellFont(const TFont* font);
    bool ShowYear() const { return m_ShowYear; }
    void SetShowYear(bool value);
    TColor DayNameBGColor() const { return m_DayNameBGColor; }
    void SetDayNameBGColor(TColor value);
    TFlatCalBorderStyle CalendarBorderStyle() const { return m_CalendarBorderStyle; }
    void SetCalendarBorderStyle(TFlatCalBorderStyle value);
    TFlatCalBorderStyle DayNameBorderStyle() const { return m_DayNameBorderStyle; }
    void SetDayNameBorderStyle(TFlatCalBorderStyle value);
    TFlatCalBorderStyle CellBorderStyle() const { return m_CellBorderStyle; }
    void SetCellBorderStyle(TFlatCalBorderStyle value);
    TFlatCalHeadersStyle DayNameStyle() const { return m_DayNameStyle; }
    void SetDayNameStyle(TFlatCalHeadersStyle value);
    TColor TitleBGcolor() const { return m_TitleBGcolor; }
    void SetTitleBGcolor(TColor value);
    TColor Backgroundcolor() const { return m_Backgroundcolor; }
    void SetBackgroundcolor(TColor value);
    TColor ShadowColor() const { return m_ShadowColor; }
    void SetShadowColor(TColor value);
    int ShadowDepth() const { return m_ShadowDepth; }
    // Values above MaxShadowDepth are ignored; 0 or less means no shadow.
    void SetShadowDepth(int value);
    TFlatShadowPosition ShadowPosition() const { return m_ShadowPosition; }
    void SetShadowPosition(TFlatShadowPosition value);
    TFlatCalLanguage Language() const { return m_Language; }
    void SetLanguage(TFlatCalLanguage value);
    bool CalTransparent() const { return m_CalTransparent; }
    void SetCalTransparent(bool value);

protected:
    // The object menu, then a separator and "Properties".
    void FillObjectMenu(QMenu& menu) override;
    void Paint(QPainter& painter) override;

private:
    void FontChanged();

    int m_StartOfWeek = 1;
    int m_Month = 1;
    int m_Year = 2000;
    TFont m_TitleFont;
    TFont m_DayNameFont;
    TFont m_CellFont;
    bool m_ShowYear = false;
    TColor m_DayNameBGColor = clWhite;
    TFlatCalBorderStyle m_CalendarBorderStyle = fcbAll;
    TFlatCalBorderStyle m_DayNameBorderStyle = fcbAll;
    TFlatCalBorderStyle m_CellBorderStyle = fcbNone;
    TFlatCalHeadersStyle m_DayNameStyle = fdsFirstChar;
    TColor m_TitleBGcolor = clWhite;
    TColor m_Backgroundcolor = clWhite;
    TColor m_ShadowColor = clBlack;
    int m_ShadowDepth = 0;
    TFlatShadowPosition m_ShadowPosition = fcpLowerRight;
    TFlatCalLanguage m_Language = fclEnglish;
    bool m_CalTransparent = false;
};
