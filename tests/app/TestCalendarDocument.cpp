// The calendar document without a window: new, open, save and save as with their failures,
// cancel changes, the properties dialog's settings going to the page, the modified state and
// its signal, and the question that offers to save changes before they would be dropped.

#include "app/CalendarDocument.h"
#include "calendar/CalendarPanel32.h"
#include "calendar/CalendarProperties.h"
#include "objects/GPLabel.h"
#include "platform/ProgramFolders.h"
#include "platformui/ScriptedUiServices.h"
#include "richtext/WPRtfStorage.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The component that owns the page and its objects, as the main window does in the program.
class TTestOwner : public TComponent {
public:
    TTestOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TTestOwner"; }
};

// A fresh data folder for the files a case writes, in force before the document exists.
class TDataFolder {
public:
    TDataFolder() { OverrideDataFolder(m_Dir.path() + "/"); }
    ~TDataFolder() { OverrideDataFolder(QString()); }
    QString Path(const QString& name) const { return m_Dir.path() + "/" + name; }

private:
    QTemporaryDir m_Dir;
};

// One document as the program holds it, with scripted answers for every dialog.
struct TDocumentFixture {
    TDataFolder Folder;
    TScriptedUiServices Ui;
    TTestOwner Owner;
    TCalendarDocument Document{&Owner, nullptr};

    TCalendarPanel32& Page() const { return Document.Page(); }
    QString Path(const QString& name) const { return Folder.Path(name); }
};

QString CellText(const TCalendarPanel32& page, int cell)
{
    return page.GetCellRtf(cell)->RtfText().Document().toPlainText();
}

void SetCellText(TCalendarPanel32& page, int cell, const QString& text)
{
    TWPRtfStorage storage(nullptr);
    storage.RtfText().Document().setPlainText(text);
    page.SetCellRtf(cell, storage);
}

// Writes a calendar file of a month page with `text` in day cell `cell` and, unless `caption`
// is empty, a text label with that caption.
void WriteCalendar(const QString& fileName, int month, int year, int cell, const QString& text,
                   const QString& caption = QString())
{
    TTestOwner owner;
    TCalendarPanel32 page(&owner);
    page.ResetToDefaults();
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetMainCalMonth(month);
    page.SetMainCalYear(year);
    SetCellText(page, cell, text);
    if (!caption.isEmpty()) {
        auto* label = new TGPLabel(&owner);
        label->Loaded();
        label->SetCaption(caption);
        page.PlaceObject(*label, QRect(40, 50, 120, 30));
        // Laid out as its first paint would, so that showing the file changes nothing in it.
        label->Layout();
    }
    page.SaveToFile(fileName);
}

QByteArray FileBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A calendar file of 5 December 2027 whose month then reads 13.
QByteArray MonthThirteen()
{
    QTemporaryDir dir;
    TCalendarPanel32 page(nullptr);
    page.SetMainCalDay(5);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2027);
    page.SaveToFile(dir.filePath("december.MVF"));
    QByteArray bytes = FileBytes(dir.filePath("december.MVF"));
    const QByteArray date = QByteArray::fromHex("0205020c03eb07"); // day, month, year as written
    const qsizetype at = bytes.indexOf(date);
    if (at < 0)
        return {};
    bytes[at + 3] = 13;
    return bytes;
}

