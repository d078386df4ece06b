// One running instance: a second start finds the first, asks it to come forward (handing it the
// file it was started with), and is told to end.

#include "app/CalendarDocument.h"
#include "app/MainForms.h"
#include "app/SingleInstance.h"
#include "MainWindowFixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>
#include <QUuid>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void SecondStartBringsTheFirstForward();
    void StaleSocketDoesNotBlockTheFirstStart();
    void ReadRequest_data();
    void ReadRequest();
    void SecondStartHandsOverItsFile_data();
    void SecondStartHandsOverItsFile();
    void ProgramStartedAgainSaysWhatItDid_data();
    void ProgramStartedAgainSaysWhatItDid();
    void WrongRequestsAreIgnored_data();
    void WrongRequestsAreIgnored();
    void HandedOverFileWaitsForAnOpenDialog();
};

namespace {

QString NewServerName()
{
    return "MervaneTest-" + QUuid::createUuid().toString(QUuid::Id128);
}

// The first instance and its main window, wired as main() wires them.
struct TFirstInstance {
    TFirstInstance()
        : Name(NewServerName())
        , Instance(Name)
    {
        Listening = Instance.BecomeFirstInstance();
        TCalendarMain& main = Window.Start();
        QObject::connect(&Instance, &TSingleInstance::ActivationRequested, &main, &TCalendarMain::ComeForward);
        QObject::connect(&Instance, &TSingleInstance::OpenRequested, &main, &TCalendarMain::OpenFromAnotherStart,
                         Qt::QueuedConnection);
    }

    QString Name;
    TMainWindowFixture Window;
    TSingleInstance Instance;
    bool Listening = false;
};

} // namespace

void TestSingleInstance::SecondStartBringsTheFirstForward()
{
    const QString name = "MervaneTest-" + QUuid::createUuid().toString(QUuid::Id128);
    TMainWindowFixture f;
    TSingleInstance first(name);
    QVERIFY(first.BecomeFirstInstance());
    TCalendarMain& main = f.Start();
    // Wired as main() wires it.
    connect(&first, &TSingleInstance::ActivationRequested, &main, &TCalendarMain::ComeForward);
    main.showMinimized();
    QVERIFY(main.isMinimized());
    QSignalSpy requests(&first, &TSingleInstance::ActivationRequested);

    TSingleInstance second(name);
    QVERIFY(!second.BecomeFirstInstance());
    QVERIFY(requests.wait(5000));
    QCOMPARE(requests.size(), 1);
    QVERIFY(!main.isMinimized());
    QVERIFY(main.isVisible());
}

void TestSingleInstance::StaleSocketDoesNotBlockTheFirstStart()
{
    const QString name = "MervaneTest-" + QUuid::createUuid().toString(QUuid::Id128);
    // An instance that crashed leaves its socket file behind, with nobody listening on it.
    QFile stale(QDir::tempPath() + "/" + name);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    TSingleInstance next(name);
    QVERIFY(next.BecomeFirstInstance());
    TSingleInstance later(name);
    QVERIFY(!later.BecomeFirstInstance());
}

void TestSingleInstance::ReadRequest_data()
{
    using TKind = TSingleInstance::TRequest::TKind;
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("fileName");

    const QByteArray longest = "/" + QByteArray(TSingleInstance::MaximumRequestLength - 7, 'a');
    QTest::newRow("come forward") << QByteArray("come forward\n") << int(TKind::ComeForward) << "";
    QTest::newRow("open") << QByteArray("open /home/ann/Trip.MVF\n") << int(TKind::Open) << "/home/ann/Trip.MVF";
    QTest::newRow("open, UTF-8") << QByteArray("open /home/ann/Reise \xc3\xbc.MVF\n") << int(TKind::Open)
                                 << "/home/ann/Reise \u00fc.MVF";
    QTest::newRow("open, path cleaned") << QByteArray("open /home/ann/../bob/./T.MVF\n") << int(TKind::Open)
                                        << "/home/bob/T.MVF";
    QTest::newRow("longest") << "open " + longest + "\n" << int(TKind::Open) << QString::fromLatin1(longest);
    QTest::newRow("too long") << "open " + longest + "a\n" << int(TKind::Ignored) << "";
    QTest::newRow("relative path") << QByteArray("open Trip.MVF\n") << int(TKind::Ignored) << "";
    QTest::newRow("no path") << QByteArray("open \n") << int(TKind::Ignored) << "";
    QTest::newRow("no newline") << QByteArray("open /a.MVF") << int(TKind::Ignored) << "";
    QTest::newRow("not UTF-8") << QByteArray("open /a\xff.MVF\n") << int(TKind::Ignored) << "";
    QTest::newRow("control character") << QByteArray("open /a\tb.MVF\n") << int(TKind::Ignored) << "";
    QTest::newRow("NUL") << QByteArray("open /a\0b.MVF\n", 15) << int(TKind::Ignored) << "";
    QTest::newRow("other word") << QByteArray("close /a.MVF\n") << int(TKind::Ignored) << "";
    QTest::newRow("come forward, more") << QByteArray("come forward now\n") << int(TKind::Ignored) << "";
    QTest::newRow("empty") << QByteArray() << int(TKind::Ignored) << "";
}

