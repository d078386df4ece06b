// Printing through real CUPS queues on a server the test starts (CupsServer.h): the printer
// list, the driver's copies against copies sent as pages, read back from what cups-pdf wrote,
// the margin warning against the printer's own unprintable margins, and the print preview. When
// the server cannot start, every case is skipped with the reason.

#include "../app/MainWindowFixture.h"
#include "../common/PdfTools.h"
#include "CupsServer.h"
#include "app/CalendarDocument.h"
#include "platformui/PrinterDriver.h"
#include "print/ReportPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLocale>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace {

// Page `page` of the PDF in grey at 50 pixels per inch.
QImage PageImage(const QString& pdf, int page, const QString& stem)
{
    const QString number = QString::number(page);
    RunTool("pdftoppm", {"-gray", "-r", "50", "-f", number, "-l", number, "-singlefile", pdf, stem});
    return QImage(stem + ".pgm").convertToFormat(QImage::Format_Grayscale8);
}

// The share of pixels whose grey differs by more than half the scale.
double DifferingShare(const QImage& a, const QImage& b)
{
    qsizetype differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* lineA = a.constScanLine(y);
        const uchar* lineB = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            differing += std::abs(lineA[x] - lineB[x]) > 128;
    }
    return double(differing) / (qsizetype(a.width()) * a.height());
}

// A portrait month on Letter paper with a word in cell 10, margins of one inch.
void WriteCalendar(const QString& fileName)
{
    TCalendarPanel32 page(nullptr);
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetUseA4Paper(false);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2027);
    for (auto set : {&TCalendarPanel32::SetLeftMarginInch, &TCalendarPanel32::SetTopMarginInch,
                     &TCalendarPanel32::SetRightMarginInch, &TCalendarPanel32::SetBottomMarginInch})
        (page.*set)(1.0);
    TWPRtfStorage storage(nullptr);
    storage.RtfText().Document().setPlainText("Reunion");
    page.SetCellRtf(10, storage);
    page.SaveToFile(fileName);
}

// Chooses `queue` with `copies` copies in the print dialog.
std::function<void(QPrinter&)> Queue(const QString& queue, int copies)
{
    return [queue, copies](QPrinter& printer) {
        printer.setPrinterName(queue);
        printer.setCopyCount(copies);
    };
}

} // namespace

class TestCupsPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void QueuesAreThePrinterList();
    void DriverCopies_data();
    void DriverCopies();
    void PrintCalendarCopies_data();
    void PrintCalendarCopies();
    void MarginsAgainstThePrinter_data();
    void MarginsAgainstThePrinter();
    void PrintPreviewShowsThePassPages_data();
    void PrintPreviewShowsThePassPages();

private:
    // The main window opened on a calendar file whose name holds `titleWord`, printing on the
    // server's queues.
    TCalendarMain& Start(TMainWindowFixture& f, const QString& titleWord);
    // Runs "Print Calendar"; the job it sent, or 0 when none.
    int Print(TMainWindowFixture& f, const QString& queue, int copies);

    TCupsServer m_Server;
    // A word of this run's job titles, so that its files are told from others' in the shared
    // cups-pdf output folder.
    QString m_RunWord;
};

void TestCupsPrinting::initTestCase()
{
    const QString failure = m_Server.Start();
    if (!failure.isEmpty())
        QSKIP(qPrintable("No CUPS server for the test: " + failure));
    m_RunWord = QString("mvrun%1").arg(QCoreApplication::applicationPid());
}

TCalendarMain& TestCupsPrinting::Start(TMainWindowFixture& f, const QString& titleWord)
{
    OverridePrinters({}); // the server's queues, not the fixture's pretended printer
    const QString file = f.Path(m_RunWord + titleWord + ".MVF");
    WriteCalendar(file);
    return f.Start(file);
}

int TestCupsPrinting::Print(TMainWindowFixture& f, const QString& queue, int copies)
{
    const int before = m_Server.LastJob(queue);
    f.Ui.AcceptPrinterDialog(Queue(queue, copies));
    f.Trigger("mnuPrintCalendar");
    const int job = m_Server.LastJob(queue);
    return job > before ? job : 0;
}

void TestCupsPrinting::QueuesAreThePrinterList()
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    QVERIFY2(printers.contains(TCupsServer::Copier) && printers.contains(TCupsServer::NoCopier),
             qPrintable(printers.join(", ")));
    QCOMPARE(QPrinterInfo::defaultPrinterName(), TCupsServer::Copier);
}

void TestCupsPrinting::DriverCopies_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("copies");
    QTest::newRow("driver makes copies") << TCupsServer::Copier << true;
    QTest::newRow("driver makes none") << TCupsServer::NoCopier << false;
    QTest::newRow("no such queue") << "MervaneNowhere" << false;
}

void TestCupsPrinting::DriverCopies()
{
    QFETCH(QString, queue);
    QFETCH(bool, copies);
    if (copies)
        QVERIFY2(MaxQueueCopies(queue) >= 2, qPrintable(QString::number(MaxQueueCopies(queue))));
    else
        QCOMPARE(MaxQueueCopies(queue), 1);
    // A printer that writes a file makes no copies, whatever queue it was.
    QPrinter printer;
    printer.setPrinterName(queue);
    printer.setOutputFileName(QDir::temp().filePath("never-written.pdf"));
    QCOMPARE(MaxDriverCopies(printer), 1);
}

