// `mvtool year` run as the program: pages per month with their titles, recurring dates and
// iCalendar events in the cells of their days (found by where pdftotext puts their words), the
// cell texts of a calendar file only in its own month, PNG files, and inputs that stop the job
// before anything is written.

#include "../common/PdfTools.h"
#include "ToolFixtures.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarRenderer.h"
#include "tools/ToolPage.h"
#include "recurring/RecurringRecord.h"
#include "recurring/RecurringDatesFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Err;
};

TRun RunYear(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/mvtool", QStringList{"year"} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// The day numbers of the cells the `text` words lie in, in order: the numbers of the month grid are those
// 1..31 in the largest type; a cell's number is the nearest one above the word whose right
// edge lies beyond the word's left edge.
QStringList DaysOfWord(const QList<TPdfWord>& words, const QString& text)
{
    double height = 0;
    QList<TPdfWord> numbers;
    for (const TPdfWord& word : words) {
        bool ok = false;
        const int value = word.Text.toInt(&ok);
        if (ok && value >= 1 && value <= 31) {
            numbers.append(word);
            height = std::max(height, word.Box.height());
        }
    }
    QStringList days;
    for (const TPdfWord& word : words) {
        if (word.Text != text)
            continue;
        const TPdfWord* best = nullptr;
        for (const TPdfWord& number : numbers) {
            if (number.Box.height() < 0.9 * height || number.Box.right() < word.Box.left() ||
                number.Box.bottom() > word.Box.top() + 1)
                continue;
            const auto distance = [&](const TPdfWord& n) {
                return std::pair(word.Box.top() - n.Box.bottom(), n.Box.right() - word.Box.left());
            };
            if (!best || distance(number) < distance(*best))
                best = &number;
        }
        days += best ? best->Text : QString("?");
    }
    // In the order of the days, whatever order the PDF draws them in.
    std::sort(days.begin(), days.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    return days;
}

} // namespace

class TestCalendarYear : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void YearOfStyleSheetHasTwelveTitledPages();
    void EventsAndRecurringDatesLandInTheirCells_data();
    void EventsAndRecurringDatesLandInTheirCells();
    void CalendarFileKeepsItsCellsInItsOwnMonth();
    void CountrysHolidaysFromTheCommandLine_data();
    void CountrysHolidaysFromTheCommandLine();
    void PngPerMonth();
    void UsersRecurringDatesByDefault_data();
    void UsersRecurringDatesByDefault();
    void ProgressLinesOnATerminal();
    void BadInputsWriteNothing_data();
    void BadInputsWriteNothing();

private:
    QString Path(const QString& name) const { return m_Dir.filePath(name); }
    static QString Fixture(const QString& name) { return QFINDTESTDATA("../recurring/ics/" + name); }

    QTemporaryDir m_Dir;
    QString m_YearPdf;
};

void TestCalendarYear::initTestCase()
{
    QVERIFY(m_Dir.isValid());
    TToolPage style;
    TCalendarFile::Save(style, TCalendarFileFormat::StyleSheet, Path("look.MVS"));

    TToolPage calendar;
    calendar.SetMainCalYear(2027);
    calendar.SetMainCalMonth(1);
    TCalendarRenderer::ScreenImage(calendar, 0.2f);
    SetCellRtf(calendar, calendar.CellOfDay(20), "{\\rtf1 Inauguration\\par}");
    TCalendarFile::Save(calendar, TCalendarFileFormat::Calendar, Path("january.MVF"));

    QVERIFY(WriteRecurringDatesFile(Path("MVRECUR.DAX"),
                                    {MakeRecord("Easter Sunday", "#EASTER"), MakeRecord("Rent", "@0015")})
                .isEmpty());
    QVERIFY(WriteRecurringDatesFile(Path("empty.DAX"), {}).isEmpty());

    m_YearPdf = Path("year.pdf");
    const TRun run = RunYear({Path("look.MVS"), "2027", m_YearPdf, "--recurring", Path("MVRECUR.DAX"), "--events",
                              Fixture("weekly.ics"), "--events", Fixture("span.ics"), "--events", Fixture("tzid.ics"),
                              "--events", Fixture("text.ics")});
    QCOMPARE(run.Err, QString());
    QCOMPARE(run.ExitCode, 0);
}

void TestCalendarYear::YearOfStyleSheetHasTwelveTitledPages()
{
    QCOMPARE(PdfPages(m_YearPdf), 12);
    for (int month = 1; month <= 12; ++month) {
        const QString text = PdfText(m_YearPdf, {"-f", QString::number(month), "-l", QString::number(month)});
        QVERIFY2(text.contains(QLocale().monthName(month) + " 2027"), qPrintable(QString::number(month)));
        // Rent on the 15th of every month.
        QVERIFY2(text.contains("Rent"), qPrintable(QString::number(month)));
    }
}

