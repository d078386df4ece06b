// The main window driven as the user drives it: start-up, opening and saving, closing with
// changes, zoom, the cell editor and its keys, recent files, drag and drop, the icon tool.

#include "MainWindowFixture.h"
#include "../common/PixelRings.h"

#include "app/MRUFileList.h"
#include "calendar/CalendarProperties.h"
#include "objects/GGraphicControl.h"
#include "objects/GHandle.h"
#include "objects/GPLabel.h"
#include "objects/ScreenCursor.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platformui/HelpWindow.h"
#include "platformui/Utility.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QTextDocument>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolTip>
#include <QTextBlock>
#include <QTextLayout>
#include <QMenuBar>
#include <QTabBar>
#include <QToolButton>

namespace {

// Opens `fileName` through File / Open.
void OpenThroughMenu(TMainWindowFixture& f, const QString& fileName)
{
    f.Ui.AnswerFileName(fileName);
    f.Trigger("Open1");
}

// The captions of the File menu from "E&xit" on (the recent files follow it).
QStringList CaptionsAfterExit(TMainWindowFixture& f)
{
    QStringList captions;
    bool after = false;
    for (const QAction* action : f.Widget<QMenu>("FileMenu")->actions()) {
        if (action->objectName() == "Exit1")
            after = true;
        else if (after)
            captions += action->isSeparator() ? QString("-") : action->text();
    }
    return captions;
}

// A plain page object standing in for the text labels.
class TPlainObject : public TGGraphicControl {
public:
    using TGGraphicControl::TGGraphicControl;
    QString ClassName() const override { return "TPlainObject"; }
};

// Answers the next properties dialog: `work` sets its controls, then "&Ok" or "&Cancel" is
// clicked. Records the preview's zoom as the dialog showed it.
void AnswerProperties(TMainWindowFixture& f, const std::function<void(QDialog&)>& work, bool ok,
                      float* previewZoom = nullptr)
{
    f.Ui.AnswerDialog([=](QDialog& dialog) {
        if (previewZoom)
            *previewZoom = static_cast<TCalendarProperties&>(dialog).ExampleCalendar().Zoom();
        if (work)
            work(dialog);
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "okbutton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
}

void ChooseDate(QDialog& dialog, QDate date)
{
    dialog.findChild<QCalendarWidget*>("Calendar")->setSelectedDate(date);
}

void ChooseLayoutEntry(QDialog& dialog, const QString& entry)
{
    auto* list = dialog.findChild<QListWidget*>("LayoutList");
    const QList<QListWidgetItem*> items = list->findItems(entry, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->setCurrentItem(items.first());
}

// A new calendar of January 1998 made through File / New.
void NewJanuary1998(TMainWindowFixture& f)
{
    AnswerProperties(
        f, [](QDialog& d) { ChooseDate(d, QDate(1998, 1, 15)); }, true);
    f.Trigger("New1");
}

// The editor's text area in page coordinates.
QRect EditorTextArea(TMainWindowFixture& f)
{
    const QWidget* area = f.Editor().viewport();
    return QRect(area->mapTo(f.Page().parentWidget(), QPoint(0, 0)) - f.Page().pos(), area->size());
}

// The lines the editor's text is laid out in, paragraph by paragraph.
int EditorLines(const TWPRichText& editor)
{
    int lines = 0;
    for (QTextBlock block = editor.Text().Document().begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

} // namespace

class TestCalendarMain : public QObject {
    Q_OBJECT

private slots:
    void FirstStartShowsNoPage_data();
    void FirstStartShowsNoPage();
    void TypedTextSurvivesSaveAsAndRestart();
    void ClosingWithChanges_data();
    void ClosingWithChanges();
    void EscOnTheQuestionKeepsTheWork_data();
    void EscOnTheQuestionKeepsTheWork();
    void FailedSaveKeepsNameAndChanges();
    void ZoomStaysWithinItsLimits_data();
    void ZoomStaysWithinItsLimits();
    void EditorWrapsAsThePageAtEveryZoom_data();
    void EditorWrapsAsThePageAtEveryZoom();
    void TabMovesTheEditorWithinThePage_data();
    void TabMovesTheEditorWithinThePage();
    void RecentFilesKeepFiveWithoutDuplicates();
    void DeletedRecentFileLeavesTheList();
    void OpenRejectsWrongAndDamagedFiles();
    void CancelChangesReopensTheFile();
    void PictureDroppedOnACellGoesIntoIt();
    void IconToolFollowsThePage();
    void DefaultEditorFontIsKeptOnlyWhenConfirmed();
    void AboutBoxShowsTheVersion();
    void ToolButtonsSetThePageState_data();
    void ToolButtonsSetThePageState();
    void TextToolLabelsStartFromTheWindowsFont();
    void TurnedLabelKeepsItsBorderWhole();
    void ClearAllCellContentsAsksNothing();
    void HintsCanBeSwitchedOff();
    void BusyCursorClearedOverTheToolBar();
    void PrintingNeedsADefaultPrinter_data();
    void PrintingNeedsADefaultPrinter();
    void HelpContentsOpenTheHelpWindow();
    void NewCalendarTypedSavedAndReopened();
    void NewCancelledLeavesTheOldPage();
    void ClosingANewCalendar_data();
    void ClosingANewCalendar();
    void PropertiesChangeClearsWhatNoLongerFits_data();
    void PropertiesChangeClearsWhatNoLongerFits();
    void UserDefinedTitle_data();
    void UserDefinedTitle();
    void MenusInTheirOrder();
    void HelpTellsOfEveryCommand();
    void RecentFileOffersToSaveChangesFirst();
    void CopiedObjectOutlivesThePropertiesPreview_data();
    void CopiedObjectOutlivesThePropertiesPreview();
    void DialogsCentreOverTheMainWindowWhileItExists();
    void ClickThatMovesAPixelOpensTheEditor();
    void EditorTextStandsWhereThePageDrawsIt_data();
    void EditorTextStandsWhereThePageDrawsIt();
    void TextPastTheCellKeepsTheCaretInViewAndIsMarked();
};

void TestCalendarMain::FirstStartShowsNoPage_data()
{
    QTest::addColumn<QString>("recentFile");
    QTest::newRow("no MV.ini") << QString();
    QTest::newRow("recent file deleted") << QString("gone.MVF");
}

void TestCalendarMain::FirstStartShowsNoPage()
{
    QFETCH(QString, recentFile);
    TMainWindowFixture f;
    if (!recentFile.isEmpty())
        TIniFile(IniFileName()).WriteString("MRU", "F0", f.Path(recentFile));
    TCalendarMain& main = f.Start();

    QCOMPARE(main.ZoomPercent(), 60);
    QCOMPARE(main.Preferences().PropertiesZoomPercent, 30);
    QCOMPARE(main.Preferences().DefaultFont.Name, QString("Arial"));
    QCOMPARE(main.Preferences().DefaultFont.Size, 10);
    QCOMPARE(main.Preferences().DefaultFont.Color, clBlack);
    QVERIFY(f.Action("mnuShowHint")->isChecked());
    QVERIFY(!f.Page().isVisible());
    QVERIFY(main.CurrentFileName().isEmpty());
    QCOMPARE(main.windowTitle(), QString("Mervane    [60%]"));
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(!f.Action("mnuSaveAs")->isEnabled());
    QVERIFY(!f.Action("mnuProperties")->isEnabled() && !f.Action("mnuSave")->isEnabled());
    QVERIFY(f.Action("New1")->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    // Rich-text objects find their work area by this name among the window's components.
    auto* master = dynamic_cast<TWPRichText*>(main.FindComponent("MASTERWPRICHTEXT"));
    QVERIFY(master && !master->isVisible());
    QVERIFY(f.Widget<QMenu>("OnlineMenu")->menuAction()->isVisible());
    // No placement stored yet: the window is centred on the screen (to within its frame, which
    // it gets only when shown), and its placement kept.
    const QPoint offCentre = main.frameGeometry().center() - main.screen()->geometry().center();
    QVERIFY2(qAbs(offCentre.x()) <= 2 && qAbs(offCentre.y()) <= 2,
             qPrintable(QString("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
    QCOMPARE(TIniFile(IniFileName()).ReadInteger("TCalendarMain_Placement", "Bottom", 0) -
                 TIniFile(IniFileName()).ReadInteger("TCalendarMain_Placement", "Top", 0),
             main.height());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::TypedTextSurvivesSaveAsAndRestart()
{
    TMainWindowFixture f;
    const QString start = f.Path("start.MVF");
    TMainWindowFixture::WriteCalendar(start, 1, 1998, 10, "");
    TIniFile(IniFileName()).WriteString("MRU", "F0", start);
    TCalendarMain& main = f.Start();
    QVERIFY(f.Page().isVisible());
    QCOMPARE(main.windowTitle(), QString("Mervane  [start.MVF]    [60%]"));
    for (const char* name : {"mnuSave", "mnuSaveAs", "mnuProperties", "mnuPrintCalendar", "mnuPrintSetup",
                             "mnuCancelChanges", "mnuClearAllCellContents", "mnuUserTitle"})
        QVERIFY2(f.Action(name)->isEnabled(), name);
    QVERIFY(!f.Widget<QWidget>("WPToolBar1")->isEnabled());
    QVERIFY(!f.Widget<QToolButton>("Savebutton")->isVisible());

    f.ClickCell(10);
    QVERIFY(main.EditorActive());
    QCOMPARE(main.CurrentCell(), 10);
    QVERIFY(f.Editor().isVisible());
    QVERIFY(f.Widget<QWidget>("WPToolBar1")->isEnabled());
    // The editor's text area lies on the cell's free area.
    const TRect free = f.Page().CellRecord(10).Free;
    QCOMPARE(EditorTextArea(f), QRect(free.Left, free.Top, free.Width() + 1, free.Height() + 1));
    QVERIFY(!main.Modified());
    QTest::keyClicks(&f.Editor(), "Dentist");
    QVERIFY(main.Modified());
    // Ctrl+A selects the whole text, so what is typed next replaces it.
    QTest::keyClick(&f.Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&f.Editor(), "Dentist 9:30");
    QVERIFY(f.Widget<QToolButton>("Savebutton")->isVisible());

    // Save As proposes the month and year, and saves the typed text.
    const QString saved = f.Path("mine.MVF");
    f.Ui.AnswerFileName(saved);
    f.Trigger("mnuSaveAs");
    QCOMPARE(f.Ui.FileRequests.last().FileName, QString("start.MVF"));
    QCOMPARE(main.CurrentFileName(), saved);
    QVERIFY(!main.Modified());
    QCOMPARE(main.windowTitle(), QString("Mervane  [mine.MVF]    [60%]"));
    QCOMPARE(main.MRUList().Files().first(), saved);

    // More text, saved with Ctrl+S.
    f.ClickCell(11);
    QTest::keyClicks(&f.Editor(), "Gym");
    QVERIFY(main.Modified());
    QTest::keyClick(&f.Editor(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!main.Modified());
    QVERIFY(!main.EditorActive());

    TCalendarMain& again = f.Restart();
    QCOMPARE(again.CurrentFileName(), saved);
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 10), QString("Dentist 9:30"));
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 11), QString("Gym"));
    QCOMPARE(again.windowTitle(), QString("Mervane  [mine.MVF]    [60%]"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::ClosingWithChanges_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("no: closes without saving") << false;
    QTest::newRow("yes: saves and closes") << true;
}

void TestCalendarMain::ClosingWithChanges()
{
    QFETCH(bool, answerYes);
    TMainWindowFixture f;
    const QString file = f.Path("Dec2026.MVF");
    f.StartOnMonth(file, 12, 2026, 8, "old");
    f.ClickCell(8);
    QTest::keyClick(&f.Editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&f.Editor(), " new");

    f.Ui.AnswerYesNo(answerYes);
    QVERIFY(f.Close());
    QCOMPARE(f.Ui.Questions.size(), 1);
    QCOMPARE(f.Ui.Questions[0].Text, QString("Save changes?"));
    QCOMPARE(f.Ui.Questions[0].Caption, QString("Save"));

    TCalendarPanel32 stored(nullptr);
    stored.LoadFromFile(file, nullptr);
    QCOMPARE(TMainWindowFixture::CellText(stored, 8), answerYes ? QString("old new") : QString("old"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::EscOnTheQuestionKeepsTheWork_data()
{
    QTest::addColumn<QString>("command"); // "close", "recent" or a menu item
    QTest::addColumn<QString>("question");
    QTest::newRow("close") << "close"
                           << "Save changes?";
    QTest::newRow("new") << "New1"
                         << "Save changes?";
    QTest::newRow("open") << "Open1"
                          << "Save changes?";
    QTest::newRow("recent file") << "recent"
                                 << "Save changes?";
    QTest::newRow("cancel changes") << "mnuCancelChanges"
                                    << "Cancel all changes?";
}

// Esc or closing the question box means "do not go on": the window, the file and the typed
// text stay, and nothing further is asked.
void TestCalendarMain::EscOnTheQuestionKeepsTheWork()
{
    QFETCH(QString, command);
    QFETCH(QString, question);
    TMainWindowFixture f;
    const QString file = f.Path("Dec2026.MVF");
    const QString other = f.Path("Jan2027.MVF");
    TMainWindowFixture::WriteCalendar(file, 12, 2026, 8, "old");
    TMainWindowFixture::WriteCalendar(other, 1, 2027, 3, "other");
    TIniFile(IniFileName()).WriteString("MRU", "F0", file);
    TIniFile(IniFileName()).WriteString("MRU", "F1", other);
    TCalendarMain& main = f.Start();
    QCOMPARE(main.CurrentFileName(), file);
    f.ClickCell(8);
    QTest::keyClick(&f.Editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&f.Editor(), " new");

    f.Ui.CancelQuestion();
    if (command == "close") {
        QVERIFY(!f.Close());
    } else if (command == "recent") {
        for (QAction* action : f.Widget<QMenu>("FileMenu")->actions()) {
            if (action->text().endsWith(" " + other))
                action->trigger();
        }
    } else {
        f.Trigger(command);
    }

    QTRY_COMPARE(f.Ui.Questions.size(), 1);
    QCOMPARE(f.Ui.Questions[0].Text, question);
    QVERIFY(main.isVisible());
    QCOMPARE(main.CurrentFileName(), file);
    QVERIFY(main.Modified());
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 8), QString("old new"));
    QVERIFY(main.MRUList().Files().contains(other));
    TCalendarPanel32 stored(nullptr);
    stored.LoadFromFile(file, nullptr);
    QCOMPARE(TMainWindowFixture::CellText(stored, 8), QString("old"));
    QVERIFY(f.Ui.DialogsShown.isEmpty());
    QVERIFY(f.Ui.FileRequests.isEmpty());
    QVERIFY(f.Ui.ScriptFinished());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::FailedSaveKeepsNameAndChanges()
{
    TMainWindowFixture f;
    const QString file = f.Path("Mar2027.MVF");
    TCalendarMain& main = f.StartOnMonth(file, 3, 2027, 4);
    f.ClickCell(4);
    QTest::keyClicks(&f.Editor(), "keep me");
    const QString caption = main.windowTitle();

    // The file's place is taken by a folder: Save cannot write there.
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkdir(file));
    f.Trigger("mnuSave");
    QCOMPARE(f.Ui.Messages.size(), 1);
    QVERIFY(f.Ui.Messages[0].Text.startsWith("Unable to save " + file));
    QCOMPARE(main.CurrentFileName(), file);
    QVERIFY(main.Modified());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(main.windowTitle(), caption);
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 4), QString("keep me"));

    // Save As to a name that cannot be written: still modified, not a recent file.
    const QString folder = f.Path("folder.MVF");
    QVERIFY(QDir().mkdir(folder));
    f.Ui.AnswerFileName(folder);
    f.Trigger("mnuSaveAs");
    QCOMPARE(f.Ui.Messages.size(), 2);
    QVERIFY(f.Ui.Messages[1].Text.startsWith("Unable to save " + folder));
    QCOMPARE(main.CurrentFileName(), file);
    QVERIFY(main.Modified());
    QVERIFY(!main.MRUList().Files().contains(folder));

    // Open: Yes to "Save changes?" with a save that fails goes no further than the message.
    f.Ui.AnswerYesNo(true);
    f.Trigger("Open1");
    QCOMPARE(f.Ui.Messages.size(), 3);
    QCOMPARE(f.Ui.FileRequests.size(), 1); // only the Save As above
    QCOMPARE(main.CurrentFileName(), file);

    // Closing: Yes to "Save changes?" with a save that fails keeps the window open.
    f.Ui.AnswerYesNo(true);
    QVERIFY(!f.Close());
    QVERIFY(main.isVisible());
    QCOMPARE(f.Ui.Messages.size(), 4);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::ZoomStaysWithinItsLimits_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("step"); // a button's name or a key
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("zoomed");

    QTest::newRow("in at 100") << 100 << "ZoomPlusButton" << 100 << false;
    QTest::newRow("in at 90") << 90 << "ZoomPlusButton" << 100 << true;
    QTest::newRow("in at 60") << 60 << "ZoomPlusButton" << 70 << true;
    QTest::newRow("out at 60") << 60 << "ZoomMinusButton" << 60 << false;
    QTest::newRow("out at 70") << 70 << "ZoomMinusButton" << 60 << true;
    QTest::newRow("stored 30 stays on zoom out") << 30 << "ZoomMinusButton" << 30 << false;
    QTest::newRow("stored 30 zooms in") << 30 << "ZoomPlusButton" << 40 << true;
    QTest::newRow("stored 45 is read as 40") << 45 << "ZoomPlusButton" << 50 << true;
    QTest::newRow("stored 500 is read as the default 60") << 500 << "ZoomPlusButton" << 70 << true;
    QTest::newRow("Page Down zooms in") << 80 << "PageDown" << 90 << true;
    QTest::newRow("Page Up zooms out") << 80 << "PageUp" << 70 << true;
    QTest::newRow("Page Up at 60") << 60 << "PageUp" << 60 << false;
}

void TestCalendarMain::ZoomStaysWithinItsLimits()
{
    QFETCH(int, stored);
    QFETCH(QString, step);
    QFETCH(int, expected);
    QFETCH(bool, zoomed);

    TMainWindowFixture f;
    const QString file = f.Path("zoom.MVF");
    TMainWindowFixture::WriteCalendar(file, 5, 2027, 3, "");
    TCalendarMain& main = f.StartOnCalendar(file, stored);
    // The cell editor is open: zooming puts its text back first.
    f.ClickCell(3);
    QTest::keyClicks(&f.Editor(), "typed");

    if (step == "PageDown")
        QTest::keyClick(&f.Editor(), Qt::Key_PageDown);
    else if (step == "PageUp")
        QTest::keyClick(&f.Editor(), Qt::Key_PageUp);
    else
        QTest::mouseClick(f.Widget<QToolButton>(step), Qt::LeftButton);

    QCOMPARE(main.ZoomPercent(), expected);
    // Typed text not yet saved: the caption ends in a star.
    QCOMPARE(main.windowTitle(), QString("Mervane  [zoom.MVF]    [%1%] *").arg(expected));
    QCOMPARE(f.Page().width(), int(f.Page().Geometry().Width * (expected / 100.0f)));
    // A zoom step puts the edited text back into its cell first.
    QCOMPARE(main.EditorActive(), !zoomed);
    if (zoomed)
        QCOMPARE(TMainWindowFixture::CellText(f.Page(), 3), QString("typed"));

    // The zoom is kept for the next start.
    f.Ui.AnswerYesNo(false);
    QVERIFY(f.Close());
    QCOMPARE(TIniFile(IniFileName()).ReadInteger("Zooming", "Main", 0), expected);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::EditorWrapsAsThePageAtEveryZoom_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("60%") << 60;
    QTest::newRow("80%") << 80;
}

// The page paints a cell's text laid out at the cell's unzoomed width; the editor over the cell
// must break the lines at the same places, or the text jumps when the editor closes.
void TestCalendarMain::EditorWrapsAsThePageAtEveryZoom()
{
    QFETCH(int, zoom);
    const QString text = "Dentist appointment at half past nine, then soccer practice with the whole team";
    TMainWindowFixture f;
    const QString file = f.Path("wrap.MVF");
    TMainWindowFixture::WriteCalendar(file, 5, 2027, 3, text);
    TCalendarMain& main = f.StartOnCalendar(file, 100);
    f.ClickCell(3);
    const int unzoomedLines = EditorLines(f.Editor());
    QVERIFY(unzoomedLines > 2);

    while (main.ZoomPercent() > zoom)
        QTest::mouseClick(f.Widget<QToolButton>("ZoomMinusButton"), Qt::LeftButton);
    QCOMPARE(main.ZoomPercent(), zoom);
    f.ClickCell(3);
    QVERIFY(main.EditorActive());
    QCOMPARE(EditorLines(f.Editor()), unzoomedLines);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::TabMovesTheEditorWithinThePage_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<int>("expected");

    QTest::newRow("Tab to the next cell") << 5 << false << 6;
    QTest::newRow("Shift+Tab to the previous cell") << 6 << true << 5;
    QTest::newRow("Tab on the last cell") << 42 << false << 42;
    QTest::newRow("Shift+Tab on the first cell") << 1 << true << 1;
}

void TestCalendarMain::TabMovesTheEditorWithinThePage()
{
    QFETCH(int, cell);
    QFETCH(bool, backwards);
    QFETCH(int, expected);

    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("tab.MVF"), 5, 2027, 3);
    f.ClickCell(cell);
    QCOMPARE(main.CurrentCell(), cell);
    QTest::keyClicks(&f.Editor(), "text");
    const QRect before = f.Editor().geometry();

    if (backwards)
        QTest::keyClick(&f.Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(&f.Editor(), Qt::Key_Tab);

    QCOMPARE(main.CurrentCell(), expected);
    QVERIFY(f.Editor().isVisible());
    QVERIFY(f.Editor().hasFocus());
    if (expected == cell) {
        QCOMPARE(f.Editor().geometry(), before);
        QCOMPARE(f.Editor().Text().Document().toPlainText(), QString("text"));
    } else {
        // The text went back into its cell; the editor shows the neighbour's.
        QCOMPARE(TMainWindowFixture::CellText(f.Page(), cell), QString("text"));
        QVERIFY(f.Editor().IsEmpty());
        const TRect free = f.Page().CellRecord(expected).Free;
        QCOMPARE(EditorTextArea(f).topLeft(), QPoint(free.Left, free.Top));
    }
}

void TestCalendarMain::RecentFilesKeepFiveWithoutDuplicates()
{
    TMainWindowFixture f;
    QVERIFY(QDir().mkdir(f.Path("cals")));
    // The same folder under a name in other letters, as a case-insensitive disk shows it.
    QVERIFY(QFile::link(f.Path("cals"), f.Path("CALS")));
    QStringList files;
    for (int i = 1; i <= 6; ++i) {
        files += f.Path(QString("cals/f%1.MVF").arg(i));
        TMainWindowFixture::WriteCalendar(files.last(), i, 2027, 1, "");
    }
    TCalendarMain& main = f.Start();
    QVERIFY(CaptionsAfterExit(f).isEmpty()); // no separator for an empty list

    for (const QString& file : files)
        OpenThroughMenu(f, file);
    QCOMPARE(main.MRUList().Files(), (QStringList{files[5], files[4], files[3], files[2], files[1]}));
    QCOMPARE(CaptionsAfterExit(f), (QStringList{"-", "&1 " + files[5], "&2 " + files[4], "&3 " + files[3],
                                                "&4 " + files[2], "&5 " + files[1]}));

    OpenThroughMenu(f, files[2]);
    QCOMPARE(main.MRUList().Files(), (QStringList{files[2], files[5], files[4], files[3], files[1]}));

    const QString otherCase = f.Path("CALS/f4.MVF");
    OpenThroughMenu(f, otherCase);
    QCOMPARE(main.MRUList().Files(), (QStringList{otherCase, files[2], files[5], files[4], files[1]}));

    // Stored for the next start, most recent first.
    const auto stored = TIniFile(IniFileName()).ReadSection("MRU");
    QCOMPARE(stored.size(), 5);
    QCOMPARE(stored.first(), (std::pair<QString, QString>("F0", otherCase)));
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::DeletedRecentFileLeavesTheList()
{
    TMainWindowFixture f;
    const QString older = f.Path("older.MVF");
    const QString newer = f.Path("newer.MVF");
    TMainWindowFixture::WriteCalendar(older, 1, 2027, 1, "");
    TMainWindowFixture::WriteCalendar(newer, 2, 2027, 1, "");
    TCalendarMain& main = f.Start();
    OpenThroughMenu(f, older);
    OpenThroughMenu(f, newer);
    QVERIFY(QFile::remove(older));

    QAction* entry = nullptr;
    for (QAction* action : f.Widget<QMenu>("FileMenu")->actions()) {
        if (action->text() == "&2 " + older)
            entry = action;
    }
    QVERIFY(entry);
    entry->trigger();

    QTRY_COMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, "File " + older + " no longer exists");
    QCOMPARE(f.Ui.Messages[0].Caption, QString("Information"));
    QCOMPARE(main.MRUList().Files(), QStringList{newer});
    QCOMPARE(CaptionsAfterExit(f), (QStringList{"-", "&1 " + newer}));
    // The calendar being edited stays.
    QCOMPARE(main.CurrentFileName(), newer);
    QVERIFY(f.Page().isVisible());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::OpenRejectsWrongAndDamagedFiles()
{
    TMainWindowFixture f;
    const QString good = f.Path("good.MVF");
    TMainWindowFixture::WriteCalendar(good, 4, 2027, 2, "kept");
    TIniFile(IniFileName()).WriteString("MRU", "F0", good);
    TCalendarMain& main = f.Start();

    OpenThroughMenu(f, f.Path("notes.txt"));
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, QString("Must be a Calendar file (*.MVF)"));
    QCOMPARE(main.CurrentFileName(), good);
    QCOMPARE(f.Ui.FileRequests.last().Title, QString("Open Calendar File"));
    QCOMPARE(f.Ui.FileRequests.last().Filter, QString("Calendar File|*.MVF"));

    const QString damaged = f.Path("damaged.MVF");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("TPF0 not a calendar at all");
    file.close();
    OpenThroughMenu(f, damaged);
    QCOMPARE(f.Ui.Messages.size(), 2);
    QCOMPARE(f.Ui.Messages[1].Text,
             "Unable to open " + damaged +
                 ". Possibly \rcorrupted, possibly not a Calendar file.\rInvalid property value");
    // The calendar being edited stays, with its file, its text and its caption.
    QCOMPARE(main.CurrentFileName(), good);
    QVERIFY(f.Page().isVisible());
    QCOMPARE(f.Page().MainCalMonth(), 4);
    QVERIFY(f.Page().HasCellText());
    QVERIFY(!main.MRUList().Files().contains(damaged));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(main.windowTitle(), QString("Mervane  [good.MVF]    [60%]"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::CancelChangesReopensTheFile()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("cancel.MVF"), 6, 2027, 9, "saved");
    auto* cancel = f.Widget<QToolButton>("CancelButton");
    QVERIFY(!cancel->isVisible());

    f.ClickCell(9);
    QTest::keyClick(&f.Editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&f.Editor(), " edited");
    QVERIFY(cancel->isVisible());

    f.Ui.AnswerYesNo(false);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(f.Ui.Questions.last().Text, QString("Cancel all changes?"));
    QCOMPARE(f.Ui.Questions.last().Caption, QString("CANCEL"));
    QVERIFY(main.Modified());
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 9), QString("saved edited"));

    f.Ui.AnswerYesNo(true);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(!main.Modified());
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 9), QString("saved"));
    QVERIFY(!cancel->isVisible());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::PictureDroppedOnACellGoesIntoIt()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("drop.MVF"), 7, 2027);
    f.Page().repaint();

    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QMimeData picture;
    picture.setImageData(icon);
    QMimeData text;
    text.setText("not a picture");

    const auto drop = [&](QWidget& target, QPoint point, QMimeData& data) {
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropEvent(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&target, &dropEvent);
        return dropEvent.isAccepted();
    };

    const QPoint outside = f.Page().CellRecord(1).Whole.ToQRect().topLeft() - QPoint(3, 3);
    QVERIFY(!drop(f.Page(), outside, picture));
    const QPoint inCell = f.Page().CellRecord(12).Whole.ToQRect().center();
    QVERIFY(!drop(f.Page(), inCell, text));
    QVERIFY(!main.Modified());

    QVERIFY(drop(f.Page(), inCell, picture));
    QVERIFY(main.Modified());
    QCOMPARE(main.CurrentCell(), 12);
    QVERIFY(main.EditorActive());
    // A second icon dropped into the open editor joins the first.
    QVERIFY(drop(*f.Editor().viewport(), QPoint(5, 5), picture));
    main.DoSaveRichtext();
    const QString html = f.Page().GetCellRtf(12)->RtfText().Document().toHtml();
    QCOMPARE(html.count("<img"), 2);
    QVERIFY(f.Page().GetCellRtf(11)->IsEmpty());
}

void TestCalendarMain::IconToolFollowsThePage()
{
    TMainWindowFixture f;
    TCalendarMain& first = f.Start();
    // No page, no day cells: the icon tool stays hidden and cannot be shown.
    QVERIFY(!f.Forms->IconTool.isVisible());
    QVERIFY(!f.Widget<QToolButton>("ShowHideIconTool")->isEnabled());
    QVERIFY(!first.IconToolVisible());
    QCOMPARE(f.Forms->IconTool.windowTitle(), QString("Icons"));
    QCOMPARE(f.Forms->IconTool.LibraryFile(), ResourceFolder() + "misc1.icl");
    f.Close();

    const QString file = f.Path("icons.MVF");
    TMainWindowFixture::WriteCalendar(file, 8, 2027, 1, "");
    TIniFile(IniFileName()).WriteString("MRU", "F0", file);
    TIniFile(IniFileName()).WriteBool("Icons", "Visible", true);
    TCalendarMain& main = f.Restart();
    auto* button = f.Widget<QToolButton>("ShowHideIconTool");
    QVERIFY(f.Forms->IconTool.isVisible());
    QCOMPARE(button->text(), QString("Hide Icon Tool"));

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!f.Forms->IconTool.isVisible());
    QVERIFY(!main.IconToolVisible());
    QCOMPARE(button->text(), QString("Show Icon Tool"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(f.Forms->IconTool.isVisible());
    QCOMPARE(button->text(), QString("Hide Icon Tool"));

    // Hidden by other means, the button follows.
    f.Forms->IconTool.hide();
    QCOMPARE(button->text(), QString("Show Icon Tool"));
    QTest::mouseClick(button, Qt::LeftButton);

    f.Forms->IconTool.move(40, 50);
    const QPoint placed = f.Forms->IconTool.geometry().topLeft();
    f.Close();
    QVERIFY(TIniFile(IniFileName()).ReadBool("Icons", "Visible", false));

    // The next start puts the icon tool where it was, at its own size, and shows it.
    f.Restart();
    QCOMPARE(f.Forms->IconTool.geometry().topLeft(), placed);
    // Its client area is 140 x 140 below its menu bar.
    const int menuHeight = f.Forms->IconTool.findChild<QMenuBar*>("MainMenu")->sizeHint().height();
    QCOMPARE(f.Forms->IconTool.size(), QSize(140, 140 + menuHeight));
    QVERIFY(f.Forms->IconTool.isVisible());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::DefaultEditorFontIsKeptOnlyWhenConfirmed()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("font.MVF"), 9, 2027);

    f.Ui.CancelChoice();
    f.Trigger("DefaultEditorFont1");
    QCOMPARE(TIniFile(IniFileName()).ReadString("Default Font", "Name", "none"), QString("none"));

    QFont chosen("Courier New", 14);
    chosen.setBold(true);
    f.Ui.AnswerFont({chosen, QColor(Qt::red)});
    f.Trigger("DefaultEditorFont1");
    TIniFile ini(IniFileName());
    QCOMPARE(ini.ReadString("Default Font", "Name", ""), QString("Courier New"));
    QCOMPARE(ini.ReadInteger("Default Font", "Size", 0), 14);
    QVERIFY(ini.ReadBool("Default Font", "Bold", false));
    QCOMPARE(ini.ReadInteger("Default Font", "Color", -1), clRed);
    QCOMPARE(main.Preferences().DefaultFont.Name, QString("Courier New"));

    // An empty cell opened in the editor types in the default font.
    f.ClickCell(20);
    QTest::keyClicks(&f.Editor(), "x");
    const QTextCharFormat format = f.Editor().CurrentCharFormat();
    QCOMPARE(format.font().family(), QString("Courier New"));
    QCOMPARE(format.font().pointSize(), 14);
    QVERIFY(format.font().bold());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::AboutBoxShowsTheVersion()
{
    TMainWindowFixture f;
    f.Start();
    QStringList labels;
    QString title;
    bool logoShown = false;
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        title = dialog.windowTitle();
        logoShown = !dialog.findChild<QLabel*>("Logo")->pixmap().isNull();
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels += label->text();
        QTest::mouseClick(dialog.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
        return dialog.result();
    });
    f.Trigger("About1");
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TSplashform"});
    QCOMPARE(title, QString("About Mervane"));
    QVERIFY(logoShown);
    QVERIFY(labels.contains("Version 3.1c"));
    QVERIFY(labels.contains(sizeof(void*) == 8 ? "64-bit version" : "32-bit version"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::ToolButtonsSetThePageState_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("places"); // the tool makes an object (the other kinds are not built yet)
    QTest::addColumn<bool>("edits");  // a placed object opens its dialog at once
    QTest::newRow("text") << "DrawLabelButton" << int(psLabel) << true << true;
    QTest::newRow("clip art") << "DrawImageButton" << int(psImage) << true << true;
    QTest::newRow("rich text") << "DrawRichText" << int(psRichLabel) << true << true;
    QTest::newRow("special effects") << "DrawSuperText" << int(psSuperText) << true << true;
    QTest::newRow("mini calendar") << "PSpeedButton1" << int(psFlatCalendar) << true << false;
}

void TestCalendarMain::ToolButtonsSetThePageState()
{
    QFETCH(QString, button);
    QFETCH(int, state);
    QFETCH(bool, places);
    QFETCH(bool, edits);
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("tools.MVF"), 10, 2027);
    auto* existing = new TGPLabel(&main);
    existing->Loaded();
    existing->SetCaption("Existing");
    f.Page().PlaceObject(*existing, QRect(f.Page().CellRecord(22).Whole.ToQRect().topLeft(), QSize(80, 20)));
    main.SetModified(false);
    auto* pointer = f.Widget<QToolButton>("Pointerbutton");
    auto* tool = f.Widget<QToolButton>(button);
    QVERIFY(pointer->isChecked());
    // The text, clip-art, rich-text and special-effects tools open the new object's dialog after each creation.
    if (edits) {
        for (int i = 0; i < 2; ++i)
            f.Ui.AnswerDialog([](QDialog&) { return int(QDialog::Rejected); });
    }

    // A click, then a dragged rectangle: made or not, each attempt ends with the selection tool,
    // and only a placed object changes the calendar.
    for (const bool drag : {false, true}) {
        QTest::mouseClick(tool, Qt::LeftButton);
        QCOMPARE(int(f.Page().PanelState()), state);
        QVERIFY(tool->isChecked() && !pointer->isChecked());
        if (drag) {
            const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
            f.DragOnPage(from, from + QPoint(40, 30));
        } else {
            // A click on a cell belongs to the tool: no editor opens.
            f.ClickCell(15);
            QVERIFY(!main.EditorActive());
        }
        QVERIFY(pointer->isChecked());
        QCOMPARE(f.Page().PanelState(), psPointing);
        QVERIFY(f.Page().Pointing());
        QCOMPARE(main.Modified(), places);
        QCOMPARE(f.Page().Objects().size(), places ? (drag ? 3 : 2) : 1);
        main.SetModified(false);
    }

    // Selection mode without touching the tool bar: a click selects an object, and a click on a
    // cell away from anything the tool may have placed in cells 15 and 16 opens the editor.
    QTest::mouseClick(existing, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f.Page().SelectionHandle()->SelectedObjects(), QList<TGGraphicControl*>{existing});
    f.ClickCell(36);
    QVERIFY(main.EditorActive());
    QVERIFY(!main.Modified());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::TextToolLabelsStartFromTheWindowsFont()
{
    TMainWindowFixture f;
    f.StartOnMonth(f.Path("label.MVF"), 10, 2027);
    QCOMPARE(f.Page().Font().Name(), QString("Arial"));
    QCOMPARE(f.Page().Font().Size(), 8);

    f.Ui.AnswerDialog([](QDialog&) { return int(QDialog::Rejected); }); // the new label's text
    QTest::mouseClick(f.Widget<QToolButton>("DrawLabelButton"), Qt::LeftButton);
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    f.DragOnPage(from, from + QPoint(60, 30));
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* label = dynamic_cast<TGPLabel*>(f.Page().Objects().first());
    QVERIFY(label);
    QCOMPARE(label->Font().Name(), QString("Arial"));
    QCOMPARE(label->Font().Size(), 20); // the tool's size
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::TurnedLabelKeepsItsBorderWhole()
{
    TMainWindowFixture f;
    f.StartOnMonth(f.Path("label.MVF"), 10, 2027);
    f.Ui.AnswerDialog([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("LabelText")->setText("Team party");
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(f.Widget<QToolButton>("DrawLabelButton"), Qt::LeftButton);
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    f.DragOnPage(from, from + QPoint(60, 30));
    auto* label = dynamic_cast<TGPLabel*>(f.Page().Objects().first());
    QVERIFY(label);
    QCOMPARE(label->Caption(), QString("Team party"));

    // Rotation > 90 Degrees from the label's menu.
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(label->width() / 2, label->height() / 2));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction* turn = nullptr;
    for (QAction* item : menu->actions())
        if (item->text() == "Rotation")
            for (QAction* angle : item->menu()->actions())
                if (angle->text() == "90 Degrees")
                    turn = angle;
    QVERIFY(turn);
    turn->trigger();
    menu->close();
    QCOMPARE(label->Angle(), 90);

    // On the screen, unselected: the frame is whole, and the first letter stands clear of its
    // bottom line.
    f.Page().SelectionHandle()->Clear();
    f.Page().repaint();
    const QImage shown = f.Page().grab(label->geometry()).toImage();
    QVERIFY(shown.height() > 2 * shown.width());
    QCOMPARE(RingPixels(shown, 0, [](const QColor& color) { return qGray(color.rgb()) > 100; }), 0);
    QCOMPARE(RingPixels(shown, 1, [](const QColor& color) { return color != QColor(Qt::white); }), 0);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::ClearAllCellContentsAsksNothing()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("clear.MVF"), 11, 2027, 5, "five");
    f.ClickCell(6);
    QTest::keyClicks(&f.Editor(), "six");

    f.Trigger("mnuClearAllCellContents");
    QVERIFY(!main.EditorActive());
    QVERIFY(!f.Page().HasCellText());
    QVERIFY(main.Modified());
    QVERIFY(f.Ui.Questions.isEmpty());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::HintsCanBeSwitchedOff()
{
    TMainWindowFixture f;
    f.Start();
    QCOMPARE(f.Widget<QToolButton>("ZoomPlusButton")->toolTip(), QString("Zoom In"));
    // True when hovering shows the button's hint in place of a tip shown before.
    const auto hover = [&] {
        auto* button = f.Widget<QToolButton>("ZoomPlusButton");
        QToolTip::showText(QPoint(1, 1), "earlier tip");
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        return QToolTip::text() == "Zoom In";
    };
    QVERIFY(hover());
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1200);

    const int writes = TIniFile::FileWrites();
    f.Trigger("mnuShowHint");
    QVERIFY(!f.Action("mnuShowHint")->isChecked());
    QVERIFY(!hover());
    QCOMPARE(TIniFile(IniFileName()).ReadString("Hints", "On", ""), QString("0"));
    QCOMPARE(TIniFile::FileWrites() - writes, 1); // all the preferences saved in one write

    // Kept for the next start.
    f.Restart();
    QVERIFY(!f.Action("mnuShowHint")->isChecked());
    f.Trigger("mnuShowHint");
    QVERIFY(hover());
    QToolTip::hideText();
}

void TestCalendarMain::BusyCursorClearedOverTheToolBar()
{
    TMainWindowFixture f;
    f.Start();
    QVERIFY(!QApplication::overrideCursor());
    auto* toolBar = f.Widget<QWidget>("Panel3");
    const QPoint free(toolBar->width() - 4, toolBar->height() / 2); // beside the buttons
    QCOMPARE(toolBar->childAt(free), nullptr);
    BusyCursor();
    QTest::mouseMove(toolBar, free);
    QVERIFY(!QApplication::overrideCursor());

    // The creation tools' cursor stays.
    SetScreenCursor(crDrag);
    QTest::mouseMove(toolBar, free - QPoint(1, 1));
    QCOMPARE(ScreenCursor(), crDrag);
    SetScreenCursor(crDefault);
}

void TestCalendarMain::PrintingNeedsADefaultPrinter_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::newRow("printer and default") << QStringList{"Office"} << "Office" << QString();
    QTest::newRow("no printer") << QStringList() << ""
                                << "There are no installed printers.\r\nUnable to perform printer related operations";
    QTest::newRow("no default printer")
        << QStringList{"Office"} << ""
        << "There is no default printer selected.\r\nUnable to perform printer related operations";
}

void TestCalendarMain::PrintingNeedsADefaultPrinter()
{
    QFETCH(QStringList, printers);
    QFETCH(QString, defaultPrinter);
    QFETCH(QString, message);
    TMainWindowFixture f;
    OverridePrinters({[printers] { return printers; }, [defaultPrinter] { return defaultPrinter; }});
    f.StartOnMonth(f.Path("print.MVF"), 12, 2027);

    // Printing to a PDF needs no printer: nothing is said at start and every print command is
    // offered; those that need a real printer say what is missing when used.
    QVERIFY(f.Ui.Messages.isEmpty());
    for (const char* command : {"mnuPrintCalendar", "mnuPrintSetup", "mnuPrintPreview", "mnuSaveAsPdf"})
        QVERIFY2(f.Action(command)->isEnabled(), command);
    QVERIFY(f.Widget<QToolButton>("Printbutton")->isEnabled());

    for (const char* command : {"mnuPrintCalendar", "mnuPrintSetup"}) {
        f.Ui.Messages.clear();
        if (message.isEmpty())
            f.Ui.CancelChoice(); // the print dialog comes up
        f.Trigger(command);
        QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join("; ")));
        QVERIFY(f.Ui.ScriptFinished());
        QCOMPARE(f.Ui.Messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(f.Ui.Messages[0].Text, message);
            QCOMPARE(f.Ui.Messages[0].Caption, QString("Information"));
        }
    }
}

void TestCalendarMain::HelpContentsOpenTheHelpWindow()
{
    TMainWindowFixture f;
    f.StartOnMonth(f.Path("help.MVF"), 3, 2027);
    THelpWindow::Instance().ShowTopic(1000);
    f.Trigger("Contents1");
    QVERIFY(THelpWindow::Instance().isVisible());
    QCOMPARE(THelpWindow::Instance().CurrentTopic(), 0);
    QCOMPARE(THelpWindow::Instance().CurrentFile(), ResourceFolder() + "help/index.html");

    // A dialog's Help button opens the page of what the dialog shows: here the Margins page.
    QString shownFromDialog;
    AnswerProperties(
        f,
        [&](QDialog& dialog) {
            dialog.findChild<QTabBar*>("TabSet1")->setCurrentIndex(8);
            QTest::mouseClick(dialog.findChild<QPushButton*>("Helpbutton"), Qt::LeftButton);
            shownFromDialog = THelpWindow::Instance().CurrentFile();
        },
        false);
    f.Trigger("mnuProperties");
    QCOMPARE(shownFromDialog, ResourceFolder() + "help/2108.html");
    THelpWindow::Instance().hide();
}

void TestCalendarMain::NewCalendarTypedSavedAndReopened()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.Start();
    float previewZoom = 0;
    AnswerProperties(
        f, [](QDialog& d) { ChooseDate(d, QDate(1998, 1, 15)); }, true, &previewZoom);
    f.Trigger("New1");
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TCalendarProperties"});
    QCOMPARE(previewZoom, 0.3f);
    QVERIFY(f.Page().isVisible());
    QVERIFY(main.Modified());
    QVERIFY(main.CurrentFileName().isEmpty());
    QCOMPARE(f.Page().MainCalMonth(), 1);
    QCOMPARE(f.Page().MainCalYear(), 1998);
    QVERIFY(!f.Action("mnuSave")->isEnabled());
    QVERIFY(f.Action("mnuSaveAs")->isEnabled());
    QVERIFY(f.Widget<QToolButton>("Savebutton")->isVisible());
    QVERIFY(!f.Widget<QToolButton>("CancelButton")->isVisible());

    f.ClickCell(12);
    QTest::keyClicks(&f.Editor(), "Party");
    // The save button runs Save As while the calendar has no name.
    const QString file = f.Path("Jan1998.MVF");
    f.Ui.AnswerFileName(file);
    QTest::mouseClick(f.Widget<QToolButton>("Savebutton"), Qt::LeftButton);
    const TFileDialogRequest& request = f.Ui.FileRequests.last();
    QCOMPARE(request.FileName, QString("Jan1998.MVF"));
    QCOMPARE(request.Title, QString("Save Calendar File"));
    QCOMPARE(request.DefaultExtension, QString("MVF"));
    QVERIFY(request.OverwritePrompt);
    QCOMPARE(main.windowTitle(), QString("Mervane  [Jan1998.MVF]    [60%]"));
    QVERIFY(f.Close());
    QVERIFY(f.Ui.Questions.isEmpty());

    TCalendarMain& again = f.Restart();
    QCOMPARE(again.CurrentFileName(), file);
    QCOMPARE(again.windowTitle(), QString("Mervane  [Jan1998.MVF]    [60%]"));
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 12), QString("Party"));
    QCOMPARE(f.Page().MainCalMonth(), 1);
    QVERIFY(!again.Modified());
    QCOMPARE(TIniFile(IniFileName()).ReadInteger("Zooming", "Prop", 0), 30);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::NewCancelledLeavesTheOldPage()
{
    TMainWindowFixture f;
    const QString file = f.Path("old.MVF");
    TCalendarMain& main = f.StartOnMonth(file, 3, 2027, 8, "old text");
    auto* object = new TPlainObject(&main);
    f.Page().PlaceObject(*object, QRect(30, 30, 60, 20));
    QVERIFY(main.Modified()); // a change of the page's objects
    main.SetModified(false);

    AnswerProperties(
        f, [](QDialog& d) { ChooseDate(d, QDate(1998, 1, 15)); }, false);
    f.Trigger("New1");
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TCalendarProperties"});
    QVERIFY(!main.Modified());
    QCOMPARE(main.CurrentFileName(), file);
    QCOMPARE(f.Page().MainCalMonth(), 3);
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), 8), QString("old text"));
    QCOMPARE(f.Page().Objects().size(), 1);
    QVERIFY(f.Page().isVisible());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::ClosingANewCalendar_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("cancelSaveAs");
    QTest::addColumn<bool>("closes");
    QTest::newRow("no: closes without saving") << false << false << true;
    QTest::newRow("yes, Save As cancelled: stays open") << true << true << false;
    QTest::newRow("yes, Save As chosen: saves and closes") << true << false << true;
}