void TestSingleInstance::ReadRequest()
{
    QFETCH(QByteArray, line);
    QFETCH(int, kind);
    QFETCH(QString, fileName);
    const TSingleInstance::TRequest request = TSingleInstance::ReadRequest(line);
    QCOMPARE(int(request.Kind), kind);
    QCOMPARE(request.FileName, fileName);
    // What a second start sends for a path reads back as that path.
    if (request.Kind == TSingleInstance::TRequest::TKind::Open)
        QCOMPARE(TSingleInstance::ReadRequest(TSingleInstance::RequestLine(fileName)).FileName, fileName);
}

void TestSingleInstance::SecondStartHandsOverItsFile_data()
{
    QTest::addColumn<bool>("unsaved"); // the first window has changes not yet saved
    QTest::addColumn<int>("answer");   // to "Save changes?": 0 No, 1 Yes, -1 left with Esc
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("opened");

    QTest::newRow("saved") << false << 0 << true << true;
    QTest::newRow("unsaved, not to be saved") << true << 0 << true << true;
    QTest::newRow("unsaved, saved first") << true << 1 << true << true;
    QTest::newRow("unsaved, question left") << true << -1 << true << false;
    QTest::newRow("missing file") << false << 0 << false << false;
}

void TestSingleInstance::SecondStartHandsOverItsFile()
{
    QFETCH(bool, unsaved);
    QFETCH(int, answer);
    QFETCH(bool, exists);
    QFETCH(bool, opened);

    TFirstInstance first;
    QVERIFY(first.Listening);
    TMainWindowFixture& f = first.Window;
    TCalendarMain& main = f.Main();
    const QString before = f.Path("Before.MVF");
    TMainWindowFixture::WriteCalendar(before, 3, 2027, 5, "March");
    QVERIFY(main.Document().OpenCalendarFile(before));
    if (unsaved)
        main.SetModified(true);
    main.showMinimized();
    QVERIFY(main.isMinimized());
    const QString trip = f.Path("Trip.MVF");
    if (exists)
        TMainWindowFixture::WriteCalendar(trip, 7, 2027, 10, "Trip");
    if (unsaved && answer >= 0)
        f.Ui.AnswerYesNo(answer == 1);
    else if (unsaved)
        f.Ui.CancelQuestion();
    QSignalSpy requests(&first.Instance, &TSingleInstance::OpenRequested);

    TSingleInstance second(first.Name);
    QVERIFY(!second.BecomeFirstInstance(trip));
    QVERIFY(requests.wait(5000));
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0][0].toString(), trip);
    // The opening is queued after the socket was read.
    QTRY_VERIFY(!main.isMinimized());
    QTRY_VERIFY(unsaved  ? !f.Ui.Questions.isEmpty()
                : exists ? main.CurrentFileName() == trip
                         : !f.Ui.Messages.isEmpty());
    QVERIFY(main.isVisible());
    QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join('\n')));
    QVERIFY(f.Ui.ScriptFinished());

    // With changes not yet saved, the question came first, and only one.
    QCOMPARE(f.Ui.Questions.size(), unsaved ? 1 : 0);
    if (unsaved)
        QCOMPARE(f.Ui.Questions[0].Text, QString("Save changes?"));
    QCOMPARE(main.CurrentFileName(), opened ? trip : before);
    QCOMPARE(main.windowTitle().contains("[Trip.MVF]"), opened);
    QCOMPARE(main.windowTitle().contains("[Before.MVF]"), !opened);
    if (opened)
        QCOMPARE(TMainWindowFixture::CellText(f.Page(), 10), QString("Trip"));
    if (!exists) {
        QCOMPARE(f.Ui.Messages.size(), 1);
        QCOMPARE(f.Ui.Messages[0].Text, "File " + trip + " no longer exists");
    } else {
        QVERIFY(f.Ui.Messages.isEmpty());
    }
    QCOMPARE(main.Modified(), unsaved && !opened);
}

