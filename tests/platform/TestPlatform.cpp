// The platform layer: folders, Windows-1252, the UI services seam, help, cursors, dialog centring
// and the printer check.

#include "platform/HelpWindow.h"
#include "platform/Printers.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenPpi.h"
#include "platform/ScriptedUiServices.h"
#include "platform/Utility.h"
#include "platform/Windows1252.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

// Stands in for the main window: CenterDialog finds it by its class name.
class TCalendarMain : public QWidget {
    Q_OBJECT
};

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void FoldersEndInASlash();
    void Windows1252RoundTrips_data();
    void Windows1252RoundTrips();
    void TextOutsideWindows1252IsRefused();
    void ScreenPpiCanBeOverridden();
    void ShowInfoAndAskYesNoGoThroughTheSeam();
    void UnscriptedQuestionsAreRecordedAndDeclined();
    void ScriptedDialogsWorkTheRealWidgets();
    void FileFiltersBecomeQtFilters();
    void CheckPrintersExplainsWhatIsMissing_data();
    void CheckPrintersExplainsWhatIsMissing();
    void BusyCursorIsNotNested();
    void CenterDialogCentresOverTheMainWindow();
    void CenterDialogUsesTheScreenWhenMaximised();
    void HelpShowsATopicPageOrAPlaceholder();
};

void TestPlatform::FoldersEndInASlash()
{
    QVERIFY(ProgramFolder().endsWith('/'));
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + '/');

    QTemporaryDir dir;
    OverrideDataFolder(dir.filePath("data"));
    QCOMPARE(DataFolder(), dir.filePath("data") + '/');
    QVERIFY(QDir(dir.filePath("data")).exists());
    QCOMPARE(IniFileName(), dir.filePath("data") + "/MV.ini");
    OverrideDataFolder({});
    QVERIFY(DataFolder().endsWith('/'));
}

void TestPlatform::Windows1252RoundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Jan 1998") << QString("Jan 1998");
    QTest::newRow("euro and quotes") << QByteArray("\x80\x93\x94") << QString("\u20AC\u201C\u201D");
    QTest::newRow("last of the high range") << QByteArray("\x9F") << QString("\u0178");
    QTest::newRow("unassigned byte") << QByteArray("\x81") << QString("\u0081");
    QTest::newRow("latin-1 range") << QByteArray("M\xE4rz \xFF") << QString("M\u00E4rz \u00FF");
}

void TestPlatform::Windows1252RoundTrips()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FromWindows1252(bytes), text);
    QCOMPARE(ToWindows1252(text), std::optional<QByteArray>(bytes));
}

void TestPlatform::TextOutsideWindows1252IsRefused()
{
    QVERIFY(!ToWindows1252(QString("\u0141\u00F3d\u017A")));
    QVERIFY(!ToWindows1252(QString("\U0001F600")));
}

void TestPlatform::ScreenPpiCanBeOverridden()
{
    QCOMPARE(ScreenPpi(), 96); // the offscreen platform
    OverrideScreenPpi(120);
    QCOMPARE(ScreenPpi(), 120);
    OverrideScreenPpi(0);
    QCOMPARE(ScreenPpi(), 96);
}

void TestPlatform::ShowInfoAndAskYesNoGoThroughTheSeam()
{
    TScriptedUiServices ui;
    ui.AnswerYesNo(true);
    ui.AnswerYesNo(false);
    ShowInfo("File x.MVF no longer exists");
    QVERIFY(AskYesNo("Save changes?", "Save"));
    QVERIFY(!AskYesNo("Cancel all changes?", "CANCEL"));

    QCOMPARE(ui.Messages.size(), 1);
    QCOMPARE(ui.Messages[0].Text, QString("File x.MVF no longer exists"));
    QCOMPARE(ui.Messages[0].Caption, QString("Information"));
    QCOMPARE(ui.Messages[0].Icon, TMessageIcon::Information);
    QCOMPARE(ui.Questions.size(), 2);
    QCOMPARE(ui.Questions[1].Caption, QString("CANCEL"));
    QVERIFY(ui.ScriptFinished());
    QVERIFY(ui.Unexpected.isEmpty());
}

void TestPlatform::UnscriptedQuestionsAreRecordedAndDeclined()
{
    TScriptedUiServices ui;
    ui.AnswerFileName("/tmp/a.MVF");
    QVERIFY(!AskYesNo("Save changes?", "Save")); // the script holds a file name, not an answer
    QCOMPARE(ui.Unexpected, QStringList{"question: Save changes?"});
    QCOMPARE(UiServices().GetSaveFileName({.Title = "Save Calendar File"}), QString("/tmp/a.MVF"));
    QCOMPARE(UiServices().GetOpenFileName({.Title = "Open Calendar File"}), QString());
    QCOMPARE(ui.Unexpected.size(), 2);
    QCOMPARE(ui.FileRequests.size(), 2);
    QCOMPARE(ui.FileRequests[0].Title, QString("Save Calendar File"));

    QColor color = Qt::red;
    ui.CancelChoice();
    QVERIFY(!UiServices().ChooseColor(color));
    QCOMPARE(color, QColor(Qt::red));
    ui.AnswerColor(Qt::blue);
    QVERIFY(UiServices().ChooseColor(color));
    QCOMPARE(color, QColor(Qt::blue));
}

