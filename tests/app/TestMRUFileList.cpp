// The recent-files list: order, limits, its menu and its INI section.

#include "app/MRUFileList.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The captions of the menu's actions, separators as "-".
QStringList Captions(const QMenu& menu)
{
    QStringList captions;
    for (const QAction* action : menu.actions())
        captions += action->isSeparator() ? QString("-") : action->text();
    return captions;
}

} // namespace

class TestMRUFileList : public QObject {
    Q_OBJECT

private slots:
    void NewestFirstWithinTheMaximum();
    void KnownFileMovesToTheFrontWhateverItsCase();
    void MenuShowsNumberedEntriesAfterASeparator();
    void SubmenuHoldsTheEntries();
    void ClickRemovesTheEntryThenReportsIt();
    void ListIsStoredInItsSection();
    void HandEditedListIsCheckedWhenLoaded_data();
    void HandEditedListIsCheckedWhenLoaded();
};

void TestMRUFileList::NewestFirstWithinTheMaximum()
{
    TMRUFileList list;
    list.SetAutoSave(false);
    for (int i = 1; i <= 6; ++i)
        list.AddFile(QString("/cal/%1.MVF").arg(i));
    QCOMPARE(list.Files(), (QStringList{"/cal/6.MVF", "/cal/5.MVF", "/cal/4.MVF", "/cal/3.MVF", "/cal/2.MVF"}));
    list.SetMaximum(2);
    QCOMPARE(list.Files(), (QStringList{"/cal/6.MVF", "/cal/5.MVF"}));
}

void TestMRUFileList::KnownFileMovesToTheFrontWhateverItsCase()
{
    TMRUFileList list;
    list.SetAutoSave(false);
    list.AddFile("/cal/Jan.MVF");
    list.AddFile("/cal/Feb.MVF");
    list.AddFile("/CAL/jan.mvf");
    QCOMPARE(list.Files(), (QStringList{"/CAL/jan.mvf", "/cal/Feb.MVF"}));
}

void TestMRUFileList::MenuShowsNumberedEntriesAfterASeparator()
{
    QMenu file;
    file.addAction("E&xit");
    TMRUFileList list;
    list.SetAutoSave(false);
    list.SetFileMenu(&file);
    QCOMPARE(Captions(file), QStringList{"E&xit"}); // an empty list adds no separator
    list.AddFile("/a.MVF");
    list.AddFile("/b.MVF");
    QCOMPARE(Captions(file), (QStringList{"E&xit", "-", "&1 /b.MVF", "&2 /a.MVF"}));
    QCOMPARE(qobject_cast<TMRUMenuItem*>(file.actions().last())->Number(), 2);

    // Moving to another menu takes the entries along.
    QMenu other;
    list.SetFileMenu(&other);
    QCOMPARE(Captions(file), QStringList{"E&xit"});
    QCOMPARE(Captions(other).size(), 3);
}

void TestMRUFileList::SubmenuHoldsTheEntries()
{
    QMenu file;
    TMRUFileList list;
    list.SetAutoSave(false);
    list.SetFileMenu(&file);
    list.AddFile("/a.MVF");
    list.SetUseSubmenu(true);
    QCOMPARE(Captions(file), (QStringList{"-", "Reopen"}));
    QMenu* submenu = file.actions().last()->menu();
    QVERIFY(submenu);
    QCOMPARE(Captions(*submenu), QStringList{"&1 /a.MVF"});
    list.SetSubmenuName("Recent");
    QCOMPARE(Captions(file), (QStringList{"-", "Recent"}));
    list.SetUseSubmenu(false);
    QCOMPARE(Captions(file), (QStringList{"-", "&1 /a.MVF"}));
}

void TestMRUFileList::ClickRemovesTheEntryThenReportsIt()
{
    QMenu file;
    TMRUFileList list;
    list.SetAutoSave(false);
    list.SetFileMenu(&file);
    list.AddFile("/a.MVF");
    list.AddFile("/b.MVF");
    QStringList reported;
    QStringList listAtClick;
    list.OnMRUItemClick = [&](TMRUFileList& sender, const QString& name) {
        reported += name;
        listAtClick = sender.Files();
    };
    file.actions().last()->trigger(); // "&2 /a.MVF"
    QCoreApplication::processEvents();
    QCOMPARE(reported, QStringList{"/a.MVF"});
    QCOMPARE(listAtClick, QStringList{"/b.MVF"});
    QCOMPARE(Captions(file), (QStringList{"-", "&1 /b.MVF"}));

    list.SetRemoveOnClick(false);
    file.actions().last()->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(reported.last(), QString("/b.MVF"));
    QCOMPARE(list.Files(), QStringList{"/b.MVF"});
}

