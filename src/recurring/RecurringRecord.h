#pragma once
// A recurring date record: one line of text, the event text in columns 1 to 120 (padded with
// blanks), the formula in columns 121 to 130 whose first character is its kind. This file holds
// the column layout and the formula kinds' encodings, reading and writing them; the lists of the
// recurring-date dialogs, the file and the fill command all go through it.
//
// Columns count characters of the record as a QString. A character outside the Basic
// Multilingual Plane takes two of them; PadField never cuts such a pair in two.

#include <QChar>
#include <QString>

#include <optional>

inline constexpr int EventTextWidth = 120;
inline constexpr int FormulaWidth = 10;
// The `#` tags may run one column past the formula.
inline constexpr int TagWidth = 11;

// The formula kinds, the character in column 121.
inline constexpr QChar DayOfMonthKind = u'@';
inline constexpr QChar SpecialKind = u'$';
inline constexpr QChar WeekdaysKind = u'%';
inline constexpr QChar FeastKind = u'#';

// The three `#` tags of the first catalogue.
inline const QString EasterTag = "#EASTER";
inline const QString GoodFridayTag = "#GOODFRIDAY";
inline const QString PalmSundayTag = "#PALMSUNDAY";
// The tag of Orthodox Easter. Either Easter tag may carry an offset in days, "+N" or "-N" with
// N 1 to 99: "#EASTER+39" is Ascension, "#OEASTER-48" Clean Monday.
inline const QString OrthodoxEasterTag = "#OEASTER";
inline constexpr int MaxEasterOffset = 99;

// `text` left-aligned in exactly `width` characters: padded with blanks, cut when longer.
QString PadField(const QString& text, int width);

// A record as the dialogs make it: the event text in 120 columns, the formula in 10. A `#` tag
// follows the event text unpadded and may run to 11 columns.
QString MakeRecord(const QString& eventText, const QString& formula);

// Column 121, or nothing when the record is shorter.
std::optional<QChar> RecordKind(const QString& record);
// Columns 1 to 120 as they stand.
QString RecordEventText(const QString& record);
// Columns 121 to 130 as they stand.
QString RecordFormula(const QString& record);
// Columns 121 to 131 trimmed and upper-cased: the tag of a `#` record.
QString RecordTag(const QString& record);

// "@" + month + day, two digits each; month 0 is every month.
QString MakeDayOfMonthFormula(int day, int month);
// "$" + O + W + M, each left-aligned in two characters; empty when a value is out of range
// (O 0..5, W 0..7, M 0..12).
QString MakeSpecialFormula(int occurrence, int weekday, int month);

struct TDayOfMonth {
    int Day = 0;   // 1..31
    int Month = 0; // 1..12, 0 = every month
};
// The day and month of an `@` formula; nothing when a piece is not a number or out of range.
std::optional<TDayOfMonth> ParseDayOfMonth(const QString& formula);

struct TSpecial {
    int Occurrence = 0; // 0..4 = 1st..5th, 5 = last
    int Weekday = 0;    // 0 = Sunday .. 6 = Saturday, 7 = any day
    int Month = 0;      // 1..12, 0 = every month
};
// The pieces of a `$` formula; nothing when a piece is not a number or out of range.
std::optional<TSpecial> ParseSpecial(const QString& formula);

// A day counted from Easter Sunday: Western (Gregorian computus) or Orthodox (Julian computus).
struct TEasterOffset {
    bool Orthodox = false;
    int Days = 0; // -99..99

    bool operator==(const TEasterOffset&) const = default;
};
// The day a `#` tag names: the Easter tags with or without an offset, Good Friday (Easter - 2)
// and Palm Sunday (Easter - 7); nothing for any other tag.
std::optional<TEasterOffset> ParseEasterTag(const QString& tag);
// The tag of an Easter-based day: "#EASTER", "#EASTER+39", "#OEASTER-48"; empty when the offset
// is beyond 99 days.
QString MakeEasterFormula(const TEasterOffset& offset);
// Whether `tag` is one of the three tags of the first catalogue, which keep their own texts and
// cannot be edited.
bool IsFirstCatalogueTag(const QString& tag);

// Whether weekday `day` (1 = Sunday .. 7 = Saturday) is listed in a `%` formula.
bool WeekdayListed(const QString& formula, int day);

// n followed by its English suffix: 1st, 2nd, 3rd, 4th, 11th, 21st.
QString Ordinal(int n);
