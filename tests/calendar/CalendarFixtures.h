#pragma once
// A drawing record as the page fills it for a month: English names and the page's fonts.

#include "calendar/CalendarDrawRecord.h"

#include <QLocale>

inline TCalendarDrawRecord EnglishMonthRecord(int month, int year)
{
    TCalendarDrawRecord record;
    const QLocale locale;
    for (int m = 1; m <= 12; ++m)
        record.MonthNames += locale.monthName(m, QLocale::LongFormat);
    for (int d = 0; d < 7; ++d)
        record.DayNames += locale.dayName(d == 0 ? 7 : d, QLocale::LongFormat);
    record.Month = month;
    record.Year = year;
    record.TitleFont = {"Times New Roman", 26, FontStyleBit(fsBold), clBlack};
    record.HeadersFont = {"Times New Roman", 16, FontStyleBit(fsBold), clBlack};
    record.CellFont = {"Times New Roman", 16, FontStyleBit(fsBold), clBlack};
    return record;
}
