#pragma once
// The one-line texts the recurring-date lists show for a record: the trimmed event text and, in
// brackets, what its formula means ("Armed Forces Day (3rd Sat of May)"). Month and day names
// come from the default locale: long month names, abbreviated day names.

#include "recurring/RecurringRecord.h"

#include <QString>

// "15th of Each Month", "1st of April"; empty when the formula cannot be read.
QString DayOfMonthText(const QString& formula);
// "3rd Sat of May", "Last Mon of May", "1st Day Each Month"; empty when it cannot be read.
QString SpecialText(const QString& formula);
// "Mon,Fri": each listed weekday once, Sunday first; empty when none is listed.
QString WeekdaysText(const QString& formula);

// "Easter + 39 days", "Orthodox Easter − 48 days", "Easter + 1 day", "Orthodox Easter".
QString EasterOffsetText(const TEasterOffset& offset);

// The text of a record in the lists. Records of the kinds `@`, `$` and `%`, and the Easter-based
// `#` records, show the trimmed event text and the formula text in brackets; all others (the
// three feasts of the first catalogue among them) show columns 1 to 120 unchanged.
QString RecordDisplayText(const QString& record);
