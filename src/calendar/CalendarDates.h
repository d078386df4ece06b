#pragma once
// Date arithmetic of the calendar page: weekdays, month lengths, month steps and where day 1 of
// a month falls in the 6 x 7 grid.

#include <QString>

bool IsLeapYear(int year);
int DaysInMonth(int month, int year);
// 1 = Sunday .. 7 = Saturday, proleptic Gregorian.
int DayOfWeek(int day, int month, int year);

// Steps `count` months forward (or back when negative), crossing years.
void AddMonths(int& month, int& year, int count);

// The grid column (1..7) of the 1st of the month: Sunday start when startOfWeek is 1, Monday
// start for every other value.
int FirstDayPosition(int month, int year, int startOfWeek);

// The day shown in cell 1..42 of the month grid; 0 when the cell shows none.
int DayOfGridCell(int cell, int month, int year, int startOfWeek);

// Index 1..7 (Sunday first) of the day name heading column 0..6.
int DayNameIndexOfColumn(int column, int startOfWeek);

// A day name as the headers style shows it: first character, first three, or whole.
QString HeaderText(const QString& dayName, int headersStyle);