void TestCupsPrinting::PrintCalendarCopies_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("jobCopies");
    // cups-pdf makes no copies of its own: a copy count shows in the job only.
    QTest::newRow("driver makes copies: one page, copy count 2") << TCupsServer::Copier << 1 << 2;
    QTest::newRow("driver makes none: two pages") << TCupsServer::NoCopier << 2 << 1;
}

void TestCupsPrinting::PrintCalendarCopies()
{
    QFETCH(QString, queue);
    QFETCH(int, pages);
    QFETCH(int, jobCopies);
    TMainWindowFixture f;
    const QString title = QString("copies%1").arg(pages);
    TCalendarMain& main = Start(f, title);

    const int job = Print(f, queue, 2);
    QVERIFY2(job > 0, qPrintable("no job reached the queue; " + m_Server.ErrorLog()));
    QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join("; ")));
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, QString("Print job completed and sent to printer!"));
    QVERIFY(!main.Modified());

    QVERIFY2(m_Server.WaitForJob(job), "the job did not end");
    const QString pdf = m_Server.JobOutput(job, m_RunWord + title);
    const auto removePdf = qScopeGuard([&] { QFile::remove(pdf); });
    QCOMPARE(m_Server.JobCopies(job), jobCopies);
    QVERIFY2(!pdf.isEmpty(), qPrintable("cups-pdf wrote nothing for the job; " + m_Server.ErrorLog()));
    QCOMPARE(PdfPages(pdf), pages);
    // cups-pdf goes through PostScript, which keeps the glyphs but not which letters they are:
    // each page must look like the program's own PDF of the page.
    const QString own = f.Path("own.pdf");
    f.Ui.AnswerFileName(own);
    f.Trigger("mnuSaveAsPdf");
    const QImage expected = PageImage(own, 1, f.Path("own"));
    QVERIFY(!expected.isNull());
    for (int page = 1; page <= pages; ++page) {
        const QImage printed = PageImage(pdf, page, f.Path("printed"));
        QCOMPARE(printed.size(), expected.size());
        const double differing = DifferingShare(printed, expected);
        QVERIFY2(differing < 0.01,
                 qPrintable(QString("page %1: %2 % of the pixels differ").arg(page).arg(differing * 100)));
    }
}

void TestCupsPrinting::MarginsAgainstThePrinter_data()
{
    // The queues' unprintable margins: left 0.25, top 0.5, right 0.75, bottom 1 inch.
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<QString>("question"); // empty: none; asked questions are answered No
    QTest::newRow("exactly the printer's") << 0.25 << 1.0 << QString();
    QTest::newRow("left 0.01 less")
        << 0.24 << 1.0
        << "Margin Warning:\r\rLeft Margin is possibly outside of Printer printable area\r\rPrint anyways?";
    QTest::newRow("bottom 0.01 less")
        << 0.25 << 0.99
        << "Margin Warning:\r\rBottom Margin is possibly outside of Printer printable area\r\rPrint anyways?";
}

void TestCupsPrinting::MarginsAgainstThePrinter()
{
    QFETCH(double, left);
    QFETCH(double, bottom);
    QFETCH(QString, question);
    TMainWindowFixture f;
    const QString title = QString("margins%1").arg(QTest::currentDataTag()).remove(QRegularExpression("[^a-z0-9]"));
    Start(f, title);
    f.Page().SetLeftMarginInch(left);
    f.Page().SetTopMarginInch(0.5);
    f.Page().SetRightMarginInch(0.75);
    f.Page().SetBottomMarginInch(bottom);
    const int before = m_Server.LastJob(TCupsServer::Copier);
    f.Ui.AcceptPrinterDialog(Queue(TCupsServer::Copier, 1));
    if (!question.isEmpty())
        f.Ui.AnswerYesNo(false);
    f.Trigger("mnuPrintCalendar");
    const int last = m_Server.LastJob(TCupsServer::Copier);
    const int job = last > before ? last : 0;
    QVERIFY(f.Ui.ScriptFinished());
    QCOMPARE(f.Ui.Questions.size(), question.isEmpty() ? 0 : 1);
    if (question.isEmpty()) {
        QVERIFY2(job > 0, "nothing was printed");
        QCOMPARE(f.Ui.Messages.size(), 1);
        QVERIFY(m_Server.WaitForJob(job));
        QFile::remove(m_Server.JobOutput(job, m_RunWord + title));
    } else {
        // No: nothing is printed and nothing more is said.
        QCOMPARE(f.Ui.Questions[0].Text, question);
        QCOMPARE(f.Ui.Questions[0].Caption, QString("Margin Warning"));
        QCOMPARE(job, 0);
        QVERIFY(f.Ui.Messages.isEmpty());
    }
}

void TestCupsPrinting::PrintPreviewShowsThePassPages_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("pages");
    QTest::newRow("driver makes copies") << TCupsServer::Copier << 1;
    QTest::newRow("driver makes none") << TCupsServer::NoCopier << 2;
}

void TestCupsPrinting::PrintPreviewShowsThePassPages()
{
    QFETCH(QString, queue);
    QFETCH(int, pages);
    TMainWindowFixture f;
    Start(f, "preview");
    f.Ui.AcceptPrinterDialog(Queue(queue, 2));
    f.Trigger("mnuPrintSetup");
    int shown = -1;
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        shown = dialog.findChild<QPrintPreviewWidget*>()->pageCount();
        return int(QDialog::Rejected);
    });
    const int before = m_Server.LastJob(queue);
    f.Trigger("mnuPrintPreview");
    QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join("; ")));
    QCOMPARE(shown, pages);
    QCOMPARE(m_Server.LastJob(queue), before); // a preview sends nothing
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestCupsPrinting test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCupsPrinting.moc"