void TestCalendarMain::ClosingANewCalendar()
{
    QFETCH(bool, answerYes);
    QFETCH(bool, cancelSaveAs);
    QFETCH(bool, closes);
    TMainWindowFixture f;
    TCalendarMain& main = f.Start();
    NewJanuary1998(f);
    f.ClickCell(5);
    QTest::keyClicks(&f.Editor(), "unsaved");

    const QString file = f.Path("Jan1998.MVF");
    f.Ui.AnswerYesNo(answerYes);
    if (answerYes)
        f.Ui.AnswerFileName(cancelSaveAs ? QString() : file);
    QCOMPARE(f.Close(), closes);
    QCOMPARE(f.Ui.Questions.size(), 1);
    QCOMPARE(f.Ui.FileRequests.size(), answerYes ? 1 : 0);
    QCOMPARE(QFileInfo::exists(file), answerYes && !cancelSaveAs);
    if (!closes) {
        // Nothing was lost: the text is still there, still to be saved.
        QVERIFY(main.isVisible());
        QVERIFY(main.Modified());
        QCOMPARE(TMainWindowFixture::CellText(f.Page(), 5), QString("unsaved"));
    }
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::PropertiesChangeClearsWhatNoLongerFits_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("warning"); // the dialog warns about the layout change
    QTest::addColumn<bool>("cellsKept");
    QTest::addColumn<bool>("objectsKept");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("iconTool");

    QTest::newRow("nothing") << "" << false << true << true << false << true;
    QTest::newRow("title font only") << "font" << false << true << true << true << true;
    QTest::newRow("month") << "month" << false << false << true << true << true;
    QTest::newRow("year") << "year" << false << false << true << true << true;
    QTest::newRow("layout of the same family")
        << "1 Month Calendar, 2 Mini Calendars" << false << true << true << true << true;
    QTest::newRow("week planner") << "One Week Planner" << true << false << false << true << true;
    QTest::newRow("twelve months, no day cells")
        << "12 Month Calendar (Mini Calendars)" << true << false << false << true << false;
}