// Answers the next properties dialog: `work` sets its controls, then "&Ok" or "&Cancel" is
// clicked. Records the preview's zoom as the dialog opened it.
void AnswerProperties(TScriptedUiServices& ui, const std::function<void(TCalendarProperties&)>& work, bool ok,
                      float* previewZoom = nullptr)
{
    ui.AnswerDialog([=](QDialog& dialog) {
        auto& properties = static_cast<TCalendarProperties&>(dialog);
        if (previewZoom)
            *previewZoom = properties.ExampleCalendar().Zoom();
        if (work)
            work(properties);
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "okbutton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
}

// A page object written under the name of a kind this build does not read.
class TUnknownObject : public TGGraphicControl {
public:
    TUnknownObject(TComponent* owner, const QString& className)
        : TGGraphicControl(owner)
        , m_ClassName(className)
    {
    }
    QString ClassName() const override { return m_ClassName; }

private:
    QString m_ClassName;
};

// Every setting of `page` as the dialog-free copy compares them.
std::unique_ptr<TCalendarPanel32> SettingsOf(const TCalendarPanel32& page)
{
    auto copy = std::make_unique<TCalendarPanel32>(nullptr);
    copy->AssignSettings(page);
    return copy;
}

} // namespace

class TestCalendarDocument : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void NewCalendar_data();
    void NewCalendar();
    void OpenReadsCellsAndObjects();
    void OpenNamesTheObjectsLeftOut_data();
    void OpenNamesTheObjectsLeftOut();
    void OpenRefusesWhatItCannotRead_data();
    void OpenRefusesWhatItCannotRead();
    void SaveWritesTheFileAndTakesItsName_data();
    void SaveWritesTheFileAndTakesItsName();
    void FailedSaveKeepsTheOldFileAndTheChanges_data();
    void FailedSaveKeepsTheOldFileAndTheChanges();
    void CancelChangesRevertsToTheFile_data();
    void CancelChangesRevertsToTheFile();
    void ModifiedChangedOncePerChange();
    void SaveChangesFirst_data();
    void SaveChangesFirst();
    void PropertiesGoToThePage_data();
    void PropertiesGoToThePage();
    void PageCommandsMarkTheCalendarChanged_data();
    void PageCommandsMarkTheCalendarChanged();
};

void TestCalendarDocument::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestCalendarDocument::NewCalendar_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("dialog ended with OK") << true;
    QTest::newRow("dialog cancelled") << false;
}

