#include "recurring/RecurringFill.h"

#include <QCalendar>

namespace {

int DaysInMonth(int month, int year)
{
    return QDate(year, month, 1).daysInMonth();
}

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(int day, int month, int year)
{
    return QDate(year, month, day).dayOfWeek() % 7 + 1;
}

// The day the feast of a `#` tag falls on in the month, 0 when none; nothing for tags that name
// no day.
std::optional<int> FeastDay(const QString& tag, int year, int month)
{
    const std::optional<TEasterOffset> offset = ParseEasterTag(tag);
    if (!offset)
        return std::nullopt;
    return EasterBasedDay(*offset, year, month);
}

bool InMonth(int recordMonth, int month)
{
    return recordMonth == month || recordMonth == 0;
}

// The day of the `$` rule in the month; 0 when the month has no such day (a fifth Monday).
int SpecialDay(const TSpecial& special, int year, int month)
{
    const int days = DaysInMonth(month, year);
    if (special.Weekday == 7)
        return special.Occurrence == 5 ? days : special.Occurrence + 1;
    const int weekday = special.Weekday + 1;
    if (special.Occurrence == 5) {
        for (int day = days; day >= 1; --day) {
            if (DayOfWeek(day, month, year) == weekday)
                return day;
        }
        return 0;
    }
    int count = 0;
    for (int day = 1; day <= days; ++day) {
        if (DayOfWeek(day, month, year) == weekday && ++count == special.Occurrence + 1)
            return day;
    }
    return 0;
}

} // namespace

QDate EasterDate(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return QDate(year, n / 31, n % 31 + 1);
}

QDate OrthodoxEasterDate(int year)
{
    // Meeus's Julian algorithm: the Paschal full moon of the 19-year cycle, then the Sunday
    // after it, as a date of the Julian calendar.
    const int a = year % 4;
    const int b = year % 7;
    const int c = year % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int n = d + e + 114;
    return QCalendar(QCalendar::System::Julian).dateFromParts(year, n / 31, n % 31 + 1);
}

int EasterBasedDay(const TEasterOffset& offset, int year, int month)
{
    for (const int easterYear : {year - 1, year, year + 1}) {
        if (easterYear < 1 || easterYear > 9999)
            continue;
        const QDate easter = offset.Orthodox ? OrthodoxEasterDate(easterYear) : EasterDate(easterYear);
        const QDate date = easter.addDays(offset.Days);
        if (date.year() == year && date.month() == month)
            return date.day();
    }
    return 0;
}

bool OfferedInMonth(const QString& record, int year, int month)
{
    const std::optional<QChar> kind = RecordKind(record);
    if (kind == DayOfMonthKind) {
        const std::optional<TDayOfMonth> date = ParseDayOfMonth(RecordFormula(record));
        return date && InMonth(date->Month, month);
    }
    if (kind == SpecialKind) {
        const std::optional<TSpecial> special = ParseSpecial(RecordFormula(record));
        return special && InMonth(special->Month, month);
    }
    if (kind == FeastKind) {
        const std::optional<int> day = FeastDay(RecordTag(record), year, month);
        return !day || *day > 0;
    }
    return true;
}

TRecurringFill FillOfRecord(const QString& record, int year, int month)
{
    const std::optional<QChar> kind = RecordKind(record);
    const QString formula = RecordFormula(record);
    TRecurringFill fill;
    if (kind == FeastKind) {
        // The first catalogue's feasts keep the blanks that pad their text, as does the weekday
        // list; the other Easter-based days write it trimmed, as the dates do.
        const QString tag = RecordTag(record);
        fill.Text = IsFirstCatalogueTag(tag) ? RecordEventText(record) : RecordEventText(record).trimmed();
        const std::optional<int> day = FeastDay(tag, year, month);
        if (day && *day > 0)
            fill.Days = {*day};
    } else if (kind == SpecialKind) {
        fill.Text = RecordEventText(record).trimmed();
        const std::optional<TSpecial> special = ParseSpecial(formula);
        if (special && InMonth(special->Month, month)) {
            if (const int day = SpecialDay(*special, year, month); day > 0)
                fill.Days = {day};
        }
    } else if (kind == WeekdaysKind) {
        fill.Text = RecordEventText(record);
        for (int day = 1; day <= DaysInMonth(month, year); ++day) {
            if (WeekdayListed(formula, DayOfWeek(day, month, year)))
                fill.Days += day;
        }
    } else if (kind == DayOfMonthKind) {
        fill.Text = RecordEventText(record).trimmed();
        const std::optional<TDayOfMonth> date = ParseDayOfMonth(formula);
        // A day the month does not have (the 31st of April) is written nowhere.
        if (date && InMonth(date->Month, month) && date->Day <= DaysInMonth(month, year))
            fill.Days = {date->Day};
    }
    return fill;
}