void TestCalendarMain::PropertiesChangeClearsWhatNoLongerFits()
{
    QFETCH(QString, change);
    QFETCH(bool, warning);
    QFETCH(bool, cellsKept);
    QFETCH(bool, objectsKept);
    QFETCH(bool, modified);
    QFETCH(bool, iconTool);

    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("props.MVF"), 3, 2027, 8, "text");
    auto* object = new TPlainObject(&main);
    f.Page().PlaceObject(*object, QRect(30, 30, 60, 20));
    main.SetModified(false);
    QVERIFY(f.Forms->IconTool.isVisible());

    bool iconToolHiddenMeanwhile = false;
    AnswerProperties(
        f,
        [&](QDialog& d) {
            iconToolHiddenMeanwhile = !f.Forms->IconTool.isVisible();
            if (change == "month")
                ChooseDate(d, QDate(2027, 4, 1));
            else if (change == "year")
                ChooseDate(d, QDate(2028, 3, 1));
            else if (change == "font")
                static_cast<TCalendarProperties&>(d).ExampleCalendar().TitleFont().SetColor(clRed);
            else if (!change.isEmpty())
                ChooseLayoutEntry(d, change);
        },
        true);
    if (warning)
        f.Ui.AnswerYesNo(true);
    QTest::mouseClick(f.Widget<QToolButton>("PropertiesButton"), Qt::LeftButton);

    QVERIFY(iconToolHiddenMeanwhile);
    QCOMPARE(f.Ui.Questions.size(), warning ? 1 : 0);
    QCOMPARE(f.Page().HasCellText(), cellsKept);
    QCOMPARE(f.Page().Objects().size(), objectsKept ? 1 : 0);
    QCOMPARE(main.Modified(), modified);
    QCOMPARE(f.Forms->IconTool.isVisible(), iconTool);
    QCOMPARE(main.IconToolVisible(), iconTool);
    QCOMPARE(f.Widget<QToolButton>("ShowHideIconTool")->isEnabled(), iconTool);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::UserDefinedTitle_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("maximised"); // the main window; the dialog then centres on the screen
    QTest::newRow("ok") << true << false;
    QTest::newRow("cancel") << false << false;
    QTest::newRow("ok, main window maximised") << true << true;
}