void TestPlatform::ScriptedDialogsWorkTheRealWidgets()
{
    TScriptedUiServices ui;
    QDialog dialog;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    bool wasVisible = false;
    ui.AnswerDialog([&](QDialog& shown) {
        wasVisible = shown.isVisible();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return shown.result();
    });
    QCOMPARE(UiServices().ExecDialog(dialog), int(QDialog::Accepted));
    QVERIFY(wasVisible);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ui.DialogsShown, QStringList{"QDialog"});

    QCOMPARE(UiServices().ExecDialog(dialog), int(QDialog::Rejected)); // unscripted
    QCOMPARE(ui.Unexpected, QStringList{"dialog: QDialog"});
}

void TestPlatform::FileFiltersBecomeQtFilters()
{
    QCOMPARE(ToQtFileFilter("Calendar File|*.MVF"), QString("Calendar File (*.MVF)"));
    QCOMPARE(ToQtFileFilter("Pictures|*.BMP;*.ICO|All|*.*"), QString("Pictures (*.BMP *.ICO);;All (*.*)"));
}

void TestPlatform::CheckPrintersExplainsWhatIsMissing_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("message");
    QTest::newRow("none installed") << QStringList() << QString() << false
                                    << "There are no installed printers.\r\nUnable to perform printer related operations";
    QTest::newRow("no default") << QStringList{"Laser"} << QString() << false
                                << "There is no default printer selected.\r\nUnable to perform printer related operations";
    QTest::newRow("ready") << QStringList{"Laser", "Inkjet"} << QString("Inkjet") << true << QString();
}

void TestPlatform::CheckPrintersExplainsWhatIsMissing()
{
    QFETCH(QStringList, printers);
    QFETCH(QString, defaultPrinter);
    QFETCH(bool, available);
    QFETCH(QString, message);
    TScriptedUiServices ui;
    OverridePrinters({[=] { return printers; }, [=] { return defaultPrinter; }});
    QCOMPARE(CheckPrinters(), available);
    OverridePrinters({});
    QCOMPARE(ui.Messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(ui.Messages[0].Text, message);
        QCOMPARE(ui.Messages[0].Caption, QString("Information"));
    }
}

void TestPlatform::BusyCursorIsNotNested()
{
    BusyCursor();
    BusyCursor();
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    NormalCursor();
    QVERIFY(!QApplication::overrideCursor());
    NormalCursor(); // harmless without a busy cursor
    QVERIFY(!QApplication::overrideCursor());
}

void TestPlatform::CenterDialogCentresOverTheMainWindow()
{
    TCalendarMain main;
    main.setGeometry(100, 100, 635, 378);
    main.show();
    QWidget dialog;
    dialog.resize(201, 100);
    const QRect outer = main.frameGeometry();
    CenterDialog(dialog);
    // left = main.left + (main.width - width) / 2, top likewise
    QCOMPARE(dialog.pos(), QPoint(outer.x() + (outer.width() - 201) / 2, outer.y() + (outer.height() - 100) / 2));

    // A wider dialog reaches left of the main window; the negative half truncates toward zero.
    dialog.resize(outer.width() + 5, 100);
    CenterDialog(dialog);
    QCOMPARE(dialog.pos().x(), outer.x() - 2);
}

void TestPlatform::CenterDialogUsesTheScreenWhenMaximised()
{
    TCalendarMain main;
    main.showMaximized();
    QWidget dialog;
    dialog.resize(200, 100);
    CenterDialog(dialog);
    const QRect screen = QApplication::primaryScreen()->geometry();
    QCOMPARE(dialog.pos(), QPoint(screen.x() + (screen.width() - 200) / 2, screen.y() + (screen.height() - 100) / 2));

    // The main window itself is centred on the screen.
    TCalendarMain other;
    other.resize(300, 200);
    CenterDialog(other);
    QCOMPARE(other.pos(), QPoint(screen.x() + (screen.width() - 300) / 2, screen.y() + (screen.height() - 200) / 2));
}

void TestPlatform::HelpShowsATopicPageOrAPlaceholder()
{
    const QString folder = ProgramFolder() + "help/";
    QVERIFY(QDir().mkpath(folder));
    QFile page(folder + "4242.html");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><p>Placing a mini calendar</p></body></html>");
    page.close();

    ShowHelpTopic(4242);
    THelpWindow& help = THelpWindow::Instance();
    QVERIFY(help.isVisible());
    QCOMPARE(help.CurrentTopic(), 4242);
    QVERIFY(help.CurrentHtml().contains("Placing a mini calendar"));
    page.remove();

    ShowHelpTopic(2100);
    QCOMPARE(help.CurrentTopic(), 2100);
    QVERIFY(help.CurrentHtml().contains("Help topic 2100"));

    ShowHelpContents();
    QCOMPARE(help.CurrentTopic(), 0);
    QVERIFY(help.CurrentHtml().contains("Mervane Help"));
}

QTEST_MAIN(TestPlatform)
#include "TestPlatform.moc"
