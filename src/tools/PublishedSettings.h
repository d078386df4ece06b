#pragma once
// A page's settings under their property names, as one published list: the appearance block
// that calendar files and style sheets share and, for calendar files, the start of the week.
// mvtool shows and sets a settings value through it, with the limits the file reader applies.
// A line layout comes before the borders its preset would otherwise overwrite. The month and day
// names are lists, which a property list does not hold; mvtool handles them itself.

#include "stream/Persistent.h"
#include "tools/FontGroup.h"

#include <array>

struct TCalendarSettings;

class TPublishedSettings : public TPersistent {
public:
    TPublishedSettings(TCalendarSettings& settings, bool withStartOfWeek);

    QString ClassName() const override { return "TCalendarSettings"; }
    void PublishProperties(TPropertyList& list) override;

private:
    void AddMargin(TPropertyList& list, const QString& name, double TCalendarSettings::*margin);

    TCalendarSettings& m_Settings;
    bool m_WithStartOfWeek;
    // Title, headers, cells, mini title, mini headers, mini cells.
    std::array<TFontGroup, 6> m_Fonts;
};