void TestCalendarMain::UserDefinedTitle()
{
    QFETCH(bool, ok);
    QFETCH(bool, maximised);
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("title.MVF"), 3, 2027, 8);
    if (maximised) {
        main.showMaximized();
        QTRY_VERIFY(main.isMaximized());
    }
    f.Page().SetUserTitle("Old Title");
    const QRect area = maximised ? main.screen()->geometry() : main.frameGeometry();

    QString shown;
    QRect placed;
    QSize frame;
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        placed = dialog.frameGeometry();
        frame = placed.size() - dialog.size();
        auto* edit = dialog.findChild<QLineEdit*>("TitleText");
        shown = edit->text();
        edit->clear();
        QTest::keyClicks(edit, "Club Events");
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "okbutton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
    f.Trigger("mnuUserTitle");
    // Centred by the size it shows with (the window frame, unknown until then, aside).
    const QPoint centred(area.x() + (area.width() - placed.width()) / 2,
                         area.y() + (area.height() - placed.height()) / 2);
    QVERIFY2(qAbs(placed.x() - centred.x()) <= frame.width() && qAbs(placed.y() - centred.y()) <= frame.height(),
             qPrintable(QString("at (%1, %2), centred at (%3, %4)")
                            .arg(placed.x())
                            .arg(placed.y())
                            .arg(centred.x())
                            .arg(centred.y())));
    QCOMPARE(shown, QString("Old Title"));
    QCOMPARE(f.Page().UserTitle(), ok ? QString("Club Events") : QString("Old Title"));
    QCOMPARE(main.Modified(), ok);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::MenusInTheirOrder()
{
    TMainWindowFixture f;
    f.Start();
    const auto captions = [&](const QString& menu) {
        QStringList list;
        for (const QAction* action : f.Widget<QMenu>(menu)->actions())
            list += action->isSeparator() ? QString("-") : action->text();
        return list;
    };
    QCOMPARE(captions("FileMenu"), (QStringList{"&New ",
                                                "&Open",
                                                "-",
                                                "&Save ",
                                                "Save &As...",
                                                "Save As PD&F...",
                                                "Save As &Bitmap ",
                                                "-",
                                                "&Properties",
                                                "User Defined Title",
                                                "&Cancel Changes",
                                                "Clear &All Cell Contents",
                                                "&Default Editor Font",
                                                "-",
                                                "Fill Calendar with Recurring Dates",
                                                "Edit Recurring Dates",
                                                "&Import Events (.ics)...",
                                                "-",
                                                "P&rint Calendar",
                                                "Print Pre&view",
                                                "Print Set&up",
                                                "-",
                                                "E&xit"}));
    QCOMPARE(captions("OnlineMenu"), QStringList{"Visit Our Internet Website"});
    QCOMPARE(captions("HelpMenu"), (QStringList{"&Contents", "&About", "&Show Hints"}));
    QCOMPARE(f.Action("mnuSave")->shortcut(), QKeySequence("Ctrl+S"));

    // The items of the form keep their captions, letters and clashes ("Save &As" and "Clear &All").
    // Every other item has a letter that no other item of its menu has.
    const QSet<QString> formItems = {"New1",
                                     "Open1",
                                     "mnuSave",
                                     "mnuSaveAs",
                                     "mnuSaveAsBitmap",
                                     "mnuProperties",
                                     "mnuUserTitle",
                                     "mnuCancelChanges",
                                     "mnuClearAllCellContents",
                                     "DefaultEditorFont1",
                                     "mnuFillCalendarwithRecurringDates",
                                     "mnuEditrecurringDates",
                                     "mnuPrintCalendar",
                                     "mnuPrintSetup",
                                     "Exit1",
                                     "VisitOurInternetW1",
                                     "Contents1",
                                     "About1",
                                     "mnuShowHint"};
    for (const char* menu : {"FileMenu", "EditMenu", "OnlineMenu", "HelpMenu"}) {
        QMultiHash<QChar, QString> itemsByLetter;
        QList<const QAction*> added;
        for (const QAction* action : f.Widget<QMenu>(menu)->actions()) {
            if (action->isSeparator())
                continue;
            const QKeySequence letter = QKeySequence::mnemonic(action->text());
            if (!letter.isEmpty())
                itemsByLetter.insert(QChar(letter[0].key()), action->objectName());
            if (!formItems.contains(action->objectName()))
                added += action;
        }
        for (const QAction* action : added) {
            const QKeySequence letter = QKeySequence::mnemonic(action->text());
            QVERIFY2(!letter.isEmpty(), qPrintable(action->text() + " has no letter"));
            QVERIFY2(itemsByLetter.count(QChar(letter[0].key())) == 1,
                     qPrintable(action->text() + " shares its letter"));
        }
    }
}

