// The mvtool program itself: exit codes, where output and messages go, and drawing without a
// display.

#include "ToolFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "recurring/HolidayCatalogue.h"
#include "recurring/RecurringDatesFile.h"
#include "tools/CalendarJson.h"
#include "tools/MvTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstddef>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

// Runs mvtool in `process`, set up by the caller.
TRun RunMvTool(QProcess& process, const QStringList& arguments)
{
    process.start(QCoreApplication::applicationDirPath() + "/mvtool", arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TRun RunMvTool(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    return RunMvTool(process, arguments);
}

TRun RunMvTool(const QStringList& arguments)
{
    return RunMvTool(arguments, QProcessEnvironment::systemEnvironment());
}

// The exit code of a child that could not set up its fault.
constexpr int NoFault = 77;

// Makes every rename of the calling process fail with EIO, as on a failing disk, through a
// system-call filter that the program started next inherits. Renaming is how a finished file
// replaces the old one.
void FailRenames()
{
#ifdef __NR_rename
    constexpr unsigned RenameCall = __NR_rename;
#else
    constexpr unsigned RenameCall = __NR_renameat;
#endif
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, RenameCall, 3, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat2, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
    };
    const sock_fprog program{sizeof filter / sizeof filter[0], filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        _exit(NoFault);
}

// Makes every write past `bytes` into a file fail (EFBIG), as on a full disk.
void LimitFileSize(rlim_t bytes)
{
    const rlimit limit{bytes, bytes};
    if (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0)
        _exit(NoFault);
}

// Runs mvtool with a fault set up in its process: renames fail, or files may hold at most
// `fileSizeLimit` bytes.
TRun RunMvToolWithFault(const QStringList& arguments, bool failRenames, rlim_t fileSizeLimit)
{
    QProcess process;
    if (failRenames)
        process.setChildProcessModifier(FailRenames);
    else
        process.setChildProcessModifier([fileSizeLimit] { LimitFileSize(fileSizeLimit); });
    return RunMvTool(process, arguments);
}

} // namespace

class TestMvToolProgram : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void ExitCodesAndMessages_data();
    void ExitCodesAndMessages();
    void InfoPrintsTheJsonOnStandardOutput();
    void HolidaysPrintRecurringDatesFileBytes_data();
    void HolidaysPrintRecurringDatesFileBytes();
    void DrawsWithoutADisplay();
    void NoRuntimeFolderWarning_data();
    void NoRuntimeFolderWarning();
    void OtherMessagesStillShow();
    void FailedWritesLeaveThePreviousFile_data();
    void FailedWritesLeaveThePreviousFile();

private:
    QString Path(const QString& name) const { return m_Dir.filePath(name); }

    QTemporaryDir m_Dir;
};

void TestMvToolProgram::initTestCase()
{
    // mvtool knows only the program's own object classes: this calendar has none.
    TCalendarPanel32 page(nullptr);
    page.SetUserTitle("Program test \u2764");
    SetCellRtf(page, 4, "{\\rtf1 Cell\\par}");
    page.SaveToFile(Path("good.MVF"));
    WriteBytes(Path("damaged.MVF"), FileBytes(Path("good.MVF")).left(100));
    // A calendar holding an object of a kind the program does not know.
    TCalendarPanel32 foreign(nullptr);
    SetCellRtf(foreign, 4, "{\\rtf1 Cell\\par}");
    AddTestObject(foreign, "Stranger", QRect(10, 10, 50, 20));
    foreign.SaveToFile(Path("foreign.MVF"));
    WriteBytes(Path("good.json"), R"({"format": "calendar", "cells": [{"index": 1, "text": "Hi"}]})");
    WriteBytes(Path("wrong.json"), R"({"format": "calendar", "settings": {"TitleColour": "clRed"}})");
    WriteBytes(Path("broken.json"), R"({"format": )");
}

