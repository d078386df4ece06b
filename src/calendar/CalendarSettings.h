#pragma once
// Every setting of a calendar page in one value: paper, margins, layout, borders, colours, the six
// fonts, month and day names, the date shown, the week start, the planner start time and the
// user title. Defaults, copying, comparing, the new-calendar reset and the settings' part of
// calendar files and style sheets are written here once. Reading checks each value as it is read
// and refuses what the page cannot draw with the stream's "Invalid property value"; the limits
// are shared with mvtool, which sets the same values from JSON.

#include "calendar/CalendarTypes.h"
#include "stream/Font.h"

#include <QDate>
#include <QStringList>
#include <array>

class TReader;
class TWriter;

// A page font inside the settings: copying takes the attributes and keeps the target's change
// handler, so that a page watching its fonts goes on watching them after an assignment.
class TPageFont : public TFont {
public:
    TPageFont(const QString& name, int size, bool bold, TColor color);
    TPageFont(const TPageFont& other);
    TPageFont& operator=(const TPageFont& other);
};

// What a file or mvtool may set; beyond these the page cannot be drawn.
namespace CalendarLimits {
// Wider margins leave no room for the calendar on any paper (the narrowest side is 8.27").
inline constexpr double MaxMarginInch = 4.0;
inline constexpr int MinFontSize = 1; // points
inline constexpr int MaxFontSize = 1000;
inline constexpr int MinYear = 1;
inline constexpr int MaxYear = 9999;
} // namespace CalendarLimits

struct TCalendarSettings {
    TCalendarSettings();

    bool UseA4Paper = false;
    // Follows from the layout whenever the page lays itself out; kept as files hold it.
    TCalendarOrientation Orientation = coPortrait;
    double LeftMargin = 0.25; // inches
    double TopMargin = 0.25;
    double RightMargin = 0.25;
    double BottomMargin = 0.25;
    TCalendarLayout CalendarLayout = loFullCalendar;
    TCalBorderStyle CalendarBorder = cbAll;
    TCalendarLineLayout CalendarLineLayout = llFull;
    QStringList MonthNames; // 12
    QStringList DayNames;   // 7, Sunday first
    TColor TitleBGColor = clWhite;
    TPageFont TitleFont{"Times New Roman", 26, true, clBlack};
    bool TitleShowYear = true;
    TPageFont HeadersFont{"Times New Roman", 16, true, clBlack};
    TCalBorderStyle HeadersBorder = cbAll;
    TCalHeadersStyle HeadersStyle = dsThreeChars;
    TColor HeadersBGColor = clWhite;
    TPageFont CellFont{"Times New Roman", 16, true, clBlack};
    TCalBorderStyle CellBorder = cbAll;
    TMiniCalendarLineLayout MiniCalendarLineLayout = mllFull;
    TCalBorderStyle MiniCalBorder = cbAll;
    TColor MiniCalBGColor = clWhite;
    bool MiniShowYear = true;
    TPageFont MiniTitleFont{"Times New Roman", 6, true, clBlack};
    TPageFont MiniHeadersFont{"Times New Roman", 8, false, clWhite};
    TColor MiniHeadersBGColor = clWhite;
    TCalHeadersStyle MiniHeadersStyle = dsFirstChar;
    TCalBorderStyle MiniHeadersBorder = cbBottom;
    TCalBorderStyle MiniCellBorder = cbNone;
    TPageFont MiniCellFont{"Times New Roman", 6, false, clBlack};
    TCalendarNumberPosition NumberPosition = cnpUpperRight;

    int MainCalDay = 0; // 0: no particular day
    int MainCalMonth = 1;
    int MainCalYear = 1997;
    int StartOfWeek = 1;         // 1 Sunday, 2 Monday
    double StartTime = 8.0 / 24; // first planner hour, as a fraction of a day
    QString UserTitle;

    bool operator==(const TCalendarSettings& other) const = default;

    // A line layout brings its preset of borders when it changes.
    void SetCalendarLineLayout(TCalendarLineLayout value);
    void SetMiniCalendarLineLayout(TMiniCalendarLineLayout value);

    // The six fonts, title to mini cells.
    std::array<TPageFont*, 6> Fonts();
    std::array<const TPageFont*, 6> Fonts() const;

    // Copies another page's settings as the properties dialog hands them back: the number
    // position, the orientation and the individual borders stay; a line layout that changes
    // brings its preset.
    void AssignPageSettings(const TCalendarSettings& other);
    // Whether the settings the properties dialog changes agree; font sizes are not compared,
    // as the layouts' presets change them.
    bool SamePageSettings(const TCalendarSettings& other) const;
    // Takes the settings that pages do not hand each other: the orientation (it follows the
    // layout), the number position and the individual borders (a line layout's preset sets them).
    void TakeUnshared(const TCalendarSettings& from);
    // A new calendar on `today`: the fonts and the number position keep their values.
    void ResetForNewCalendar(const QDate& today);
    void SetLocaleNames();

    // The block calendar files and style sheets share, from the paper to the number position.
    void WriteAppearance(TWriter& writer) const;
    void ReadAppearance(TReader& reader);
    // The part only calendar files hold: day, month, year, week start, start hour and minute.
    void WriteDateAndTime(TWriter& writer) const;
    void ReadDateAndTime(TReader& reader);

    // The day is 0 or a day of the month; month and year lie in the calendar's range.
    static bool IsValidDate(int day, int month, int year);
    static bool IsValidMargin(double inches);
    static bool IsValidStartOfWeek(int value) { return value == 1 || value == 2; }
};
