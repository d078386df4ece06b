#pragma once
// Which days of a month a recurring date record falls on, and the text it writes there: the
// arithmetic of the "Fill Calendar with Recurring Dates" command, Easter and the feasts that
// hang on it included.

#include "recurring/RecurringRecord.h"

#include <QDate>
#include <QList>
#include <QString>

// Easter Sunday of `year` (1..9999) by the Gregorian computus.
QDate EasterDate(int year);
// Easter Sunday of the Orthodox churches in `year` (1..9999): the Julian computus, given as a
// Gregorian date.
QDate OrthodoxEasterDate(int year);
// The day of month of an Easter-based day when it falls in `month` of `year`, else 0. Offsets
// far from Easter reach into the neighbouring years: Easter - 99 days of one year falls in
// December of the year before.
int EasterBasedDay(const TEasterOffset& offset, int year, int month);

// Whether the command offers `record` for `month` of `year`: records that can fall in it, and
// those too short to have a formula (they write nothing). `@` and `$` records whose formula
// cannot be read are not offered.
bool OfferedInMonth(const QString& record, int year, int month);

// What a record writes: its text and the days of the month, in order.
struct TRecurringFill {
    QString Text;
    QList<int> Days;
};
TRecurringFill FillOfRecord(const QString& record, int year, int month);
