#pragma once
// The page geometry of each layout: page size, main calendar rectangle, the mini calendars with
// their months, and what the page draws. All in unscaled screen pixels (one inch = PPI pixels);
// painting applies the zoom.

#include "calendar/CalendarSettings.h"
#include "calendar/CalendarTypes.h"
#include "platform/Rect.h"

#include <QList>

struct TMiniCalendar {
    TRect Rect;
    int Month = 1;
    int Year = 1997;
};

struct TPageGeometry {
    TCalendarOrientation Orientation = coPortrait;
    int Width = 0;
    int Height = 0;
    TRect Main;
    QList<TMiniCalendar> Minis; // the mini count is Minis.size()
    bool ShowsMonthGrid = true;
    bool ShowsMinis = false;
    bool IsPlanner = false;
    int MiniFontPreset = 0; // title size in points for the layout's minis; 0: no preset
};

// Lays out the page of `settings` (layout, paper, margins, month) at `ppi` pixels an inch.
// Layouts without a main calendar (the multi-month pages) keep previous.Main; layouts without
// minis keep previous.Minis, unused.
TPageGeometry ComputePageGeometry(const TCalendarSettings& settings, int ppi, const TPageGeometry& previous);

// Places minis first..last of `minis` into a rows x cols grid inside `area`; the last row and
// column are aligned to the area's far edges.
void PlaceMiniGrid(QList<TMiniCalendar>& minis, int rows, int cols, int first, int last, const TRect& area);

TLayoutFamily LayoutFamilyOf(TCalendarLayout layout);

// Full and multi-month layouts come in pairs, the second of each printed landscape.
TCalendarOrientation OrientationOfLayout(TCalendarLayout layout);
