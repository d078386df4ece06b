// The icon tool in the running program: its library menu with check marks, "Other..." and the
// bonus sets, and icons dragged from it into day cells, saved and painted.

#include "MainWindowFixture.h"

#include "controls/IconListBox.h"
#include "platform/IconLibrary.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolButton>

namespace {

// The shipped libraries live beside the test program; a bonus folder made there is removed again.
class TBonusFolder {
public:
    explicit TBonusFolder(const QStringList& libraries)
        : m_Path(ResourceFolder() + "BonusIcons")
    {
        QDir().mkpath(m_Path);
        for (const QString& name : libraries)
            QFile::copy(ResourceFolder() + "events.icl", m_Path + "/" + name);
    }
    ~TBonusFolder() { QDir(m_Path).removeRecursively(); }

private:
    QString m_Path;
};

QStringList CheckedItems(const QMenu& menu)
{
    QStringList checked;
    for (const QAction* item : menu.actions()) {
        if (item->isChecked())
            checked.append(item->text());
        if (item->menu())
            checked += CheckedItems(*item->menu());
    }
    return checked;
}

// Colourful pixels in a rectangle of a picture: an icon painted there shows as colour on the
// cell's plain background.
int ColourfulPixels(const QImage& picture, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            if (pixel.saturation() > 80 && pixel.value() > 60)
                ++count;
        }
    return count;
}

} // namespace

class TestIconToolMain : public QObject {
    Q_OBJECT

private slots:
    void MenuMarksTheLibraryShown_data();
    void MenuMarksTheLibraryShown();
    void OtherFileWithoutIconsFallsBackToMisc1();
    void ChoosingTheShownLibraryChangesNothing();
    void BonusSetsFillTheirMenu();
    void WithoutBonusSetsTheItemSaysSo_data();
    void WithoutBonusSetsTheItemSaysSo();
    void IconDraggedIntoACellIsSavedAndPainted();
};

void TestIconToolMain::MenuMarksTheLibraryShown_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("otherFile"); // chosen through "Other..." when not empty
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("checked");
    QTest::newRow("Activities") << "mnuActivitiesICL"
                                << ""
                                << "activity.icl"
                                << "Activities";
    QTest::newRow("Events") << "mnuEventsICL"
                            << ""
                            << "events.icl"
                            << "Events";
    QTest::newRow("Holidays") << "mnuHolidaysICL"
                              << ""
                              << "holiday.icl"
                              << "Holidays";
    QTest::newRow("Misc1") << "mnuMisc1ICL"
                           << ""
                           << "misc1.icl"
                           << "Miscellaneous #1";
    QTest::newRow("Misc2") << "mnuMisc2ICL"
                           << ""
                           << "misc2.icl"
                           << "Miscellaneous #2";
    QTest::newRow("a shipped library through Other...") << "mnuOtherIconFile"
                                                        << "holiday.icl"
                                                        << "holiday.icl"
                                                        << "Holidays";
    QTest::newRow("another file through Other...") << "mnuOtherIconFile"
                                                   << "copy.icl"
                                                   << "copy.icl"
                                                   << "Other...";
}

