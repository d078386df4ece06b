#pragma once
// `mvtool year`: the months of a year (or any run of months) with the look of one page, one PDF
// page per month through the program's print pass, the day cells filled from the recurring
// dates file and from iCalendar files. Every input is read and checked before anything is
// written; outputs are written whole or not at all.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct TYearJob {
    QString Source;    // style sheet (.MVS) or calendar file (.MVF)
    int Year = 0;      // of the first month
    int FromMonth = 1; // 1..12
    int Months = 12;   // 1..120; months after December run into the next years
    QString PdfFile;
    std::optional<QString> RecurringFile; // none: the user's file when it exists
    QStringList EventFiles;               // .ics
    QString PngFolder;                    // empty: no PNG files
};

class TCalendarYear {
public:
    static constexpr int MaxMonths = 120;

    // Makes the pages; `progress`, when given, is told of each page before it is drawn
    // ("Page 3 of 12: March 2027"). Fails with EMervaneError or EMervaneError.
    static void Make(const TYearJob& job, const std::function<void(const QString&)>& progress);
};
