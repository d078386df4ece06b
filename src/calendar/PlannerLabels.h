#pragma once
// The texts of the planner pages: titles and the two labels of every row. The screen and the
// printer draw the same texts.

#include "calendar/CalendarDrawRecord.h"

struct TPlannerLabels {
    QString Title;
    QStringList Upper; // day names or times
    QStringList Lower; // dates, or empty
};

// loWeek / lo2Week: one row per day from the record's date, then "Notes".
TPlannerLabels WeekPlannerLabels(const TCalendarDrawRecord& record, const QString& titleOverride);

// loDay10 / loDay15: one row per hour from the record's start time, then "Notes".
TPlannerLabels DayPlannerLabels(const TCalendarDrawRecord& record, const QString& titleOverride);

// "h:mm AM" for a time of day given as a fraction of a day, with the locale's AM and PM texts.
QString PlannerTimeLabel(double time);

// The record's date made valid: day clamped into the month (a page may hold day 0).
int ValidDay(int day, int month, int year);