void TestIconToolMain::MenuMarksTheLibraryShown()
{
    QFETCH(QString, item);
    QFETCH(QString, otherFile);
    QFETCH(QString, library);
    QFETCH(QString, checked);
    TMainWindowFixture f;
    f.Start();
    TFloatingPalette& tool = f.Forms->IconTool;
    QString expectedFile = ResourceFolder() + library;
    if (otherFile == "copy.icl") {
        expectedFile = f.Path("copy.icl");
        QVERIFY(QFile::copy(ResourceFolder() + "misc2.icl", expectedFile));
        f.Ui.AnswerFileName(expectedFile);
    } else if (!otherFile.isEmpty()) {
        f.Ui.AnswerFileName(ResourceFolder() + otherFile);
    }
    tool.findChild<QAction*>(item)->trigger();
    QCOMPARE(tool.LibraryFile(), expectedFile);
    QCOMPARE(CheckedItems(*tool.findChild<QMenu*>("FileMenu")), QStringList{checked});
    QVERIFY(tool.IconListBox().isEnabled());
    QCOMPARE(tool.IconListBox().count(), IconCount([&] {
                 QFile file(expectedFile);
                 file.open(QIODevice::ReadOnly);
                 return file.readAll();
             }()));
    QVERIFY(f.Ui.Messages.isEmpty());
    // The preferences keep the library for the next start, which shows it marked again.
    f.Close();
    QCOMPARE(TIniFile(IniFileName()).ReadString("Icons", "File", ""), expectedFile);
    f.Restart();
    QCOMPARE(f.Forms->IconTool.LibraryFile(), expectedFile);
    QCOMPARE(CheckedItems(*f.Forms->IconTool.findChild<QMenu*>("FileMenu")), QStringList{checked});
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestIconToolMain::OtherFileWithoutIconsFallsBackToMisc1()
{
    TMainWindowFixture f;
    f.Start();
    TFloatingPalette& tool = f.Forms->IconTool;
    const QString text = f.Path("notes.txt");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("no icons here\n");
    file.close();

    // A text file, then again a text file, then Cancel.
    f.Ui.AnswerFileName(text);
    f.Ui.AnswerFileName(text);
    f.Ui.AnswerFileName(QString());
    f.Trigger("mnuOtherIconFile");
    QCOMPARE(f.Ui.Messages.size(), 2);
    QCOMPARE(f.Ui.Messages[0].Text, "No icons found in " + text);
    QCOMPARE(f.Ui.Messages[0].Caption, QString("Information"));
    QVERIFY(f.Ui.ScriptFinished());
    const TFileDialogRequest& request = f.Ui.FileRequests.last();
    QCOMPARE(request.InitialFolder, ResourceFolder());
    QCOMPARE(request.DefaultExtension, QString("ICL"));
    QCOMPARE(request.Filter.split('|').value(2 * request.SelectedFilter), QString("ICL and ICO Files"));
    QCOMPARE(tool.LibraryFile(), ResourceFolder() + "misc1.icl");
    QCOMPARE(CheckedItems(*tool.findChild<QMenu*>("FileMenu")), QStringList{"Miscellaneous #1"});
    QVERIFY(tool.IconListBox().count() > 0);

    // Cancelling at once leaves the library shown as it was.
    f.Trigger("mnuEventsICL");
    f.Ui.AnswerFileName(QString());
    f.Trigger("mnuOtherIconFile");
    QCOMPARE(tool.LibraryFile(), ResourceFolder() + "events.icl");
    QCOMPARE(CheckedItems(*tool.findChild<QMenu*>("FileMenu")), QStringList{"Events"});
    QCOMPARE(f.Ui.Messages.size(), 2);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestIconToolMain::ChoosingTheShownLibraryChangesNothing()
{
    TMainWindowFixture f;
    f.Start();
    TIconListBox& list = f.Forms->IconTool.IconListBox();
    f.Trigger("mnuHolidaysICL");
    list.setCurrentRow(5);
    const QImage kept = list.Icon(5);
    QSignalSpy changes(&list, &TIconListBox::FileChanged);
    f.Trigger("mnuHolidaysICL");
    QCOMPARE(changes.count(), 0);
    QCOMPARE(list.currentRow(), 5);
    QCOMPARE(list.Icon(5), kept);
    QCOMPARE(CheckedItems(*f.Forms->IconTool.findChild<QMenu*>("FileMenu")), QStringList{"Holidays"});
}

void TestIconToolMain::BonusSetsFillTheirMenu()
{
    TBonusFolder bonus({"Zoo.icl", "Garden.icl", "notes.txt"});
    TMainWindowFixture f;
    f.Start();
    TFloatingPalette& tool = f.Forms->IconTool;
    auto* menu = tool.findChild<QMenu*>("mnuBonusIconSetsMenu");
    QVERIFY(menu);
    QStringList captions;
    for (const QAction* item : menu->actions())
        captions.append(item->text());
    QCOMPARE(captions, (QStringList{"Garden", "Zoo"}));
    menu->actions().last()->trigger();
    QCOMPARE(tool.LibraryFile(), ResourceFolder() + "BonusIcons/Zoo.icl");
    QCOMPARE(CheckedItems(*tool.findChild<QMenu*>("FileMenu")), QStringList{"Zoo"});
    QVERIFY(tool.IconListBox().count() > 0);
    // The item itself opens its sub-menu and no longer tells of missing sets.
    QVERIFY(f.Ui.Messages.isEmpty());
}

void TestIconToolMain::WithoutBonusSetsTheItemSaysSo_data()
{
    QTest::addColumn<bool>("emptyFolder");
    QTest::newRow("no folder") << false;
    QTest::newRow("folder without libraries") << true;
}

void TestIconToolMain::WithoutBonusSetsTheItemSaysSo()
{
    QFETCH(bool, emptyFolder);
    std::unique_ptr<TBonusFolder> bonus;
    if (emptyFolder)
        bonus = std::make_unique<TBonusFolder>(QStringList{});
    TMainWindowFixture f;
    f.Start();
    QVERIFY(!f.Forms->IconTool.findChild<QMenu*>("mnuBonusIconSetsMenu"));
    f.Trigger("mnuEventsICL");
    f.Trigger("mnuBonusIconSets");
    QCOMPARE(f.Ui.Messages.size(), 1);
    QVERIFY(f.Ui.Messages[0].Text.startsWith("No Bonus Sets Found!"));
    QCOMPARE(f.Ui.Messages[0].Caption, QString("Information"));
    QCOMPARE(CheckedItems(*f.Forms->IconTool.findChild<QMenu*>("FileMenu")), QStringList{"Events"});
    QCOMPARE(f.Forms->IconTool.LibraryFile(), ResourceFolder() + "events.icl");
}

void TestIconToolMain::IconDraggedIntoACellIsSavedAndPainted()
{
    TMainWindowFixture f;
    const QString file = f.Path("icons.MVF");
    TCalendarMain& main = f.StartOnMonth(file, 7, 2027);
    f.Page().repaint();
    f.Trigger("mnuEventsICL");
    TIconListBox& list = f.Forms->IconTool.IconListBox();
    const QRect free = f.Page().CellRecord(12).Free.ToQRect();
    QCOMPARE(ColourfulPixels(f.Page().grab().toImage(), free), 0);

    // The drag the list starts when an icon is pressed and moved carries that icon's picture.
    list.setCurrentRow(0);
    std::unique_ptr<QMimeData> dragged(list.model()->mimeData({list.model()->index(0, 0)}));
    QVERIFY(dragged && dragged->hasImage());
    const QImage icon = qvariant_cast<QImage>(dragged->imageData());
    QCOMPARE(icon, list.Icon(0));
    QCOMPARE(icon.size(), QSize(SystemIconSize, SystemIconSize));

    const QPoint point = free.center();
    QDragEnterEvent enter(point, Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&f.Page(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
    QApplication::sendEvent(&f.Page(), &drop);
    QVERIFY(drop.isAccepted());
    QVERIFY(main.Modified());
    QCOMPARE(main.CurrentCell(), 12);

    QTest::mouseClick(f.Widget<QToolButton>("Savebutton"), Qt::LeftButton);
    QVERIFY(!main.Modified());
    QVERIFY(f.Ui.Messages.isEmpty());

    TCalendarMain& again = f.Restart(file);
    const QTextDocument& text = f.Page().GetCellRtf(12)->RtfText().Document();
    QCOMPARE(text.toHtml().count("<img"), 1);
    QVERIFY(!again.Modified());
    f.Page().repaint();
    QVERIFY(ColourfulPixels(f.Page().grab().toImage(), f.Page().CellRecord(12).Free.ToQRect()) > 40);
    QCOMPARE(ColourfulPixels(f.Page().grab().toImage(), f.Page().CellRecord(11).Free.ToQRect()), 0);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

QObject* NewTestIconToolMain()
{
    return new TestIconToolMain;
}

#include "TestIconToolMain.moc"
