#pragma once
// What the drawing routines need to draw one calendar (the main month, a planner or a mini
// month), filled by the page before each call; the routines write the cell geometry back.

#include "calendar/CalendarTypes.h"
#include "platform/Color.h"
#include "platform/Rect.h"
#include "stream/Font.h"

#include <QStringList>
#include <array>

// A font as drawn: the size in points is already zoomed (screen) or as set (printer).
struct TDrawFont {
    QString Name = "Times New Roman";
    int Size = 12;
    TFontStyles Style = 0;
    TColor Color = clBlack;
};

struct TCellRecord {
    TRect Whole; // the clickable area
    int Day = 0; // 0: the square shows no day
    TRect Free;  // where the cell's text goes; empty when there is no room

    // A month-grid cell: numbers at the upper right leave the square below a band of
    // `numberBand` for text; centred numbers leave no room at all.
    static TCellRecord MonthCell(const TRect& square, int day, bool upperRight, int numberBand)
    {
        TRect free = square;
        free.Top += numberBand;
        return {square, day, upperRight ? free : TRect()};
    }
};

struct TCalendarDrawRecord {
    TColor BackgroundColor = clWhite;
    TColor TitleBGColor = clWhite;
    int MinTitleHeight = 0;
    int Month = 1;
    int Year = 1997;
    int Day = 1;
    TRect CalendarRect;
    TCalendarNumberPosition NumberPosition = cnpUpperRight;
    int StartOfWeek = 1;
    TCalBorderStyle CalendarBorder = cbAll;
    TDrawFont TitleFont;
    bool TitleShowYear = true;
    TDrawFont HeadersFont;
    TCalBorderStyle HeadersBorder = cbAll;
    TCalHeadersStyle HeadersStyle = dsThreeChars;
    TColor HeadersBGColor = clWhite;
    TDrawFont CellFont;
    TCalBorderStyle CellBorder = cbAll;
    QStringList MonthNames; // 12, January first
    QStringList DayNames;   // 7, Sunday first

    // Written by the drawing routines.
    std::array<TCellRecord, CellCount> Cells;
    TRect TitleRect;
    TRect DaysHeaderRect;

    int PlannerDays = 7;         // week planners: 7 or 14
    int PlannerRows = 10;        // day planners: 10 or 15
    double StartTime = 8.0 / 24; // time of the first hour row, as a fraction of a day

    QString MonthName(int month) const { return MonthNames.value(month - 1); }
    QString DayName(int index) const { return DayNames.value(index - 1); }
    void ClearCells() { Cells.fill(TCellRecord()); }
};
