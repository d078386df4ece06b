#pragma once
// The calendar page's settings under their property names, as one published list: the
// appearance block that calendar files and style sheets share and, for calendar files, the
// start of the week. mvtool shows and sets the page through it. The order is the order in which
// the settings can be applied through the page's setters: the layout before the orientation it
// decides, each line layout before the borders its preset would otherwise overwrite. Values the
// page cannot draw (a margin wider than the paper, a font without a name) are refused.
//
// The month and day names are lists, which a property list does not hold; they are the page's
// GetMonthName/SetMonthName and GetDayName/SetDayName.

#include "stream/Persistent.h"
#include "tools/FontGroup.h"

#include <array>

class TCalendarPanel32;

class TCalendarSettings : public TPersistent {
public:
    TCalendarSettings(TCalendarPanel32& page, bool withStartOfWeek);

    QString ClassName() const override { return "TCalendarSettings"; }
    void PublishProperties(TPropertyList& list) override;

private:
    void AddMargin(TPropertyList& list, const QString& name, double (TCalendarPanel32::*get)() const,
                   void (TCalendarPanel32::*set)(double));

    TCalendarPanel32& m_Page;
    bool m_WithStartOfWeek;
    // Title, headers, cells, mini title, mini headers, mini cells.
    std::array<TFontGroup, 6> m_Fonts;
};
