#include "tools/CalendarYear.h"

#include "calendar/CalendarDates.h"
#include "calendar/CalendarOutput.h"
#include "calendar/CalendarPanel32.h"
#include "platform/FileCommit.h"
#include "platform/MervaneError.h"
#include "recurring/IcsEvents.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringFill.h"
#include "richtext/WPRtfStorage.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarRenderer.h"
#include "tools/ToolPage.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QTextCursor>

#include "print/ReportPrinter.h"

#include <memory>

namespace {

struct TMonth {
    int Month;
    int Year;
};

QList<TMonth> MonthsOf(const TYearJob& job)
{
    QList<TMonth> months;
    int month = job.FromMonth;
    int year = job.Year;
    for (int k = 0; k < job.Months; ++k) {
        months.append({month, year});
        AddMonths(month, year, 1);
    }
    return months;
}

void CheckJob(const TYearJob& job)
{
    if (job.FromMonth < 1 || job.FromMonth > 12)
        throw EMervaneError("--from: expected a month from 1 to 12");
    if (job.Months < 1 || job.Months > TCalendarYear::MaxMonths)
        throw EMervaneError(QString("--months: expected a number from 1 to %1").arg(TCalendarYear::MaxMonths));
    const int lastYear = job.Year + (job.FromMonth - 1 + job.Months - 1) / 12;
    if (job.Year < CalendarLimits::MinYear || lastYear > CalendarLimits::MaxYear)
        throw EMervaneError(QString("YEAR: expected a year from %1 to %2 for every month made")
                                .arg(CalendarLimits::MinYear)
                                .arg(CalendarLimits::MaxYear));
    if (QFileInfo(job.PdfFile).suffix().toLower() != "pdf")
        throw EMervaneError(QString("%1: expected an output file ending in .pdf").arg(job.PdfFile));
    if (!job.PngFolder.isEmpty() && !QFileInfo(job.PngFolder).isDir())
        throw EMervaneError(QString("--png: %1 is not a folder").arg(job.PngFolder));
}

QStringList RecurringRecords(const TYearJob& job)
{
    const QString fileName = job.RecurringFile.value_or(RecurringDatesFileName());
    if (!job.RecurringFile && !QFileInfo::exists(fileName))
        return {};
    if (job.RecurringFile && !QFileInfo::exists(fileName))
        throw EMervaneError(QString("Cannot open file %1").arg(fileName));
    const TRecurringDatesRead read = ReadRecurringDatesFile(fileName);
    if (!read.Ok())
        throw EMervaneError(QString("%1: %2").arg(fileName, read.Error));
    return read.Records;
}

// The texts of each day of the months made, in the order they are written into the cells.
using TDayTexts = QMap<QDate, QStringList>;

TDayTexts DayTexts(const TYearJob& job, const QList<TMonth>& months)
{
    TDayTexts texts;
    const QStringList records = RecurringRecords(job);
    for (const TMonth& month : months) {
        for (const QString& record : records) {
            if (!OfferedInMonth(record, month.Year, month.Month))
                continue;
            const TRecurringFill fill = FillOfRecord(record, month.Year, month.Month);
            for (const int day : fill.Days)
                texts[QDate(month.Year, month.Month, day)] += fill.Text;
        }
    }
    const QDate first(months.first().Year, months.first().Month, 1);
    const QDate lastMonth(months.last().Year, months.last().Month, 1);
    const QDate last(lastMonth.year(), lastMonth.month(), lastMonth.daysInMonth());
    for (const QString& fileName : job.EventFiles) {
        const TIcsRead read = ReadIcsFile(fileName, first, last);
        if (!read.Ok())
            throw EMervaneError(read.Error);
        for (const TIcsEntry& entry : read.Entries)
            texts[entry.Date] += IcsEntryText(entry);
    }
    return texts;
}

// Appends each text as a paragraph of its own after the text the cell holds.
void AppendToCell(TCalendarPanel32& page, int cell, const QStringList& texts)
{
    TWPRtfStorage storage(nullptr);
    storage.Assign(*page.GetCellRtf(cell));
    QTextDocument& document = storage.RtfText().Document();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    for (const QString& text : texts) {
        if (!document.isEmpty())
            cursor.insertBlock();
        cursor.insertText(text);
    }
    page.SetCellRtf(cell, storage);
}

// The page of one month: the source's look, title rule and objects; the source's cell texts
// only in its own month.
void PreparePage(TCalendarPanel32& page, const TYearJob& job, const TMonth& month, const TDayTexts& texts)
{
    TCalendarFile::Load(page, job.Source);
    if (page.MainCalMonth() != month.Month || page.MainCalYear() != month.Year) {
        page.ClearAllCells();
        page.SetMainCalDay(1);
        page.SetMainCalYear(month.Year);
        page.SetMainCalMonth(month.Month);
    }
    // The page learns which cell shows which day as it draws; a small drawing is enough.
    TCalendarRenderer::ScreenImage(page, TCalendarRenderer::MinZoom);
    const int days = DaysInMonth(month.Month, month.Year);
    for (int day = 1; day <= days; ++day) {
        const QStringList dayTexts = texts.value(QDate(month.Year, month.Month, day));
        const int cell = page.CellOfDay(day);
        if (!dayTexts.isEmpty() && cell >= 1)
            AppendToCell(page, cell, dayTexts);
    }
}

QString MonthTitle(const TMonth& month)
{
    return QLocale().standaloneMonthName(month.Month) + " " + QString::number(month.Year);
}

} // namespace

void TCalendarYear::Make(const TYearJob& job, const std::function<void(const QString&)>& progress)
{
    CheckJob(job);
    const QList<TMonth> months = MonthsOf(job);
    TCalendarFile::ReadHeader(job.Source);
    const TDayTexts texts = DayTexts(job, months);

    TWholeSaveFile pdf(job.PdfFile);
    if (!pdf.open(QIODevice::WriteOnly))
        throw EMervaneError(QString("Cannot create file %1").arg(job.PdfFile));
    {
        // The paper of the first month's page holds for the whole job.
        TToolPage first;
        TCalendarFile::Load(first, job.Source);
        TReportPrinter report(pdf);
        UsePaperOfPage(report.Device(), first);
        report.OnPrint = [&](TReportPrinter& r) {
            for (qsizetype k = 0; k < months.size(); ++k) {
                if (progress)
                    progress(QString("Page %1 of %2: %3").arg(k + 1).arg(months.size()).arg(MonthTitle(months[k])));
                TToolPage page;
                PreparePage(page, job, months[k], texts);
                if (k > 0)
                    r.NewPage();
                PrintPageCopies(r, page, 1);
                if (!job.PngFolder.isEmpty()) {
                    const QString png = QDir(job.PngFolder)
                                            .filePath(QString("%1-%2.png")
                                                          .arg(months[k].Year, 4, 10, QChar('0'))
                                                          .arg(months[k].Month, 2, 10, QChar('0')));
                    SaveImageFile(TCalendarRenderer::ScreenImage(page, 1.0f), png, "png");
                }
            }
        };
        report.Execute();
    }
    if (!pdf.CommitWhole())
        throw EMervaneError(QString("Cannot write %1: %2").arg(job.PdfFile, pdf.errorString()));
}
