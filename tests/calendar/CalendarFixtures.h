#pragma once
// A drawing record as the page fills it for a month: English names and the page's fonts; a
// default locale set for one test; and an owner of page objects, as the main window is.

#include "calendar/CalendarDrawRecord.h"
#include "stream/Component.h"

#include <QLocale>

inline TCalendarDrawRecord EnglishMonthRecord(int month, int year)
{
    TCalendarDrawRecord record;
    const QLocale locale;
    for (int m = 1; m <= 12; ++m)
        record.MonthNames += locale.standaloneMonthName(m, QLocale::LongFormat);
    for (int d = 0; d < 7; ++d)
        record.DayNames += locale.standaloneDayName(d == 0 ? 7 : d, QLocale::LongFormat);
    record.Month = month;
    record.Year = year;
    record.TitleFont = {"Times New Roman", 26, FontStyleBit(fsBold), clBlack};
    record.HeadersFont = {"Times New Roman", 16, FontStyleBit(fsBold), clBlack};
    record.CellFont = {"Times New Roman", 16, FontStyleBit(fsBold), clBlack};
    return record;
}

// Makes `name` the default locale while it lives, then brings back the one before.
class TDefaultLocale {
public:
    explicit TDefaultLocale(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~TDefaultLocale() { QLocale::setDefault(m_Previous); }
    TDefaultLocale(const TDefaultLocale&) = delete;
    TDefaultLocale& operator=(const TDefaultLocale&) = delete;

private:
    QLocale m_Previous;
};

// The main window's part: owning the page objects.
class TOwner : public TComponent {
public:
    TOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TOwner"; }
};
