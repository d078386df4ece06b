#pragma once
// Draws a calendar on a screen-like canvas (the page image, an exported bitmap): the month grid
// with title, day-name headers, numbered cells and borders (also every mini month), and the
// planner pages. Coordinates are device pixels; fonts are sized at the screen's PPI. The
// routines write the cell geometry, title and header rectangles into the record.

#include "calendar/CalendarDrawRecord.h"

class QPainter;

// Windows DrawText flags the page's texts use.
enum TDrawTextFlag : unsigned {
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_SINGLELINE = 0x20,
    DT_NOPREFIX = 0x800,
};

void DrawBorder(QPainter& canvas, const TRect& rect, TCalBorderStyle style);
void DrawMonth(QPainter& canvas, TCalendarDrawRecord& record, const QString& titleOverride);
void DrawWeekPlanner(QPainter& canvas, TCalendarDrawRecord& record, const QString& titleOverride);
void DrawDayPlanner(QPainter& canvas, TCalendarDrawRecord& record, const QString& titleOverride);
void DrawPlannerRows(QPainter& canvas, TCalendarDrawRecord& record, int rowCount, const QStringList& upper,
                     const QStringList& lower, const QString& title);

// The month title: the override, else month name with or without the year.
QString MonthTitle(const TCalendarDrawRecord& record, const QString& titleOverride);

// The day number a planner row carries: the integer of its date label's first two characters.
int PlannerRowDay(const QString& lowerLabel);

// A font of the record as drawn on the screen.
QFont ScreenFont(const TDrawFont& font);
