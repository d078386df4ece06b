#include "calendar/PlannerLabels.h"

#include "calendar/CalendarDates.h"

#include <QDate>
#include <QLocale>
#include <cmath>

int ValidDay(int day, int month, int year)
{
    return std::clamp(day, 1, std::max(1, DaysInMonth(month, year)));
}

TPlannerLabels WeekPlannerLabels(const TCalendarDrawRecord& record, const QString& titleOverride)
{
    const QDate first(record.Year, record.Month, ValidDay(record.Day, record.Month, record.Year));
    const QDate last = first.addDays(record.PlannerDays - 1);
    const QString m1 = record.MonthName(first.month()), m2 = record.MonthName(last.month());
    const int d1 = first.day(), d2 = last.day(), y1 = first.year(), y2 = last.year();

    TPlannerLabels labels;
    if (!titleOverride.isEmpty())
        labels.Title = titleOverride;
    else if (y1 == y2 && first.month() == last.month())
        labels.Title = QString("%1 %2-%3, %4").arg(m1).arg(d1).arg(d2).arg(y1);
    else if (y1 == y2)
        labels.Title = QString("%1 %2 - %3 %4, %5").arg(m1).arg(d1).arg(m2).arg(d2).arg(y1);
    else
        labels.Title = QString("%1 %2, %3 - %4 %5, %6").arg(m1).arg(d1).arg(y1).arg(m2).arg(d2).arg(y2);

    for (int k = 0; k < record.PlannerDays; ++k) {
        const QDate date = first.addDays(k);
        labels.Upper += HeaderText(record.DayName(date.dayOfWeek() % 7 + 1), record.HeadersStyle);
        labels.Lower += QString("%1 %2").arg(date.day()).arg(record.MonthName(date.month()).left(3));
    }
    labels.Upper += "Notes";
    labels.Lower += QString();
    return labels;
}

QString PlannerTimeLabel(double time)
{
    const double fraction = time - std::floor(time);
    const qint64 ms = std::llround(fraction * 86400000.0) % 86400000;
    const int hour = int(ms / 3600000);
    const int minute = int(ms / 60000 % 60);
    const QLocale locale;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return QString("%1:%2 %3")
        .arg(hour12)
        .arg(minute, 2, 10, QChar('0'))
        .arg(hour < 12 ? locale.amText() : locale.pmText());
}

TPlannerLabels DayPlannerLabels(const TCalendarDrawRecord& record, const QString& titleOverride)
{
    TPlannerLabels labels;
    if (!titleOverride.isEmpty()) {
        labels.Title = titleOverride;
    } else {
        const int day = ValidDay(record.Day, record.Month, record.Year);
        const QDate date(record.Year, record.Month, day);
        labels.Title = QString("%1, %2 %3, %4")
                           .arg(record.DayName(date.dayOfWeek() % 7 + 1), record.MonthName(record.Month))
                           .arg(day)
                           .arg(record.Year);
    }
    // Each step adds 60 minutes as the page has always counted them (0.000694445 of a day each).
    constexpr double HourStep = 60 * 0.000694445;
    for (int k = 0; k < record.PlannerRows; ++k) {
        labels.Upper += PlannerTimeLabel(std::max(0.0, record.StartTime + k * HourStep));
        labels.Lower += QString();
    }
    labels.Upper += "Notes";
    labels.Lower += QString();
    return labels;
}