void TestCalendarDocument::NewCalendar()
{
    QFETCH(bool, ok);
    TDocumentFixture f;
    const QString file = f.Path("old.MVF");
    WriteCalendar(file, 3, 2027, 8, "old text", "Label");
    QVERIFY(f.Document.OpenCalendarFile(file));
    f.Page().TitleFont().SetColor(clRed);
    f.Page().SetUserTitle("Club Events");
    const auto before = SettingsOf(f.Page());
    QSignalSpy modified(&f.Document, &TCalendarDocument::ModifiedChanged);
    QSignalSpy named(&f.Document, &TCalendarDocument::FileNameChanged);

    AnswerProperties(f.Ui, {}, ok);
    f.Document.New();

    QCOMPARE(f.Ui.DialogsShown, QStringList{"TCalendarProperties"});
    QVERIFY(f.Ui.Questions.isEmpty());
    if (ok) {
        // The dialog for a new calendar starts from the page reset to its defaults, and the
        // page takes that.
        const auto reset = SettingsOf(*before);
        reset->ResetToDefaults();
        QVERIFY(!before->SameSettings(*reset));
        QVERIFY(f.Page().SameSettings(*reset));
        QCOMPARE(f.Page().MainCalMonth(), QDate::currentDate().month());
        QVERIFY(!f.Page().HasCellText());
        QVERIFY(f.Page().Objects().isEmpty());
        QVERIFY(f.Document.FileName().isEmpty());
        QCOMPARE(named.size(), 1);
        QVERIFY(f.Page().isVisible());
        // Not saved anywhere yet.
        QVERIFY(f.Document.Modified());
        QCOMPARE(modified.size(), 1);
    } else {
        QVERIFY(f.Page().SameSettings(*before));
        QCOMPARE(CellText(f.Page(), 8), QString("old text"));
        QCOMPARE(f.Page().Objects().size(), 1);
        QCOMPARE(f.Document.FileName(), file);
        QVERIFY(!f.Document.Modified());
        QVERIFY(modified.isEmpty() && named.isEmpty());
    }
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::OpenReadsCellsAndObjects()
{
    TDocumentFixture f;
    const QString file = f.Path("Apr2027.MVF");
    WriteCalendar(file, 4, 2027, 12, "Dentist", "Party");
    f.Page().SetZoom(0.6f);
    QSignalSpy named(&f.Document, &TCalendarDocument::FileNameChanged);
    QSignalSpy recent(&f.Document, &TCalendarDocument::RecentFileUsed);
    QSignalSpy reloaded(&f.Document, &TCalendarDocument::PageReloaded);

    f.Ui.AnswerFileName(file);
    f.Document.Open();

    const TFileDialogRequest& request = f.Ui.FileRequests.last();
    QCOMPARE(request.Title, QString("Open Calendar File"));
    QCOMPARE(request.Filter, QString("Calendar File|*.MVF"));
    QCOMPARE(request.InitialFolder, DataFolder());
    QCOMPARE(f.Document.FileName(), file);
    QCOMPARE(named.size(), 1);
    QCOMPARE(named[0][0].toString(), file);
    QCOMPARE(recent.size(), 1);
    QCOMPARE(recent[0][0].toString(), file);
    QCOMPARE(reloaded.size(), 1);
    QCOMPARE(f.Page().MainCalMonth(), 4);
    QCOMPARE(CellText(f.Page(), 12), QString("Dentist"));
    const QList<TGGraphicControl*> objects = f.Page().Objects();
    QCOMPARE(objects.size(), 1);
    auto* label = dynamic_cast<TGPLabel*>(objects[0]);
    QVERIFY(label);
    QCOMPARE(label->Caption(), QString("Party"));
    QCOMPARE(label->Owner(), &f.Owner);
    // Read at full size, shown at the zoom in force before.
    QCOMPARE(f.Page().Zoom(), 0.6f);
    QCOMPARE(label->geometry().topLeft(), QPoint(24, 30));
    QCOMPARE(label->width(), 72);
    QVERIFY(f.Page().isVisible());
    QVERIFY(!f.Document.Modified());
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::OpenNamesTheObjectsLeftOut_data()
{
    QTest::addColumn<QStringList>("after"); // class names of objects written after a label
    QTest::addColumn<QString>("message");   // "%1": the file's path; empty: none shown
    QTest::newRow("all read") << QStringList{} << "";
    QTest::newRow("an unknown kind")
        << QStringList{"TGShape"}
        << "Some objects of %1 could not be read and will be missing when the calendar is saved: TGShape.\r"
           "Class TGShape not found";
    QTest::newRow("each kind named once")
        << QStringList{"TGShape", "TGSuperText", "TGShape"}
        << "Some objects of %1 could not be read and will be missing when the calendar is saved: TGShape, "
           "TGSuperText.\rClass TGShape not found";
}

// A file whose object list cannot be read whole opens with the objects read before the fault,
// and the user learns once which ones a save would drop; nothing else changes.
void TestCalendarDocument::OpenNamesTheObjectsLeftOut()
{
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    TDocumentFixture f;
    const QString file = f.Path("Oct2027.MVF");
    {
        TTestOwner owner;
        TCalendarPanel32 page(&owner);
        page.ResetToDefaults();
        page.SetMainCalMonth(10);
        page.SetMainCalYear(2027);
        SetCellText(page, 6, "six");
        auto* label = new TGPLabel(&owner);
        label->Loaded();
        label->SetCaption("Party");
        page.PlaceObject(*label, QRect(40, 50, 120, 30));
        int top = 100;
        for (const QString& className : after) {
            auto* object = new TUnknownObject(&owner, className);
            object->Loaded();
            page.PlaceObject(*object, QRect(40, top, 60, 30));
            top += 40;
        }
        page.SaveToFile(file);
    }

    QVERIFY(f.Document.OpenCalendarFile(file));

    QCOMPARE(f.Ui.Messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(f.Ui.Messages[0].Text, message.arg(file));
    QCOMPARE(f.Document.FileName(), file);
    QVERIFY(!f.Document.Modified());
    QCOMPARE(CellText(f.Page(), 6), QString("six"));
    const QList<TGGraphicControl*> objects = f.Page().Objects();
    QCOMPARE(objects.size(), 1);
    auto* label = dynamic_cast<TGPLabel*>(objects[0]);
    QVERIFY(label);
    QCOMPARE(label->Caption(), QString("Party"));
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::OpenRefusesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents"); // null: the file does not exist
    QTest::addColumn<QString>("message");     // "%1": the file's path
    QTest::addColumn<bool>("documentKept");

    QTest::newRow("not a calendar file name")
        << "notes.txt" << QByteArray("a note") << "Must be a Calendar file (*.MVF)" << true;
    // The reading's own error follows, as a failed save shows its reason.
    const QString unreadable = "Unable to open %1. Possibly \rcorrupted, possibly not a Calendar file.\r";
    const QByteArray monthThirteen = MonthThirteen();
    QVERIFY(!monthThirteen.isEmpty());
    QTest::newRow("damaged calendar file")
        << "damaged.MVF" << QByteArray("TPF0 not a calendar at all") << unreadable + "Invalid property value" << true;
    QTest::newRow("empty calendar file") << "empty.MVF" << QByteArray("") << unreadable + "Stream read error" << true;
    QTest::newRow("month 13") << "month13.MVF" << monthThirteen << unreadable + "Invalid property value" << true;
    QTest::newRow("file gone") << "gone.MVF" << QByteArray() << "File %1 no longer exists" << true;
}

// A file name the dialog accepts but that is not a calendar changes nothing, and neither does a
// file that is missing or cannot be read: the calendar being edited stays with its file.
void TestCalendarDocument::OpenRefusesWhatItCannotRead()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    QFETCH(bool, documentKept);
    TDocumentFixture f;
    const QString good = f.Path("good.MVF");
    WriteCalendar(good, 4, 2027, 2, "kept", "Label");
    QVERIFY(f.Document.OpenCalendarFile(good));
    const QString path = f.Path(name);
    if (!contents.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QSignalSpy recent(&f.Document, &TCalendarDocument::RecentFileUsed);

    f.Ui.AnswerFileName(path);
    f.Document.Open();

    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, message.contains("%1") ? message.arg(path) : message);
    QVERIFY(recent.isEmpty());
    QVERIFY(!f.Document.Modified());
    if (documentKept) {
        QCOMPARE(f.Document.FileName(), good);
        QCOMPARE(CellText(f.Page(), 2), QString("kept"));
        QCOMPARE(f.Page().Objects().size(), 1);
        QVERIFY(f.Page().isVisible());
    } else {
        QVERIFY(f.Document.FileName().isEmpty());
        QVERIFY(!f.Page().isVisible());
    }
    QCOMPARE(f.Page().MainCalMonth(), 4);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::SaveWritesTheFileAndTakesItsName_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("save") << false;
    QTest::newRow("save as") << true;
}

void TestCalendarDocument::SaveWritesTheFileAndTakesItsName()
{
    QFETCH(bool, saveAs);
    TDocumentFixture f;
    const QString file = f.Path("May2027.MVF");
    WriteCalendar(file, 5, 2027, 2, "kept", "Label");
    QVERIFY(f.Document.OpenCalendarFile(file));
    f.Page().SetZoom(0.7f);
    // The text still being typed reaches the page only when the document asks for it.
    int commits = 0;
    connect(&f.Document, &TCalendarDocument::CommitPendingEdits, this, [&] {
        ++commits;
        SetCellText(f.Page(), 5, "typed");
    });
    f.Document.SetModified(true);
    QSignalSpy named(&f.Document, &TCalendarDocument::FileNameChanged);
    QSignalSpy recent(&f.Document, &TCalendarDocument::RecentFileUsed);

    const QString target = saveAs ? f.Path("copy.MVF") : file;
    if (saveAs) {
        f.Ui.AnswerFileName(target);
        QVERIFY(f.Document.SaveAs());
        const TFileDialogRequest& request = f.Ui.FileRequests.last();
        QCOMPARE(request.Title, QString("Save Calendar File"));
        QCOMPARE(request.FileName, QString("May2027.MVF"));
        QCOMPARE(request.InitialFolder, DataFolder());
        QVERIFY(request.OverwritePrompt);
    } else {
        QVERIFY(f.Document.Save());
    }

    QVERIFY(commits > 0);
    TTestOwner owner;
    TCalendarPanel32 stored(&owner);
    stored.LoadFromFile(target, &owner);
    QCOMPARE(CellText(stored, 2), QString("kept"));
    QCOMPARE(CellText(stored, 5), QString("typed"));
    QCOMPARE(f.Page().Zoom(), 0.7f);
    // Objects are stored at full size, whatever the zoom.
    QCOMPARE(stored.Objects().size(), 1);
    f.Page().SetZoom(1.0f);
    QCOMPARE(stored.Objects()[0]->geometry(), f.Page().Objects()[0]->geometry());
    QCOMPARE(f.Document.FileName(), target);
    QCOMPARE(named.size(), saveAs ? 1 : 0);
    QCOMPARE(recent.size(), saveAs ? 1 : 0);
    QVERIFY(!f.Document.Modified());
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::FailedSaveKeepsTheOldFileAndTheChanges_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("save: a folder stands at the file's name") << false;
    QTest::newRow("save as: no room for the new copy beside the old file") << true;
}

void TestCalendarDocument::FailedSaveKeepsTheOldFileAndTheChanges()
{
    QFETCH(bool, saveAs);
    TDocumentFixture f;
    const QString file = f.Path("Jun2027.MVF");
    WriteCalendar(file, 6, 2027, 3, "saved");
    QVERIFY(f.Document.OpenCalendarFile(file));
    SetCellText(f.Page(), 3, "changed");
    f.Document.SetModified(true);

    // The new copy is written beside the old file under a longer name first; at the longest
    // name a folder takes, that cannot be, and the old file must stay as it was.
    const QString target = saveAs ? f.Path(QString(250, 'x') + ".MVF") : file;
    if (saveAs) {
        WriteCalendar(target, 6, 2027, 3, "old copy");
    } else {
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
    }
    const QByteArray oldBytes = FileBytes(target);
    QSignalSpy named(&f.Document, &TCalendarDocument::FileNameChanged);
    QSignalSpy recent(&f.Document, &TCalendarDocument::RecentFileUsed);

    if (saveAs) {
        f.Ui.AnswerFileName(target);
        QVERIFY(!f.Document.SaveAs());
    } else {
        QVERIFY(!f.Document.Save());
    }

    QCOMPARE(f.Ui.Messages.size(), 1);
    QVERIFY2(f.Ui.Messages[0].Text.startsWith("Unable to save " + target + ".\r"), qPrintable(f.Ui.Messages[0].Text));
    QVERIFY(f.Ui.Messages[0].Text.size() > QString("Unable to save " + target + ".\r").size()); // says why
    QCOMPARE(FileBytes(target), oldBytes);
    QCOMPARE(f.Document.FileName(), file);
    QVERIFY(named.isEmpty() && recent.isEmpty());
    QVERIFY(f.Document.Modified());
    QCOMPARE(CellText(f.Page(), 3), QString("changed"));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::CancelChangesRevertsToTheFile_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("yes: the file's calendar again") << true;
    QTest::newRow("no: the changes stay") << false;
}

void TestCalendarDocument::CancelChangesRevertsToTheFile()
{
    QFETCH(bool, answerYes);
    TDocumentFixture f;
    const QString file = f.Path("Jul2027.MVF");
    WriteCalendar(file, 7, 2027, 9, "saved", "Label");
    QVERIFY(f.Document.OpenCalendarFile(file));
    f.Document.ClearAllCellContents();
    f.Page().ClearObjects();
    QVERIFY(f.Document.Modified());

    f.Ui.AnswerYesNo(answerYes);
    f.Document.CancelChanges();

    QCOMPARE(f.Ui.Questions.size(), 1);
    QCOMPARE(f.Ui.Questions[0].Text, QString("Cancel all changes?"));
    QCOMPARE(f.Ui.Questions[0].Caption, QString("CANCEL"));
    QCOMPARE(CellText(f.Page(), 9), answerYes ? QString("saved") : QString());
    QCOMPARE(f.Page().Objects().size(), answerYes ? 1 : 0);
    QCOMPARE(f.Document.Modified(), !answerYes);
    QCOMPARE(f.Document.FileName(), file);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::ModifiedChangedOncePerChange()
{
    TDocumentFixture f;
    const QString file = f.Path("Aug2027.MVF");
    WriteCalendar(file, 8, 2027, 1, "");
    QVERIFY(f.Document.OpenCalendarFile(file));
    QSignalSpy spy(&f.Document, &TCalendarDocument::ModifiedChanged);
    const auto states = [&] {
        QList<bool> list;
        for (const QList<QVariant>& signal : spy)
            list += signal[0].toBool();
        return list;
    };

    f.Document.SetModified(true);
    f.Document.SetModified(true);
    QCOMPARE(states(), QList<bool>{true});
    f.Document.SetModified(false);
    f.Document.SetModified(false);
    QCOMPARE(states(), (QList<bool>{true, false}));

    // A change of the page's objects marks the calendar changed, once.
    auto* label = new TGPLabel(&f.Owner);
    label->Loaded();
    f.Page().PlaceObject(*label, QRect(10, 10, 60, 20));
    label->SetCaption("moved on");
    QCOMPARE(states(), (QList<bool>{true, false, true}));

    QVERIFY(f.Document.Save());
    QCOMPARE(states(), (QList<bool>{true, false, true, false}));
    // Reading a file leaves it unchanged, with no signal when it was unchanged before.
    QVERIFY(f.Document.OpenCalendarFile(file));
    QCOMPARE(states(), (QList<bool>{true, false, true, false}));
}

void TestCalendarDocument::SaveChangesFirst_data()
{
    QTest::addColumn<bool>("named");     // the calendar has a file
    QTest::addColumn<bool>("changed");   // it has changes not yet saved
    QTest::addColumn<int>("answer");     // to "Save changes?": -1 not asked, 0 No, 1 Yes, 2 Esc
    QTest::addColumn<QString>("saveAs"); // file chosen in Save As; empty: cancelled, none asked
    QTest::addColumn<bool>("saveFails");
    QTest::addColumn<bool>("saved");  // the changes reached the file
    QTest::addColumn<bool>("goesOn"); // the command that asked went on

    QTest::newRow("no changes: nothing asked") << true << false << -1 << "" << false << false << true;
    QTest::newRow("no: the changes are dropped") << true << true << 0 << "" << false << false << true;
    QTest::newRow("yes: saved to the file") << true << true << 1 << "" << false << true << true;
    QTest::newRow("yes, no file yet: saved as chosen") << false << true << 1 << "New.MVF" << false << true << true;
    QTest::newRow("yes, Save As cancelled: stops") << false << true << 1 << "" << false << false << false;
    QTest::newRow("yes, save failed: stops") << true << true << 1 << "" << true << false << false;
    QTest::newRow("esc: stops, nothing saved") << true << true << 2 << "" << false << false << false;
    QTest::newRow("esc, no file yet: stops, nothing asked") << false << true << 2 << "" << false << false << false;
}

// Open asks before it would drop changes; it goes on unless the user wanted them saved and
// they were not.
void TestCalendarDocument::SaveChangesFirst()
{
    QFETCH(bool, named);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, saveFails);
    QFETCH(bool, saved);
    QFETCH(bool, goesOn);
    TDocumentFixture f;
    const QString file = f.Path("Sep2027.MVF");
    WriteCalendar(file, 9, 2027, 4, "four");
    if (named) {
        QVERIFY(f.Document.OpenCalendarFile(file));
    } else {
        f.Page().ResetToDefaults();
        f.Page().show();
    }
    if (changed) {
        f.Page().SetUserTitle("Club Events");
        f.Document.SetModified(true);
    }
    if (saveFails) {
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
    }
    const QString savedTo = named ? file : f.Path(saveAs.isEmpty() ? "none" : saveAs);

    if (answer == 2)
        f.Ui.CancelQuestion();
    else if (answer >= 0)
        f.Ui.AnswerYesNo(answer == 1);
    if (answer == 1 && !named)
        f.Ui.AnswerFileName(saveAs.isEmpty() ? QString() : savedTo);
    if (goesOn)
        f.Ui.AnswerFileName(QString()); // the open dialog, cancelled
    f.Document.Open();

    QCOMPARE(f.Ui.Questions.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(f.Ui.Questions[0].Text, QString("Save changes?"));
        QCOMPARE(f.Ui.Questions[0].Caption, QString("Save"));
    }
    QCOMPARE(f.Ui.FileRequests.size() && f.Ui.FileRequests.last().Title == "Open Calendar File", goesOn);
    if (saved) {
        TTestOwner owner;
        TCalendarPanel32 stored(&owner);
        stored.LoadFromFile(savedTo, &owner);
        QCOMPARE(stored.UserTitle(), QString("Club Events"));
        QCOMPARE(f.Document.FileName(), savedTo);
    } else if (named && !saveFails) {
        TTestOwner owner;
        TCalendarPanel32 stored(&owner);
        stored.LoadFromFile(file, &owner);
        QVERIFY(stored.UserTitle().isEmpty());
    }
    // Whatever was not saved is still here, changed.
    QCOMPARE(f.Document.Modified(), changed && !saved);
    QCOMPARE(f.Page().UserTitle(), changed ? QString("Club Events") : QString());
    QCOMPARE(f.Ui.Messages.size(), saveFails ? 1 : 0);
    QVERIFY(f.Ui.ScriptFinished());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::PropertiesGoToThePage_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("cellsKept");
    QTest::addColumn<bool>("objectsKept");

    QTest::newRow("cancelled") << false << "month" << false << true << true;
    QTest::newRow("nothing changed") << true << "" << false << true << true;
    QTest::newRow("title colour") << true << "colour" << true << true << true;
    QTest::newRow("another month") << true << "month" << true << false << true;
    QTest::newRow("week planner") << true << "One Week Planner" << true << false << false;
}

void TestCalendarDocument::PropertiesGoToThePage()
{
    QFETCH(bool, ok);
    QFETCH(QString, change);
    QFETCH(bool, modified);
    QFETCH(bool, cellsKept);
    QFETCH(bool, objectsKept);
    TDocumentFixture f;
    const QString file = f.Path("Oct2027.MVF");
    WriteCalendar(file, 10, 2027, 6, "six", "Label");
    QVERIFY(f.Document.OpenCalendarFile(file));
    f.Document.SetPreviewZoomPercent(50);
    QSignalSpy opening(&f.Document, &TCalendarDocument::PropertiesAboutToShow);
    QSignalSpy closed(&f.Document, &TCalendarDocument::PropertiesClosed);

    float previewZoom = 0;
    bool previewHadThePage = false;
    AnswerProperties(
        f.Ui,
        [&](TCalendarProperties& dialog) {
            previewHadThePage = dialog.ExampleCalendar().SameSettings(f.Page());
            dialog.ExampleCalendar().SetZoom(0.8f); // kept for the next dialog, whatever its end
            if (change == "month")
                dialog.findChild<QCalendarWidget*>("Calendar")->setSelectedDate(QDate(2027, 11, 1));
            else if (change == "colour")
                dialog.ExampleCalendar().TitleFont().SetColor(clRed);
            else if (!change.isEmpty()) {
                auto* list = dialog.findChild<QListWidget*>("LayoutList");
                list->setCurrentItem(list->findItems(change, Qt::MatchExactly).value(0));
            }
        },
        ok, &previewZoom);
    if (change == "One Week Planner")
        f.Ui.AnswerYesNo(true); // the dialog's warning that the cells will be cleared
    const auto before = SettingsOf(f.Page());

    QCOMPARE(f.Document.EditProperties(), ok);

    QVERIFY(previewHadThePage);
    QCOMPARE(previewZoom, 0.5f);
    QCOMPARE(f.Document.PreviewZoomPercent(), 80);
    QCOMPARE(opening.size(), 1);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(f.Document.Modified(), modified);
    QCOMPARE(f.Page().SameSettings(*before), !modified);
    if (change == "colour")
        QCOMPARE(f.Page().TitleFont().Color(), clRed);
    QCOMPARE(f.Page().HasCellText(), cellsKept);
    QCOMPARE(f.Page().Objects().size(), objectsKept ? 1 : 0);
    QVERIFY(f.Ui.ScriptFinished());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestCalendarDocument::PageCommandsMarkTheCalendarChanged_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("modified");
    QTest::newRow("clear all cell contents") << "clear" << true;
    QTest::newRow("user title, OK") << "title ok" << true;
    QTest::newRow("user title, cancelled") << "title cancel" << false;
}

void TestCalendarDocument::PageCommandsMarkTheCalendarChanged()
{
    QFETCH(QString, command);
    QFETCH(bool, modified);
    TDocumentFixture f;
    const QString file = f.Path("Nov2027.MVF");
    WriteCalendar(file, 11, 2027, 7, "seven");
    QVERIFY(f.Document.OpenCalendarFile(file));
    int commits = 0;
    connect(&f.Document, &TCalendarDocument::CommitPendingEdits, this, [&] { ++commits; });

    if (command == "clear") {
        f.Document.ClearAllCellContents();
        QVERIFY(!f.Page().HasCellText());
    } else {
        const bool ok = command == "title ok";
        f.Ui.AnswerDialog([ok](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>("TitleText");
            edit->clear();
            QTest::keyClicks(edit, "Club Events");
            QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "okbutton" : "CancelButton"), Qt::LeftButton);
            return dialog.result();
        });
        f.Document.EditUserTitle();
        QCOMPARE(f.Page().UserTitle(), ok ? QString("Club Events") : QString());
        QCOMPARE(CellText(f.Page(), 7), QString("seven"));
    }
    QCOMPARE(commits, 1);
    QCOMPARE(f.Document.Modified(), modified);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

QTEST_MAIN(TestCalendarDocument)
#include "TestCalendarDocument.moc"