void TestMRUFileList::ListIsStoredInItsSection()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("MV.ini");
    TIniFile(ini).WriteString("MRU", "F0", "/stale.MVF");
    TIniFile(ini).WriteString("Hints", "On", "1");
    {
        TMRUFileList list;
        list.SetAutoSaveName(ini);
        list.SetAutoSaveKey("MRU");
        list.AddFile("/old.MVF");
        list.AddFile("/new.MVF");
        const int writes = TIniFile::FileWrites();
        QVERIFY(list.SaveList());
        QCOMPARE(TIniFile::FileWrites() - writes, 1); // the section erased and refilled in one write
    }                                                 // AutoSave saves once more on destruction
    const auto entries = TIniFile(ini).ReadSection("MRU");
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0], (std::pair<QString, QString>("F0", "/new.MVF")));
    QCOMPARE(entries[1], (std::pair<QString, QString>("F1", "/old.MVF")));
    QCOMPARE(TIniFile(ini).ReadString("Hints", "On", "0"), QString("1"));

    // Entries load in file order, whatever their keys say.
    TIniFile(ini).EraseSection("MRU");
    TIniFile(ini).WriteString("MRU", "F1", "/first-in-file.MVF");
    TIniFile(ini).WriteString("MRU", "F0", "/second-in-file.MVF");
    TMRUFileList loaded;
    loaded.SetAutoSave(false);
    loaded.SetAutoSaveName(ini);
    loaded.SetAutoSaveKey("MRU");
    QVERIFY(loaded.LoadList());
    QCOMPARE(loaded.Files(), (QStringList{"/first-in-file.MVF", "/second-in-file.MVF"}));

    loaded.SetAutoSaveKey(QString());
    QVERIFY(!loaded.SaveList());
}

void TestMRUFileList::HandEditedListIsCheckedWhenLoaded_data()
{
    QTest::addColumn<QStringList>("stored"); // F0, F1, ... in file order
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("as saved") << QStringList{"/a.MVF", "/b.MVF"} << 5 << QStringList{"/a.MVF", "/b.MVF"};
    QTest::newRow("more than the maximum")
        << QStringList{"/1.MVF", "/2.MVF", "/3.MVF", "/4.MVF", "/5.MVF", "/6.MVF", "/7.MVF"} << 5
        << QStringList{"/1.MVF", "/2.MVF", "/3.MVF", "/4.MVF", "/5.MVF"};
    QTest::newRow("maximum of none") << QStringList{"/a.MVF"} << 0 << QStringList();
    QTest::newRow("empty entries") << QStringList{"", "/a.MVF", " "} << 5 << QStringList{"/a.MVF"};
    QTest::newRow("the same file twice") << QStringList{"/a.MVF", "/A.mvf", "/b.MVF"} << 5
                                         << QStringList{"/a.MVF", "/b.MVF"};
    QTest::newRow("left-out entries do not count")
        << QStringList{"/a.MVF", "", "/a.MVF", "/b.MVF", "/c.MVF"} << 2 << QStringList{"/a.MVF", "/b.MVF"};
}

void TestMRUFileList::HandEditedListIsCheckedWhenLoaded()
{
    QFETCH(QStringList, stored);
    QFETCH(int, maximum);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString ini = dir.filePath("MV.ini");
    TIniFile file(ini);
    file.BeginUpdate();
    for (int i = 0; i < stored.size(); ++i)
        file.WriteString("MRU", QString("F%1").arg(i), stored[i]);
    QVERIFY(file.EndUpdate());

    TMRUFileList list;
    list.SetAutoSave(false);
    list.SetMaximum(maximum);
    list.SetAutoSaveName(ini);
    list.SetAutoSaveKey("MRU");
    QVERIFY(list.LoadList());
    QCOMPARE(list.Files(), expected);
}

QObject* NewTestMRUFileList()
{
    return new TestMRUFileList;
}

#include "TestMRUFileList.moc"