void TestCalendarYear::EventsAndRecurringDatesLandInTheirCells_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("days");

    QTest::newRow("Easter Sunday 2027") << 3 << "Easter" << QStringList{"28"};
    QTest::newRow("recurring every month") << 7 << "Rent" << QStringList{"15"};
    QTest::newRow("weekly rule without the excepted week") << 1 << "Dentist" << QStringList{"4", "11", "25"};
    QTest::newRow("time before the summary") << 2 << "8:00" << QStringList{"1", "7"};
    QTest::newRow("all-day span, January part") << 1 << "Ski" << QStringList{"30", "31"};
    QTest::newRow("all-day span, February part") << 2 << "Ski" << QStringList{"1", "2"};
    QTest::newRow("zoned time on its local day") << 3 << "Auckland" << QStringList{"4"};
    QTest::newRow("time zone of the file") << 3 << "Tokyo" << QStringList{"9"};
    QTest::newRow("UTF-8 summary") << 4 << QString::fromUtf8("Zo\u00eb") << QStringList{"12"};
    QTest::newRow("folded line") << 4 << "machine" << QStringList{"13"};
    QTest::newRow("cancelled event left out") << 4 << "Cancelled" << QStringList{};
    QTest::newRow("to-do left out") << 4 << "milk" << QStringList{};
}

void TestCalendarYear::EventsAndRecurringDatesLandInTheirCells()
{
    QFETCH(int, page);
    QFETCH(QString, word);
    QFETCH(QStringList, days);
    QCOMPARE(DaysOfWord(PdfWords(m_YearPdf, page), word), days);
}

void TestCalendarYear::CalendarFileKeepsItsCellsInItsOwnMonth()
{
    const QString pdf = Path("from-calendar.pdf");
    const TRun run = RunYear({Path("january.MVF"), "2027", pdf, "--months", "2", "--recurring", Path("MVRECUR.DAX")});
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(PdfPages(pdf), 2);
    QCOMPARE(DaysOfWord(PdfWords(pdf, 1), "Inauguration"), QStringList{"20"});
    QCOMPARE(DaysOfWord(PdfWords(pdf, 1), "Rent"), QStringList{"15"});
    QCOMPARE(DaysOfWord(PdfWords(pdf, 2), "Inauguration"), QStringList{});
}

void TestCalendarYear::CountrysHolidaysFromTheCommandLine_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("days");
    // Easter 2027 is March 28, Orthodox Easter May 2.
    QTest::newRow("Whit Monday") << "DE" << 5 << "Pfingstmontag" << QStringList{"17"};
    QTest::newRow("Ascension") << "DE" << 5 << "Himmelfahrt" << QStringList{"6"};
    QTest::newRow("Labour Day") << "DE" << 5 << "Arbeit" << QStringList{"1"};
    QTest::newRow("Clean Monday") << "GR" << 3 << QString::fromUtf16(u"\u039a\u03b1\u03b8\u03b1\u03c1\u03ac")
                                  << QStringList{"15"};
    QTest::newRow("Orthodox Easter Monday")
        << "GR" << 5 << QString::fromUtf16(u"\u03a0\u03ac\u03c3\u03c7\u03b1") << QStringList{"3"};
}

// `mvtool holidays DE > MVRECUR.DAX`, then `mvtool year … --recurring MVRECUR.DAX`: the holidays
// land on their days, Greek names included.
void TestCalendarYear::CountrysHolidaysFromTheCommandLine()
{
    QFETCH(QString, country);
    QFETCH(int, month);
    QFETCH(QString, word);
    const QString holidays = Path(country + ".DAX");
    QProcess process;
    process.setStandardOutputFile(holidays);
    process.start(QCoreApplication::applicationDirPath() + "/mvtool", {"holidays", country});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    const QString pdf = Path(QString("%1-%2.pdf").arg(country).arg(month));
    const TRun run = RunYear(
        {Path("look.MVS"), "2027", pdf, "--from", QString::number(month), "--months", "1", "--recurring", holidays});
    QCOMPARE(run.Err, QString());
    QCOMPARE(run.ExitCode, 0);
    QTEST(DaysOfWord(PdfWords(pdf, 1), word), "days");
}

void TestCalendarYear::PngPerMonth()
{
    const QString folder = Path("png");
    QVERIFY(QDir().mkpath(folder));
    const TRun run = RunYear({Path("look.MVS"), "2027", Path("png.pdf"), "--from", "11", "--months", "3", "--recurring",
                              Path("empty.DAX"), "--png", folder});
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"2027-11.png", "2027-12.png", "2028-01.png"}));
    QCOMPARE(QImage(QDir(folder).filePath("2028-01.png")).isNull(), false);
    const QString text = PdfText(Path("png.pdf"), {"-f", "3", "-l", "3"});
    QVERIFY(text.contains("January 2028"));
}

