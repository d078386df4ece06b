#include "calendar/CalendarDates.h"

#include "calendar/CalendarTypes.h"

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

int DayOfWeek(int day, int month, int year)
{
    // Zeller-style count from March, so that February's leap day ends the year.
    static constexpr int Offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    const int weekday = (year + year / 4 - year / 100 + year / 400 + Offsets[month - 1] + day) % 7; // 0 = Sunday
    return (weekday + 7) % 7 + 1;
}

void AddMonths(int& month, int& year, int count)
{
    for (; count > 0; --count) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    for (; count < 0; ++count) {
        if (--month < 1) {
            month = 12;
            --year;
        }
    }
}

int FirstDayPosition(int month, int year, int startOfWeek)
{
    const int weekday = DayOfWeek(1, month, year);
    if (startOfWeek == 1)
        return weekday;
    return weekday == 1 ? 7 : weekday - 1;
}

int DayOfGridCell(int cell, int month, int year, int startOfWeek)
{
    const int day = cell + 1 - FirstDayPosition(month, year, startOfWeek);
    return day >= 1 && day <= DaysInMonth(month, year) ? day : 0;
}

int DayNameIndexOfColumn(int column, int startOfWeek)
{
    if (startOfWeek == 1)
        return column + 1;
    return column == 6 ? 1 : column + 2;
}

QString HeaderText(const QString& dayName, int headersStyle)
{
    switch (headersStyle) {
    case dsFirstChar: return dayName.left(1);
    case dsThreeChars: return dayName.left(3);
    default: return dayName;
    }
}