void TestSingleInstance::ProgramStartedAgainSaysWhatItDid_data()
{
    QTest::addColumn<QString>("argument"); // the FILE given to the second start, run in the data folder
    QTest::addColumn<QString>("handed");   // the file the running instance is asked to open
    QTest::addColumn<QString>("line");     // what the second start prints

    QTest::newRow("no file") << ""
                             << ""
                             << "Mervane is already running: its window was brought forward.\n";
    QTest::newRow("relative file") << "Trip.MVF"
                                   << "Trip.MVF"
                                   << "Mervane is already running: %1 was handed to its window.\n";
    QTest::newRow("file in a folder above") << "../Trip.MVF"
                                            << "../Trip.MVF"
                                            << "Mervane is already running: %1 was handed to its window.\n";
    QTest::newRow("missing file") << "Absent.MVF"
                                  << "Absent.MVF"
                                  << "Mervane is already running: %1 was handed to its window.\n";
}

void TestSingleInstance::ProgramStartedAgainSaysWhatItDid()
{
    QFETCH(QString, argument);
    QFETCH(QString, handed);
    QFETCH(QString, line);
    // The real program, started as a user whose instance is this test's listener.
    const QString user = "test-" + QUuid::createUuid().toString(QUuid::Id128);
    TSingleInstance first("Mervane-" + user);
    QVERIFY(first.BecomeFirstInstance());
    QSignalSpy opens(&first, &TSingleInstance::OpenRequested);
    QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("work"));
    const QString work = dir.filePath("work");
    const QString expected = handed.isEmpty() ? QString() : QDir::cleanPath(work + "/" + handed);

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("USER", user);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(work);
    second.start(QCoreApplication::applicationDirPath() + "/mervane",
                 argument.isEmpty() ? QStringList() : QStringList{argument});
    // The request waits in the socket until this event loop reads it; the second start does not.
    QVERIFY(second.waitForFinished(60000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(second.readAllStandardOutput()), expected.isEmpty() ? line : line.arg(expected));

    QSignalSpy& requests = expected.isEmpty() ? activations : opens;
    QVERIFY(requests.wait(5000));
    QCOMPARE(requests.size(), 1);
    if (!expected.isEmpty())
        QCOMPARE(opens[0][0].toString(), expected);
    QCOMPARE((expected.isEmpty() ? opens : activations).size(), 0);
}

void TestSingleInstance::WrongRequestsAreIgnored_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("relative path") << QByteArray("open Trip.MVF\n");
    QTest::newRow("overlong line") << "open /" + QByteArray(3 * TSingleInstance::MaximumRequestLength, 'a') + "\n";
    QTest::newRow("no newline, overlong") << "open /" + QByteArray(3 * TSingleInstance::MaximumRequestLength, 'a');
    QTest::newRow("other") << QByteArray("GET / HTTP/1.0\r\n\r\n");
}

void TestSingleInstance::WrongRequestsAreIgnored()
{
    QFETCH(QByteArray, request);
    TFirstInstance first;
    QVERIFY(first.Listening);
    QSignalSpy opens(&first.Instance, &TSingleInstance::OpenRequested);
    QSignalSpy activations(&first.Instance, &TSingleInstance::ActivationRequested);

    // The first instance ends the connection once it read (or gave up reading) the request.
    QLocalSocket socket;
    socket.connectToServer(first.Name);
    QVERIFY(socket.waitForConnected(5000));
    QSignalSpy disconnected(&socket, &QLocalSocket::disconnected);
    socket.write(request);
    QVERIFY(disconnected.wait(5000));
    QCoreApplication::processEvents();
    QVERIFY(opens.isEmpty());
    QVERIFY(activations.isEmpty());
    QCOMPARE(first.Window.Main().CurrentFileName(), QString());

    // It still answers a proper request afterwards.
    TSingleInstance second(first.Name);
    QVERIFY(!second.BecomeFirstInstance());
    QVERIFY(activations.wait(5000));
    QVERIFY(opens.isEmpty());
}

void TestSingleInstance::HandedOverFileWaitsForAnOpenDialog()
{
    TFirstInstance first;
    QVERIFY(first.Listening);
    TMainWindowFixture& f = first.Window;
    TCalendarMain& main = f.Main();
    const QString trip = f.Path("Trip.MVF");
    TMainWindowFixture::WriteCalendar(trip, 7, 2027, 10, "Trip");
    auto* dialog = new QDialog(&main);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    QCOMPARE(QApplication::activeModalWidget(), dialog);

    main.OpenFromAnotherStart(trip);
    // It tries again while the dialog is open, and still waits.
    auto* retry = main.findChild<QTimer*>("OpenRetry");
    QVERIFY(retry);
    QSignalSpy tried(retry, &QTimer::timeout);
    QVERIFY(tried.wait(5000));
    QVERIFY(main.CurrentFileName() != trip);

    dialog->close();
    delete dialog;
    QTRY_COMPARE(main.CurrentFileName(), trip);
    QVERIFY(main.windowTitle().contains("[Trip.MVF]"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

QObject* NewTestSingleInstance()
{
    return new TestSingleInstance;
}

#include "TestSingleInstance.moc"