void TestMvToolProgram::ExitCodesAndMessages_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");     // expected in standard output
    QTest::addColumn<QString>("err");     // expected in standard error
    QTest::addColumn<QString>("written"); // a file the command writes

    TCalendarPanel32 page(nullptr);
    QString damagedMessage;
    try {
        page.LoadFromFile(Path("damaged.MVF"), nullptr);
    } catch (const EMervaneError& error) {
        damagedMessage = error.Message();
    }
    QVERIFY(!damagedMessage.isEmpty());

    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: mvtool"
                          << ""
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "mvtool " MERVANE_VERSION "\n"
                             << ""
                             << "";
    QTest::newRow("no command") << QStringList{} << 2 << ""
                                << "no command given"
                                << "";
    QTest::newRow("unknown command") << QStringList{"show"} << 2 << ""
                                     << "unknown command 'show'"
                                     << "";
    QTest::newRow("info") << QStringList{"info", Path("good.MVF")} << 0 << "\"userTitle\": \"Program test \u2764\""
                          << ""
                          << "";
    QTest::newRow("info without a file") << QStringList{"info"} << 2 << ""
                                         << "info needs FILE"
                                         << "";
    QTest::newRow("info of a damaged file")
        << QStringList{"info", Path("damaged.MVF")} << 1 << "" << Path("damaged.MVF") + ": " + damagedMessage << "";
    QTest::newRow("info of a missing file") << QStringList{"info", Path("absent.MVF")} << 1 << ""
                                            << "Cannot open file " + Path("absent.MVF") << "";
    QTest::newRow("build") << QStringList{"build", Path("good.json"), Path("built.MVF")} << 0 << ""
                           << "" << Path("built.MVF");
    QTest::newRow("build with a wrong field") << QStringList{"build", Path("wrong.json"), Path("wrong.MVF")} << 1 << ""
                                              << "settings.TitleColour: no such property"
                                              << "";
    QTest::newRow("build from broken JSON") << QStringList{"build", Path("broken.json"), Path("broken.MVF")} << 1 << ""
                                            << Path("broken.json") + ": not JSON"
                                            << "";
    QTest::newRow("build into no folder") << QStringList{"build", Path("good.json"), Path("none/built.MVF")} << 1 << ""
                                          << "Cannot create file " + Path("none/built.MVF") << "";
    QTest::newRow("render") << QStringList{"render", Path("good.MVF"), Path("page.png"), "--zoom", "0.5"} << 0 << ""
                            << "" << Path("page.png");
    QTest::newRow("render without output") << QStringList{"render", Path("good.MVF")} << 2 << ""
                                           << "render needs FILE and OUT"
                                           << "";
    QTest::newRow("render with a bad zoom")
        << QStringList{"render", Path("good.MVF"), Path("z.png"), "--zoom", "big"} << 2 << ""
        << "--zoom needs a number"
        << "";
    const QString leftOut =
        Path("foreign.MVF") +
        ": some objects could not be read and are left out: TTestPageObject (Class TTestPageObject not found)";
    QTest::newRow("info of an object mvtool does not know")
        << QStringList{"info", Path("foreign.MVF")} << 0 << "\"cells\"" << leftOut << "";
    QTest::newRow("render of an object mvtool does not know")
        << QStringList{"render", Path("foreign.MVF"), Path("foreign.png")} << 0 << "" << leftOut << Path("foreign.png");
    QTest::newRow("holidays list") << QStringList{"holidays", "--list"} << 0 << "US  United States\nGB  United Kingdom"
                                   << ""
                                   << "";
    QTest::newRow("holidays of an unknown country") << QStringList{"holidays", "XX"} << 2 << ""
                                                    << "no holidays for country 'XX' (known: US, GB, DE"
                                                    << "";
    QTest::newRow("holidays without a country") << QStringList{"holidays"} << 2 << ""
                                                << "holidays needs COUNTRY or --list"
                                                << "";
    QTest::newRow("render a damaged file")
        << QStringList{"render", Path("damaged.MVF"), Path("d.png")} << 1 << "" << damagedMessage << "";
}

void TestMvToolProgram::ExitCodesAndMessages()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, written);
    const TRun run = RunMvTool(arguments);
    QVERIFY2(run.ExitCode == exitCode, qPrintable(QString("exit code %1: %2").arg(run.ExitCode).arg(run.Err)));
    QVERIFY2(run.Out.contains(out), qPrintable(run.Out));
    QVERIFY2(run.Err.contains(err), qPrintable(run.Err));
    if (exitCode != 0)
        QVERIFY2(run.Err.contains("mvtool: "), qPrintable(run.Err));
    if (!written.isEmpty())
        QVERIFY(QFileInfo(written).size() > 0);
}

void TestMvToolProgram::InfoPrintsTheJsonOnStandardOutput()
{
    const TRun run = RunMvTool({"info", Path("good.MVF")});
    QCOMPARE(run.ExitCode, 0);
    QJsonParseError error;
    const QJsonDocument printed = QJsonDocument::fromJson(run.Out.toUtf8(), &error);
    QVERIFY2(printed.isObject(), qPrintable(error.errorString()));
    QCOMPARE(printed.object(), TCalendarJson::Info(Path("good.MVF")));
}

void TestMvToolProgram::HolidaysPrintRecurringDatesFileBytes_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<QByteArray>("start");
    // German names fit Windows-1252; Greek ones go out as UTF-8 behind the mark.
    QTest::newRow("DE") << "DE" << QByteArray("Neujahr" + QByteArray(113, ' ') + "@0101     \r\n");
    QTest::newRow("de") << "de" << QByteArray("Neujahr" + QByteArray(113, ' ') + "@0101     \r\n");
    QTest::newRow("AT") << "AT"
                        << QByteArray("Neujahr" + QByteArray(113, ' ') + "@0101     \r\nHeilige Drei K\xF6nige");
    QTest::newRow("GR") << "GR" << QByteArray("\xEF\xBB\xBF\xCE\xA0\xCF\x81\xCF\x89");
}

