#pragma once
// The drawing of a floating mini calendar, apart from the page object: the object copies its
// state into one flat record (month, fonts already scaled by the zoom, names of its language)
// and hands it with a canvas to DrawFlatCalendar, which knows nothing of the object. The same
// routine draws on the screen, into the print picture and into the editor's sample.
//
// Rectangles are (left, top, right, bottom) with right and bottom outside; texts are centred on
// one line and clipped to their cell; every line is one device pixel of black.

#include "platform/Color.h"
#include "platform/Rect.h"
#include "stream/Font.h"

#include <QStringList>
#include <optional>

class QPainter;

enum TFlatCalBorderStyle { fcbNone, fcbAll, fcbTop, fcbBottom, fcbTopBottom };
enum TFlatCalHeadersStyle { fdsFirstChar, fdsThreeChars, fdsWhole };
enum TFlatShadowPosition { fcpLowerRight, fcpLowerLeft, fcpUpperRight, fcpUpperLeft };
enum TFlatCalLanguage { fclEnglish, fclGerman, fclFrench, fclItalian, fclSpanish };

// A font as the drawing selects it: the size in points, already zoomed and truncated.
struct TFlatCalDrawFont {
    QString Name;
    int Size = 0;
    TFontStyles Style = 0;
    TColor Color = clBlack;
};

struct TFlatCalendarDrawRecord {
    TColor BackgroundColor = clWhite;
    TColor TitleBGColor = clWhite;
    int Month = 1;
    int Year = 2000;
    TRect CalendarRect;
    int StartOfWeek = 1; // 1: Sunday first, 2: Monday first
    TFlatCalBorderStyle CalendarBorder = fcbAll;
    TFlatCalDrawFont TitleFont;
    bool ShowYear = false;
    TFlatCalDrawFont DayNameFont;
    TFlatCalBorderStyle DayNameBorder = fcbAll;
    TFlatCalHeadersStyle DayNameStyle = fdsFirstChar;
    TColor DayNameBGColor = clWhite;
    TFlatCalDrawFont CellFont;
    TFlatCalBorderStyle CellBorder = fcbNone;
    QStringList MonthNames; // 12, January first
    QStringList DayNames;   // 7, Sunday first
    bool Transparent = false;
};

// Where the bands of a calendar fall for a record: the bottom of the title band and of the
// header band, the column width and the row height of the body.
struct TFlatCalendarBands {
    int TitleBottom = 0;
    int HeaderBottom = 0;
    int ColumnWidth = 0;
    int RowHeight = 0;
};

// The twelve month names (January first) and seven day names (Sunday first) of a language.
QStringList FlatCalendarMonthNames(TFlatCalLanguage language);
QStringList FlatCalendarDayNames(TFlatCalLanguage language);

// The column (1..7) of the month's first day; none when month or year lie outside 1..12 and
// 1..9999, for which no date exists.
std::optional<int> FlatCalendarFirstColumn(int month, int year, int startOfWeek);
int FlatCalendarDaysInMonth(int month, int year);
// The day shown in row 0..5 and column 0..6, or 0 for an empty cell.
int FlatCalendarDayAt(int row, int column, int firstColumn, int daysInMonth);
// The header of column 0..6: its day name cut as the style says.
QString FlatCalendarHeader(const TFlatCalendarDrawRecord& record, int column);

// The bands of the record's calendar rectangle, measured with its fonts.
TFlatCalendarBands FlatCalendarBands(const TFlatCalendarDrawRecord& record);

// Draws the calendar into the record's rectangle; a month or year without a date draws nothing.
void DrawFlatCalendar(QPainter& canvas, const TFlatCalendarDrawRecord& record);