void TestCalendarMain::HelpTellsOfEveryCommand()
{
    TMainWindowFixture f;
    f.Start();
    QString help;
    for (const QFileInfo& page : QDir(ResourceFolder() + "help").entryInfoList({"*.html"})) {
        QFile file(page.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        help += document.toPlainText() + "\n";
    }
    // The menus' commands, as the help names them: without their letter and trailing dots.
    QStringList missing;
    for (const char* menu : {"FileMenu", "EditMenu", "OnlineMenu", "HelpMenu"}) {
        for (const QAction* action : f.Widget<QMenu>(menu)->actions()) {
            if (action->objectName() == "Exit1")
                break; // the recent files follow
            if (action->isSeparator())
                continue;
            QString command = action->text().remove('&').trimmed();
            command.chop(command.endsWith("...") ? 3 : 0);
            if (!help.contains(command, Qt::CaseInsensitive))
                missing += command;
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable("no help for: " + missing.join(", ")));
}

void TestCalendarMain::RecentFileOffersToSaveChangesFirst()
{
    TMainWindowFixture f;
    const QString first = f.Path("first.MVF");
    const QString second = f.Path("second.MVF");
    TMainWindowFixture::WriteCalendar(first, 1, 2027, 1, "");
    TMainWindowFixture::WriteCalendar(second, 2, 2027, 4, "second");
    TCalendarMain& main = f.Start();
    OpenThroughMenu(f, first);
    OpenThroughMenu(f, second);
    const auto clickEntry = [&](const QString& file) {
        for (QAction* action : f.Widget<QMenu>("FileMenu")->actions()) {
            if (action->text().endsWith(" " + file))
                action->trigger();
        }
    };

    // Changes that cannot be saved (the file became a folder) keep the calendar open.
    f.ClickCell(4);
    QTest::keyClicks(&f.Editor(), " edited");
    QVERIFY(QFile::remove(second));
    QVERIFY(QDir().mkdir(second));
    f.Ui.AnswerYesNo(true);
    clickEntry(first);
    QTRY_COMPARE(f.Ui.Questions.size(), 1);
    QCOMPARE(f.Ui.Questions[0].Text, QString("Save changes?"));
    QCOMPARE(main.CurrentFileName(), second);
    QVERIFY(main.Modified());
    QVERIFY(main.MRUList().Files().contains(first));

    // Declined, the other file opens.
    f.Ui.AnswerYesNo(false);
    clickEntry(first);
    QTRY_COMPARE(main.CurrentFileName(), first);
    QVERIFY(!main.Modified());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::CopiedObjectOutlivesThePropertiesPreview_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("objectsAfter"); // on the page once the copy is pasted
    QTest::newRow("properties cancelled") << "mnuProperties" << 2;
    QTest::newRow("new calendar") << "New1" << 1;
}

// The properties dialog shows its own page; closing it must leave the object clipboard alone.
void TestCalendarMain::CopiedObjectOutlivesThePropertiesPreview()
{
    QFETCH(QString, command);
    QFETCH(int, objectsAfter);
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("clip.MVF"), 5, 2027);
    auto* label = new TGPLabel(&main);
    label->Loaded();
    label->SetCaption("Copied");
    f.Page().PlaceObject(*label, QRect(30, 30, 80, 20));
    f.Page().SelectionHandle()->Add(label);
    QTest::keyClick(&f.Page(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QFileInfo::exists(f.Page().ClipboardFile()));
    main.SetModified(false);

    // Properties is cancelled, New goes on with the dialog's OK.
    AnswerProperties(f, {}, command == "New1");
    f.Trigger(command);
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TCalendarProperties"});

    QTest::keyClick(&f.Page(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(f.Ui.Messages.isEmpty());
    const QList<TGGraphicControl*> objects = f.Page().Objects();
    QCOMPARE(objects.size(), objectsAfter);
    auto* pasted = dynamic_cast<TGPLabel*>(objects.last());
    QVERIFY(pasted && pasted != label);
    QCOMPARE(pasted->Caption(), QString("Copied"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::DialogsCentreOverTheMainWindowWhileItExists()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.Start();
    QCOMPARE(MainWindow(), static_cast<QWidget*>(&main));
    // Away from the middle of the screen, so that centring over it differs from centring on it.
    main.setGeometry(30, 40, 635, 400);
    const QRect outer = main.frameGeometry();
    QWidget dialog;
    dialog.resize(201, 100);
    CenterDialog(dialog);
    QCOMPARE(dialog.pos(), QPoint(outer.x() + (outer.width() - 201) / 2, outer.y() + (outer.height() - 100) / 2));

    f.Forms.reset();
    QVERIFY(!MainWindow());
}

// A hand that moves a pixel between press and release still clicks the cell.
void TestCalendarMain::ClickThatMovesAPixelOpensTheEditor()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("click.MVF"), 5, 2027, 3, "Dentist");
    f.Page().repaint();
    const QPoint press = f.Page().CellRecord(3).Whole.ToQRect().center();
    f.DragOnPage(press, press + QPoint(1, 0));
    QVERIFY(main.EditorActive());
    QCOMPARE(main.CurrentCell(), 3);
    QCOMPARE(f.Editor().Text().Document().toPlainText(), QString("Dentist"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarMain::EditorTextStandsWhereThePageDrawsIt_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("100%") << 100;
    QTest::newRow("80%") << 80;
    QTest::newRow("60%") << 60;
}

// The editor shows a cell's text exactly where the page paints it, so nothing moves when it
// opens, nor when the caret goes to the end of a line at the cell's right edge.
void TestCalendarMain::EditorTextStandsWhereThePageDrawsIt()
{
    QFETCH(int, zoom);
    TMainWindowFixture f;
    const QString file = f.Path("place.MVF");
    TMainWindowFixture::WriteCalendar(file, 5, 2027, 3, "Meeting with the whole team at nine\nAt the\ncinema");
    TCalendarMain& main = f.StartOnCalendar(file, zoom);
    QCOMPARE(main.ZoomPercent(), zoom);
    f.Page().repaint();
    const QImage page = f.Page().grab().toImage().convertToFormat(QImage::Format_RGB32);

    f.ClickCell(3);
    QVERIFY(main.EditorActive());
    QTest::keyClick(&f.Editor(), Qt::Key_End);
    f.Editor().clearFocus(); // no caret in the picture
    const TRect free = f.Page().CellRecord(3).Free;
    const QRect area = EditorTextArea(f);
    QCOMPARE(area, QRect(free.Left, free.Top, free.Width() + 1, free.Height() + 1));
    const QImage shown = f.Editor().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, page.copy(area));
}

// Typing past the bottom of a cell scrolls the editor so the typing point stays in view; once the
// editor closes, the page marks that the cell holds more than it shows, on screen only.
void TestCalendarMain::TextPastTheCellKeepsTheCaretInViewAndIsMarked()
{
    TMainWindowFixture f;
    const QString file = f.Path("long.MVF");
    TCalendarMain& main = f.StartOnMonth(file, 5, 2027, 11, "Gym");
    f.ClickCell(10);
    QVERIFY(main.EditorActive());
    for (int line = 1; line <= 12; ++line) {
        QTest::keyClicks(&f.Editor(), QString("Line %1").arg(line));
        QTest::keyClick(&f.Editor(), Qt::Key_Return);
    }
    QTest::keyClicks(&f.Editor(), "last");
    const QRect caret = f.Editor().inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QVERIFY2(f.Editor().viewport()->rect().contains(caret),
             qPrintable(QString("caret at y %1, editor %2 high").arg(caret.y()).arg(f.Editor().viewport()->height())));

    f.ClickCell(12); // closes the editor of cell 10
    QCOMPARE(TMainWindowFixture::CellLines(f.Page(), 10).size(), 13);
    f.Page().repaint();
    const QImage page = f.Page().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto corner = [](const TRect& free) { return QPoint(free.Right, free.Bottom); };
    const TRect full = f.Page().CellRecord(10).Free;
    const TRect fits = f.Page().CellRecord(11).Free;
    QCOMPARE(page.pixel(corner(full)), MoreTextMarkColor);
    QVERIFY(page.pixel(corner(fits)) != MoreTextMarkColor);
    // The exported bitmap draws the page as it prints: without the mark.
    QVERIFY(f.Page().RenderToBitmap().convertToFormat(QImage::Format_RGB32).pixel(corner(full)) != MoreTextMarkColor);
}

QObject* NewTestCalendarMain()
{
    return new TestCalendarMain;
}

#include "TestCalendarMain.moc"