// What `mvtool holidays` prints is a recurring dates file of the country's catalogue, byte for
// byte as the program writes one.
void TestMvToolProgram::HolidaysPrintRecurringDatesFileBytes()
{
    QFETCH(QString, country);
    QFETCH(QByteArray, start);
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/mvtool", {"holidays", country});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    const QByteArray bytes = process.readAllStandardOutput();
    QVERIFY2(bytes.startsWith(start), bytes.left(200).constData());
    QCOMPARE(bytes, EncodeRecurringDates(HolidayCatalogue(country)));
    QCOMPARE(ParseRecurringDates(bytes).Records, HolidayCatalogue(country));
}

void TestMvToolProgram::DrawsWithoutADisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    const TRun run = RunMvTool({"render", Path("good.MVF"), Path("headless.png")}, environment);
    QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
    TCalendarPanel32 page(nullptr);
    page.LoadFromFile(Path("good.MVF"), nullptr);
    QCOMPARE(QImage(Path("headless.png")).size(), page.size());
}

void TestMvToolProgram::NoRuntimeFolderWarning_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("info") << QStringList{"info", Path("good.MVF")};
    QTest::newRow("render") << QStringList{"render", Path("good.MVF"), Path("quiet.png")};
}

void TestMvToolProgram::NoRuntimeFolderWarning()
{
    QFETCH(QStringList, arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    const TRun run = RunMvTool(arguments, environment);
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Err, QString());
}

namespace {

QStringList CaughtMessages;

void CatchMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    CaughtMessages += message;
}

} // namespace

void TestMvToolProgram::OtherMessagesStillShow()
{
    CaughtMessages.clear();
    const QtMessageHandler before = qInstallMessageHandler(CatchMessage);
    TMvTool::QuietenRuntimeFolderWarning();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-tester'");
    qWarning("Cannot open the font file");
    qDebug("QStandardPaths: XDG_RUNTIME_DIR not set (as a debug message)");
    qInstallMessageHandler(before);
    QCOMPARE(CaughtMessages, (QStringList{"Cannot open the font file",
                                          "QStandardPaths: XDG_RUNTIME_DIR not set (as a debug message)"}));
}

// A write that fails at the end (the finished file cannot replace the old one) or on the way (the
// disk fills one byte before the file is whole) is reported, and leaves the old file as it was
// with no stray file beside it.
void TestMvToolProgram::FailedWritesLeaveThePreviousFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("failRenames"); // else the disk fills
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("err");

    WriteBytes(Path("style.json"), R"({"format": "style sheet"})");
    const QString year = Path("year.pdf");
    const QStringList yearArguments{"year", Path("good.MVF"), "2027", year, "--months", "2"};
    for (const bool failRenames : {true, false}) {
        const char* fault = failRenames ? "rename fails" : "disk full";
        QTest::addRow("calendar file, %s", fault)
            << QStringList{"build", Path("good.json"), Path("kept.MVF")} << failRenames << Path("kept.MVF")
            << Path("kept.MVF") + ": Stream write error";
        QTest::addRow("style sheet, %s", fault)
            << QStringList{"build", Path("style.json"), Path("kept.MVS")} << failRenames << Path("kept.MVS")
            << Path("kept.MVS") + ": Stream write error";
        QTest::addRow("page PDF, %s", fault) << QStringList{"render", Path("good.MVF"), Path("kept.pdf")} << failRenames
                                             << Path("kept.pdf") << "Cannot write " + Path("kept.pdf");
        QTest::addRow("page PNG, %s", fault) << QStringList{"render", Path("good.MVF"), Path("kept.png")} << failRenames
                                             << Path("kept.png") << "Cannot write " + Path("kept.png");
        QTest::addRow("year PDF, %s", fault) << yearArguments << failRenames << year << "Cannot write " + year;
    }
}

void TestMvToolProgram::FailedWritesLeaveThePreviousFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, failRenames);
    QFETCH(QString, target);
    QFETCH(QString, err);
    // Without a fault the command writes the file.
    const TRun plain = RunMvTool(arguments);
    QVERIFY2(plain.ExitCode == 0, qPrintable(plain.Err));
    const qint64 size = QFileInfo(target).size();
    QVERIFY(size > 1);

    const QByteArray old = "The file the command must not lose.";
    WriteBytes(target, old);
    const QStringList filesBefore = QDir(m_Dir.path()).entryList(QDir::Files);
    const TRun run = RunMvToolWithFault(arguments, failRenames, rlim_t(size - 1));
    if (run.ExitCode == NoFault)
        QSKIP("This system does not let a process set up the fault");
    QVERIFY2(run.ExitCode == 1, qPrintable(QString("exit code %1: %2").arg(run.ExitCode).arg(run.Err)));
    QVERIFY2(run.Err.contains("mvtool: ") && run.Err.contains(err), qPrintable(run.Err));
    // The message says what went wrong, not Qt's stand-ins for a failed write.
    QVERIFY2(!run.Err.contains("canceled by application") && !run.Err.contains("Unknown error"), qPrintable(run.Err));
    QCOMPARE(FileBytes(target), old);
    QCOMPARE(QDir(m_Dir.path()).entryList(QDir::Files), filesBefore);
    QFile::remove(target);
}

QObject* NewTestMvToolProgram()
{
    return new TestMvToolProgram;
}

#include "TestMvToolProgram.moc"
