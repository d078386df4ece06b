// The platform layer: folders, Windows-1252, the UI services seam, help, cursors, dialog centring
// and the printer check.

#include "platform/HelpWindow.h"
#include "platform/IniFile.h"
#include "platform/PrinterCopies.h"
#include "platform/Printers.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenPpi.h"
#include "platform/ScriptedUiServices.h"
#include "platform/Utility.h"
#include "platform/Windows1252.h"
#include "platform/WindowPlacement.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPrinter>
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
    void CopiesComeFromThePrinter_data();
    void CopiesComeFromThePrinter();
    void BusyCursorIsNotNested();
    void CenterDialogCentresOverTheMainWindow();
    void CenterDialogUsesTheScreenWhenMaximised();
    void HelpShowsATopicPageOrAPlaceholder();
    void IniValuesFallBackToDefaults_data();
    void IniValuesFallBackToDefaults();
    void IniWritesKeepTheRestOfTheFile();
    void IniSectionsKeepTheirOrderAndCanBeErased();
    void IniWriteFailureLeavesNoFile();
    void PlacementIsStoredPerResolution();
    void PlacementBeyondTheScreenIsPulledBack();
    void MaximisedWindowKeepsItsNormalRectangle();
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

void TestPlatform::CopiesComeFromThePrinter_data()
{
    QTest::addColumn<int>("chosen"); // 0: none chosen
    QTest::addColumn<int>("copies");
    QTest::newRow("none chosen") << 0 << 1;
    QTest::newRow("three") << 3 << 3;
}

void TestPlatform::CopiesComeFromThePrinter()
{
    QFETCH(int, chosen);
    QFETCH(int, copies);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    if (chosen > 0)
        printer.setCopyCount(chosen);
    QCOMPARE(ChosenCopies(printer), copies);
    // A PDF file holds each page as often as it was sent: no driver repeats it.
    QCOMPARE(MaxDriverCopies(printer), 1);
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

void TestPlatform::IniValuesFallBackToDefaults_data()
{
    QTest::addColumn<QString>("stored"); // empty: no such key
    QTest::addColumn<int>("integer");
    QTest::addColumn<bool>("boolean");
    QTest::newRow("missing") << QString() << 60 << true;
    QTest::newRow("decimal") << "75" << 75 << true;
    QTest::newRow("negative") << "-3" << -3 << true;
    QTest::newRow("hex") << "0x00FF" << 255 << true;
    QTest::newRow("upper-case hex") << "0X1f" << 31 << true;
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("not a number") << "sixty" << 60 << true;
    QTest::newRow("trailing junk") << "60%" << 60 << true;
}

void TestPlatform::IniValuesFallBackToDefaults()
{
    QFETCH(QString, stored);
    QFETCH(int, integer);
    QFETCH(bool, boolean);
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    if (!stored.isEmpty())
        QVERIFY(ini.WriteString("Zooming", "Main", stored));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 60), integer);
    QCOMPARE(ini.ReadBool("zooming", "MAIN", true), boolean);
    QCOMPARE(ini.ReadString("Zooming", "Other", "none"), QString("none"));
}

void TestPlatform::IniWritesKeepTheRestOfTheFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("MV.ini");
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; kept comment\n[Zooming]\nMain=60\nProp=30\n\n[Hints]\nOn=1\n");
    file.close();

    TIniFile ini(fileName);
    QVERIFY(ini.WriteInteger("ZOOMING", "main", 80)); // replaced in place
    QVERIFY(ini.WriteString("Zooming", "Extra", "x")); // appended to its section
    QVERIFY(ini.WriteBool("Default Font", "Bold", true)); // a new section at the end
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QString("; kept comment\n[Zooming]\nmain=80\nProp=30\nExtra=x\n\n[Hints]\nOn=1\n\n"
                     "[Default Font]\nBold=1\n"));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 0), 80);
    QVERIFY(ini.ReadBool("Default Font", "Bold", false));
}

void TestPlatform::IniSectionsKeepTheirOrderAndCanBeErased()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    QVERIFY(ini.WriteString("MRU", "F1", "/b.MVF"));
    QVERIFY(ini.WriteString("MRU", "F0", "/a=b.MVF"));
    QVERIFY(ini.WriteString("Hints", "On", "1"));
    const auto entries = ini.ReadSection("mru");
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0], (std::pair<QString, QString>("F1", "/b.MVF")));
    QCOMPARE(entries[1].second, QString("/a=b.MVF")); // only the first '=' separates
    QVERIFY(ini.EraseSection("MRU"));
    QVERIFY(ini.ReadSection("MRU").isEmpty());
    QCOMPARE(ini.ReadString("Hints", "On", "0"), QString("1"));
    QVERIFY(ini.EraseSection("Absent"));
}

void TestPlatform::IniWriteFailureLeavesNoFile()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("missing/folder/MV.ini"));
    QVERIFY(!ini.WriteInteger("Zooming", "Main", 1));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 7), 7);
}

void TestPlatform::PlacementIsStoredPerResolution()
{
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    TCalendarMain window;
    window.setGeometry(40, 50, 300, 200);
    SavePlacement(window);
    OverrideScreenPpi(120);
    window.setGeometry(10, 20, 100, 80);
    SavePlacement(window);
    OverrideScreenPpi(0);

    const TIniFile ini(IniFileName());
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement", "Right", 0), 340);
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement", "Bottom", 0), 250);
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement120", "Left", 0), 10);
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement120", "Bottom", 0), 100);

    TCalendarMain restored;
    RestorePlacement(restored);
    QCOMPARE(restored.geometry(), QRect(40, 50, 300, 200));
    OverrideDataFolder({});
}

void TestPlatform::PlacementBeyondTheScreenIsPulledBack()
{
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    const QSize screen = QApplication::primaryScreen()->geometry().size();
    TIniFile ini(IniFileName());
    ini.WriteInteger("TCalendarMain_Placement", "Left", screen.width() - 100);
    ini.WriteInteger("TCalendarMain_Placement", "Top", -30);
    ini.WriteInteger("TCalendarMain_Placement", "Right", screen.width() + 200);
    ini.WriteInteger("TCalendarMain_Placement", "Bottom", screen.height() + 50);

    TCalendarMain window;
    RestorePlacement(window);
    // Pulled back by the excess, size kept; a negative top is left alone.
    QCOMPARE(window.geometry(), QRect(screen.width() - 300, -30 - 50, 300, screen.height() + 80));
    OverrideDataFolder({});
}

void TestPlatform::MaximisedWindowKeepsItsNormalRectangle()
{
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    {
        TCalendarMain window;
        window.setGeometry(60, 70, 320, 240);
        window.showMaximized();
        SavePlacement(window);
    }
    const TIniFile ini(IniFileName());
    QVERIFY(ini.ReadBool("TCalendarMain_Placement", "Maximized", false));
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement", "Right", 0), 380);

    TCalendarMain restored;
    RestorePlacement(restored);
    QVERIFY(restored.windowState() & Qt::WindowMaximized);
    restored.showNormal();
    QCOMPARE(restored.geometry(), QRect(60, 70, 320, 240));

    // Nothing stored yet: centred, and the placement written at once.
    QTemporaryDir empty;
    OverrideDataFolder(empty.path());
    QWidget fresh;
    fresh.resize(200, 100);
    RestorePlacement(fresh);
    QVERIFY(TIniFile(IniFileName()).ReadInteger("QWidget_Placement", "Bottom", 0) != 0);
    OverrideDataFolder({});
}

QTEST_MAIN(TestPlatform)
#include "TestPlatform.moc"
