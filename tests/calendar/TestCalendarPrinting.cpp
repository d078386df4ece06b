// Printing months and planners through the print engine into PDF files.

#include "../common/PdfTools.h"
#include "calendar/CalendarPrinting.h"
#include "print/ReportPrinter.h"
#include "CalendarFixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Prints with `print` on a letter page whose calendar rectangle is 0.25 inch inside the paper.
void PrintOnLetter(const QString& pdf, TCalendarDrawRecord& record,
                   const std::function<void(TReportPrinter&, TCalendarDrawRecord&)>& print)
{
    TReportPrinter report(pdf);
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.OnPrint = [&](TReportPrinter& r) {
        record.CalendarRect = {r.XI2D(0.25), r.YI2D(0.25), r.XI2D(8.25), r.YI2D(10.75)};
        record.MinTitleHeight = int(1.5 * r.YDPI());
        print(r, record);
    };
    report.Execute();
}

} // namespace

class TestCalendarPrinting : public QObject {
    Q_OBJECT

private slots:
    void MonthPrintsItsTextsAndCells();
    void CentredNumbersLeaveNoRoomOnPaperEither();
    void LongTextsAreShortenedToFit();
    void PlannersPrintTheirRows();

private:
    QTemporaryDir m_Dir;
};

void TestCalendarPrinting::MonthPrintsItsTextsAndCells()
{
    const QString pdf = m_Dir.filePath("month.pdf");
    TCalendarDrawRecord record = EnglishMonthRecord(6, 1997);
    int dpi = 0;
    PrintOnLetter(pdf, record, [&](TReportPrinter& r, TCalendarDrawRecord& rec) {
        dpi = r.YDPI();
        PrintMonth(r, rec, QString());
    });

    const QString text = PdfText(pdf);
    QVERIFY(text.contains("June 1997"));
    QVERIFY(text.contains("Sun"));
    QVERIFY(text.contains("Sat"));
    QVERIFY(text.contains("30"));
    QVERIFY(!text.contains("31"));

    // The title is centred on the page.
    const QString boxes = PdfText(pdf, {"-bbox"});
    const QRegularExpression june(R"re(xMin="([\d.]+)"[^>]*xMax="[\d.]+"[^>]*>June<)re");
    const QRegularExpression year(R"re(xMin="[\d.]+"[^>]*xMax="([\d.]+)"[^>]*>1997<)re");
    const double left = june.match(boxes).captured(1).toDouble();
    const double right = year.match(boxes).captured(1).toDouble();
    QVERIFY2(std::abs((left + right) / 2 - 306) < 3, qPrintable(QString("%1 %2").arg(left).arg(right)));

    // Cell geometry in device units: day 1 in cell 1, text below the number band.
    const TCellRecord& first = record.Cells[0];
    QCOMPARE(first.Day, 1);
    QVERIFY(first.Whole.Left > dpi / 4);
    const int band = first.Free.Top - first.Whole.Top;
    QVERIFY2(band > 16 * dpi / 72 && band < 30 * dpi / 72, qPrintable(QString::number(band)));
    QCOMPARE(record.Cells[29].Day, 30);
    QCOMPARE(record.Cells[30].Day, 0);
}

void TestCalendarPrinting::CentredNumbersLeaveNoRoomOnPaperEither()
{
    TCalendarDrawRecord record = EnglishMonthRecord(2, 2000);
    record.NumberPosition = cnpCenter;
    const QString pdf = m_Dir.filePath("centred.pdf");
    PrintOnLetter(pdf, record, [](TReportPrinter& r, TCalendarDrawRecord& rec) { PrintMonth(r, rec, "Leap Year"); });
    for (const TCellRecord& cell : record.Cells)
        QVERIFY(cell.Free.IsEmpty());
    const QString text = PdfText(pdf);
    QVERIFY(text.contains("Leap Year"));
    QVERIFY(!text.contains("February"));
    QVERIFY(text.contains("29"));
}

void TestCalendarPrinting::LongTextsAreShortenedToFit()
{
    const QString pdf = m_Dir.filePath("fit.pdf");
    TReportPrinter report(pdf);
    report.OnPrint = [](TReportPrinter& r) {
        r.SetFont("Arial", 12, false, false, false, Qt::black);
        const QString text = "A title far too long for its box";
        const double width = r.TextWidth("A title far");
        const QString fitted = FitText(r, text, width);
        QCOMPARE(fitted, QString("A title far"));
        QVERIFY(FitText(r, text, 0.0).isEmpty());
        QCOMPARE(FitText(r, text, 100.0), text);
    };
    report.Execute();
}

void TestCalendarPrinting::PlannersPrintTheirRows()
{
    TCalendarDrawRecord record = EnglishMonthRecord(1, 1997);
    record.Day = 5;
    record.PlannerRows = 15;
    const QString pdf = m_Dir.filePath("day15.pdf");
    PrintOnLetter(pdf, record, [](TReportPrinter& r, TCalendarDrawRecord& rec) { PrintDayPlanner(r, rec, QString()); });
    const QString text = PdfText(pdf);
    QVERIFY(text.contains("Sunday, January 5, 1997"));
    QVERIFY(text.contains("8:00 AM"));
    QVERIFY(text.contains("10:00 PM"));
    QVERIFY(text.contains("Notes"));
    // 16 rows of equal height, the last reaching the bottom.
    QVERIFY(!record.Cells[15].Free.IsEmpty());
    QVERIFY(record.Cells[16].Free.IsEmpty());
    QCOMPARE(record.Cells[1].Free.Top - record.Cells[0].Free.Top, record.Cells[2].Free.Top - record.Cells[1].Free.Top);

    TCalendarDrawRecord week = EnglishMonthRecord(12, 1997);
    week.Day = 29;
    const QString weekPdf = m_Dir.filePath("week.pdf");
    PrintOnLetter(weekPdf, week,
                  [](TReportPrinter& r, TCalendarDrawRecord& rec) { PrintWeekPlanner(r, rec, QString()); });
    QVERIFY(PdfText(weekPdf).contains("December 29, 1997 - January 4, 1998"));
    QCOMPARE(week.Cells[3].Day, 1);
}

QObject* NewTestCalendarPrinting()
{
    return new TestCalendarPrinting;
}

#include "TestCalendarPrinting.moc"
