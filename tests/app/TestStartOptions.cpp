// The command line: what a start asks for; --help, --version and a wrong command line of the
// real program, which answer without a display; and the file named opened at start.

#include "app/CalendarDocument.h"
#include "app/StartOptions.h"
#include "MainWindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>

class TestStartOptions : public QObject {
    Q_OBJECT

private slots:
    void Parse_data();
    void Parse();
    void AnswersWithoutADisplay_data();
    void AnswersWithoutADisplay();
    void StartOpensTheNamedFile_data();
    void StartOpensTheNamedFile();
};

void TestStartOptions::Parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("output"); // expected in the text to print
    QTest::addColumn<int>("exitCode");

    const int run = int(TStartOptions::TAction::Run);
    const int print = int(TStartOptions::TAction::Print);
    const int fail = int(TStartOptions::TAction::Fail);
    const QString here = QDir::currentPath();
    QTest::newRow("nothing") << QStringList{"mervane"} << run << ""
                             << "" << 0;
    QTest::newRow("relative file") << QStringList{"mervane", "Trip.MVF"} << run << here + "/Trip.MVF"
                                   << "" << 0;
    QTest::newRow("absolute file") << QStringList{"mervane", "/data/Trip.MVF"} << run << "/data/Trip.MVF"
                                   << "" << 0;
    QTest::newRow("file after --") << QStringList{"mervane", "--", "-odd.MVF"} << run << here + "/-odd.MVF"
                                   << "" << 0;
    QTest::newRow("help") << QStringList{"mervane", "--help"} << print << ""
                          << "Usage: mervane [options] [FILE]" << 0;
    QTest::newRow("short help") << QStringList{"mervane", "-h"} << print << ""
                                << "[FILE]" << 0;
    QTest::newRow("version") << QStringList{"mervane", "--version"} << print << ""
                             << "mervane " MERVANE_VERSION "\n"
                             << 0;
    QTest::newRow("version beside a GUI option")
        << QStringList{"mervane", "-platform", "offscreen", "--version"} << print << ""
        << "mervane " MERVANE_VERSION << 0;
    QTest::newRow("file beside GUI options")
        << QStringList{"mervane", "-platform", "offscreen", "Trip.MVF", "-reverse", "-style", "fusion"} << run
        << here + "/Trip.MVF"
        << "" << 0;
    QTest::newRow("help with Qt's options") << QStringList{"mervane", "--help-all"} << print << ""
                                            << "[FILE]" << 0;
    QTest::newRow("unknown option") << QStringList{"mervane", "--frobnicate"} << fail << ""
                                    << "mervane: Unknown option 'frobnicate'." << 2;
    QTest::newRow("two files") << QStringList{"mervane", "a.MVF", "b.MVF"} << fail << ""
                               << "mervane: only one FILE can be opened at start" << 2;
    QTest::newRow("empty file") << QStringList{"mervane", ""} << fail << ""
                                << "mervane: FILE is empty" << 2;
}

void TestStartOptions::Parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, file);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    const TStartOptions options = TStartOptions::Parse(arguments);
    QCOMPARE(int(options.Action), action);
    QCOMPARE(options.File, file);
    QVERIFY2(options.Output.contains(output), qPrintable(options.Output));
    QCOMPARE(options.ExitCode, exitCode);
    if (options.Action == TStartOptions::TAction::Fail)
        QVERIFY2(options.Output.contains("Usage: mervane"), qPrintable(options.Output));
}

void TestStartOptions::AnswersWithoutADisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("output");
    QTest::newRow("help") << "--help"
                          << "Usage: mervane [options] [FILE]";
    QTest::newRow("version") << "--version"
                             << "mervane " MERVANE_VERSION "\n";
    QTest::newRow("wrong option") << "--frobnicate"
                                  << "";
}

void TestStartOptions::AnswersWithoutADisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, output);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A platform that cannot start: the program must not need one.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + "/mervane", {option});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    // A wrong command line is told on standard error, with the usage.
    QCOMPARE(process.exitCode(), output.isEmpty() ? 2 : 0);
    if (output.isEmpty())
        QVERIFY2(err.startsWith("mervane: Unknown option 'frobnicate'.") && err.contains("Usage: mervane"),
                 qPrintable(err));
    else
        QVERIFY2(out.contains(output), qPrintable(out + err));
}

void TestStartOptions::StartOpensTheNamedFile_data()
{
    QTest::addColumn<QString>("named");   // the file named on the command line, in the data folder
    QTest::addColumn<QString>("opened");  // the file open after the start
    QTest::addColumn<QString>("message"); // the message shown, before the path named

    QTest::newRow("none: the most recent") << ""
                                           << "Recent.MVF"
                                           << "";
    QTest::newRow("named") << "Named.MVF"
                           << "Named.MVF"
                           << "";
    QTest::newRow("missing") << "Absent.MVF"
                             << ""
                             << "File ";
    QTest::newRow("damaged") << "Damaged.MVF"
                             << ""
                             << "Unable to open ";
}

void TestStartOptions::StartOpensTheNamedFile()
{
    QFETCH(QString, named);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    TMainWindowFixture f;
    TMainWindowFixture::WriteCalendar(f.Path("Recent.MVF"), 1, 2027, 3, "Recent");
    TMainWindowFixture::WriteCalendar(f.Path("Named.MVF"), 2, 2027, 4, "Named");
    QFile damaged(f.Path("Damaged.MVF"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a calendar");
    damaged.close();
    // The first run leaves Recent.MVF as the most recent file.
    TCalendarMain& first = f.Start();
    QVERIFY(first.Document().OpenCalendarFile(f.Path("Recent.MVF")));

    TCalendarMain& main = f.Restart(named.isEmpty() ? QString() : f.Path(named));
    QCOMPARE(main.CurrentFileName(), opened.isEmpty() ? QString() : f.Path(opened));
    QCOMPARE(main.windowTitle().contains("[" + opened + "]"), !opened.isEmpty());
    QVERIFY(!main.Modified());
    if (message.isEmpty()) {
        QVERIFY(f.Ui.Messages.isEmpty());
    } else {
        QCOMPARE(f.Ui.Messages.size(), 1);
        QVERIFY2(f.Ui.Messages[0].Text.startsWith(message + f.Path(named)), qPrintable(f.Ui.Messages[0].Text));
    }
}

QObject* NewTestStartOptions()
{
    return new TestStartOptions;
}

#include "TestStartOptions.moc"