void TestCalendarYear::UsersRecurringDatesByDefault_data()
{
    QTest::addColumn<bool>("userHasFile");
    QTest::addColumn<QStringList>("easterDays");
    QTest::newRow("the user's MVRECUR.DAX") << true << QStringList{"28"};
    QTest::newRow("no MVRECUR.DAX") << false << QStringList{};
}

// Without --recurring, mvtool takes MVRECUR.DAX of its data folder: a copy of mvtool in a folder
// of its own keeps its data there, apart from the other tests' programs.
void TestCalendarYear::UsersRecurringDatesByDefault()
{
    QFETCH(bool, userHasFile);
    QFETCH(QStringList, easterDays);
    QTemporaryDir program;
    const QString mvtool = program.filePath("mvtool");
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/mvtool", mvtool));
    if (userHasFile)
        QVERIFY(WriteRecurringDatesFile(program.filePath("MVRECUR.DAX"), {MakeRecord("Easter Sunday", "#EASTER")})
                    .isEmpty());
    const QString pdf = Path(userHasFile ? "default-dates.pdf" : "no-dates.pdf");
    QProcess process;
    process.start(mvtool, {"year", Path("look.MVS"), "2027", pdf, "--from", "3", "--months", "1"});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(DaysOfWord(PdfWords(pdf, 1), "Easter"), easterDays);
}

void TestCalendarYear::ProgressLinesOnATerminal()
{
    // Without a terminal (the runs above) standard error stays empty; `script` gives one.
    const QString script = QStandardPaths::findExecutable("script");
    if (script.isEmpty())
        QSKIP("util-linux's script is not installed: no terminal to run mvtool on");
    const QString command = QStringList{QCoreApplication::applicationDirPath() + "/mvtool",
                                        "year",
                                        Path("look.MVS"),
                                        "2027",
                                        Path("tty.pdf"),
                                        "--from",
                                        "12",
                                        "--months",
                                        "2",
                                        "--recurring",
                                        Path("empty.DAX")}
                                .join(' ');
    QProcess process;
    process.start(script, {"-qec", command, "/dev/null"});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).remove('\r'),
             "Page 1 of 2: December 2027\nPage 2 of 2: January 2028\n");
}

void TestCalendarYear::BadInputsWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QString out = "out.pdf";
    QTest::newRow("damaged events") << QStringList{"look.MVS", "2027", out, "--events", "bad.ics"} << 1
                                    << "bad.ics, line 5: not a valid date or time in \"DTSTART;VALUE=DATE:20270230\"";
    QTest::newRow("missing events") << QStringList{"look.MVS", "2027", out, "--events", "none.ics"} << 1
                                    << "Cannot open file";
    QTest::newRow("missing recurring file")
        << QStringList{"look.MVS", "2027", out, "--recurring", "none.DAX"} << 1 << "Cannot open file";
    QTest::newRow("month out of range") << QStringList{"look.MVS", "2027", out, "--from", "13"} << 1
                                        << "--from: expected a month from 1 to 12";
    QTest::newRow("too many months") << QStringList{"look.MVS", "2027", out, "--months", "0"} << 1
                                     << "--months: expected a number from 1 to 120";
    QTest::newRow("year past the last") << QStringList{"look.MVS", "9999", out, "--from", "12", "--months", "2"} << 1
                                        << "YEAR: expected a year from 1 to 9999 for every month made";
    QTest::newRow("year not a number") << QStringList{"look.MVS", "MMXXVII", out} << 2 << "YEAR needs a whole number";
    QTest::newRow("unknown option") << QStringList{"look.MVS", "2027", out, "--colour", "red"} << 2
                                    << "year: unknown option '--colour'";
    QTest::newRow("not a PDF") << QStringList{"look.MVS", "2027", "out.png"} << 1
                               << "expected an output file ending in .pdf";
    QTest::newRow("not a calendar") << QStringList{"bad.ics", "2027", out} << 1 << "bad.ics";
}

void TestCalendarYear::BadInputsWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    WriteBytes(Path("bad.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\nBEGIN:VEVENT\r\n"
                                "DTSTART;VALUE=DATE:20270230\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    for (QString& argument : arguments) {
        if (argument.contains('.'))
            argument = Path(argument);
    }
    QFile::remove(Path("out.pdf"));
    const TRun run = RunYear(arguments);
    QCOMPARE(run.ExitCode, exitCode);
    QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
    QVERIFY(!QFile::exists(Path("out.pdf")));
}

QObject* NewTestCalendarYear()
{
    return new TestCalendarYear;
}

#include "TestCalendarYear.moc"
