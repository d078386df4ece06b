// Recurring dates through the real main window, with the scripted UI services answering its
// dialogs: filling the shown month from the menu, editing the list from the menu, and the old
// file converted at start.

#include "MainWindowFixture.h"

#include "app/CalendarMain.h"
#include "app/FloatingPalette.h"
#include "platform/IniFile.h"
#include "recurring/HolidayCatalogue.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>

namespace {

void WriteRecords(const QStringList& records)
{
    QCOMPARE(WriteRecurringDatesFile(RecurringDatesFileName(), records), QString());
}

// Answers the selection dialog with OK after noting the rows it offers.
std::function<int(QDialog&)> AcceptOffer(QStringList& offered)
{
    return [&offered](QDialog& dialog) {
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("the selection dialog did not become active");
        offered = dialog.findChild<TRecordTickList*>("Dates")->Records();
        dialog.findChild<QPushButton*>("okbutton")->click();
        return dialog.result();
    };
}

// Answers the recurring dates dialog: `button` opens the next dialog, which `answer` answers,
// then "Ok" saves the list.
std::function<int(QDialog&)> AnswerFromRecurringDates(TScriptedUiServices& ui, const QString& button,
                                                      std::function<int(QDialog&)> answer)
{
    return [&ui, button, answer](QDialog& dialog) {
        ui.AnswerDialog(answer);
        dialog.findChild<QPushButton*>(button)->click();
        dialog.findChild<QPushButton*>("okbutton")->click();
        return dialog.result();
    };
}

void ExpectRecordsInFile(const QStringList& records)
{
    const TRecurringDatesRead read = ReadRecurringDatesFile(RecurringDatesFileName());
    QVERIFY(read.Ok());
    QCOMPARE(read.Records, records);
}

} // namespace

class TestRecurringDatesMain : public QObject {
    Q_OBJECT
private slots:
    void FillWritesTheMonthsDaysAndKeepsTheEditor();
    void FillWithoutMatchTellsTheUser();
    void FillNeedsDayCells();
    void FillFromAnEditorsUtf8File();
    void EditRecurringDatesFromTheMenu();
    void CountrysHolidaysAddedAndFilled();
    void EasterBasedDateAddedAndFilled();
    void OldFileConvertedAtStart();
    void DamagedFileKeptAtStart();
};

void TestRecurringDatesMain::FillWritesTheMonthsDaysAndKeepsTheEditor()
{
    TMainWindowFixture f;
    // February 2000 starts on a Tuesday and has four Mondays (7 .. 28) and five Tuesdays.
    const QString file = f.Path("Feb2000.MVF");
    TMainWindowFixture::WriteCalendar(file, 2, 2000, 3, "old");
    const QStringList records = {
        MakeRecord("Fifth Monday", "$4 1 2"), MakeRecord("Last Monday", "$5 1 0"), MakeRecord("Day one", "$0 7 0"),
        MakeRecord("Day two", "$1 7 2"),      MakeRecord("Day five", "$4 7 0"),    MakeRecord("Last day", "$5 7 0"),
        MakeRecord("Tuesdays", "%3"),         MakeRecord("In May", "@0501"),       MakeRecord("Rent", "@0015"),
        MakeRecord("Thirty-first", "@0031"),
    };
    WriteRecords(records);
    // Text written into an empty cell takes the default editor font.
    TIniFile(IniFileName()).WriteInteger("Default Font", "Size", 14);
    TIniFile(IniFileName()).WriteBool("Default Font", "Bold", true);
    TCalendarMain& main = f.Start(file);
    TCalendarPanel32& page = f.Page();
    QCOMPARE(page.CellOfDay(1), 3);
    QVERIFY(f.Forms->IconTool.isVisible());

    // The user is typing in the cell of the 10th.
    const int typingCell = page.CellOfDay(10);
    f.ClickCell(typingCell);
    QTest::keyClicks(&f.Editor(), "typed");

    QStringList offered;
    bool iconToolHidden = false;
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        iconToolHidden = !f.Forms->IconTool.isVisible();
        return AcceptOffer(offered)(dialog);
    });
    f.Trigger("mnuFillCalendarwithRecurringDates");
    QVERIFY(iconToolHidden);
    QVERIFY(f.Forms->IconTool.isVisible());
    QStringList expectedOffer = records;
    expectedOffer.removeAt(7);
    QCOMPARE(offered, expectedOffer);

    const auto expectLines = [&](int day, const QStringList& lines) {
        QCOMPARE(TMainWindowFixture::CellLines(page, page.CellOfDay(day)), lines);
    };
    expectLines(1, {"old", "Day one", "Tuesdays"});
    expectLines(2, {"Day two"});
    expectLines(5, {"Day five"});
    expectLines(8, {"Tuesdays"});
    expectLines(15, {"Tuesdays", "Rent"});
    expectLines(22, {"Tuesdays"});
    expectLines(28, {"Last Monday"});
    expectLines(29, {"Last day", "Tuesdays"});
    for (const int day : {3, 4, 6, 7, 14, 21, 27})
        expectLines(day, {});
    // Text after a cell's text takes the attributes that text starts with.
    const auto fontOf = [&](int day, int line) {
        const QTextBlock block = page.GetCellRtf(page.CellOfDay(day))->RtfText().Document().findBlockByNumber(line);
        return block.begin().fragment().charFormat().font();
    };
    QVERIFY(fontOf(2, 0).bold());
    QCOMPARE(fontOf(2, 0).pointSize(), 14);
    QCOMPARE(fontOf(1, 1).bold(), fontOf(1, 0).bold());
    QCOMPARE(fontOf(1, 1).pointSize(), fontOf(1, 0).pointSize());
    QVERIFY(!fontOf(1, 1).bold());
    QCOMPARE(page.CellOfDay(31), -1);
    // The editor is open again on the cell the user was typing in, with the typed text.
    QVERIFY(main.EditorActive());
    QVERIFY(f.Editor().isVisible());
    QCOMPARE(main.CurrentCell(), typingCell);
    QCOMPARE(f.Editor().Text().Document().toPlainText(), "typed");
    QVERIFY(main.Modified());

    // A second run appends every text again.
    f.Ui.AnswerDialog(AcceptOffer(offered));
    f.Trigger("mnuFillCalendarwithRecurringDates");
    expectLines(1, {"old", "Day one", "Tuesdays", "Day one", "Tuesdays"});
    expectLines(29, {"Last day", "Tuesdays", "Last day", "Tuesdays"});
    QCOMPARE(main.CurrentCell(), typingCell);
    QVERIFY(f.Ui.Unexpected.isEmpty());

    // What was filled is saved with the calendar.
    f.Ui.AnswerFileName(file);
    f.Trigger("mnuSaveAs");
    TCalendarPanel32 stored(nullptr);
    stored.LoadFromFile(file, nullptr);
    QCOMPARE(TMainWindowFixture::CellLines(stored, page.CellOfDay(15)),
             (QStringList{"Tuesdays", "Rent", "Tuesdays", "Rent"}));
}

void TestRecurringDatesMain::FillWithoutMatchTellsTheUser()
{
    TMainWindowFixture f;
    const QString file = f.Path("Feb2000.MVF");
    TMainWindowFixture::WriteCalendar(file, 2, 2000, 3, "");
    WriteRecords({MakeRecord("In May", "@0501"), PadField("Easter", 120) + "#EASTER"});
    TCalendarMain& main = f.Start(file);
    f.Trigger("mnuFillCalendarwithRecurringDates");
    QVERIFY(f.Ui.DialogsShown.isEmpty());
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, "No predefined dates match the current month");
    QVERIFY(!main.Modified());
}

void TestRecurringDatesMain::FillNeedsDayCells()
{
    TMainWindowFixture f;
    f.Start();
    QVERIFY(!f.Page().CellsAvailable());
    QVERIFY(!f.Action("mnuFillCalendarwithRecurringDates")->isEnabled());
    QVERIFY(f.Action("mnuEditrecurringDates")->isEnabled());
}

// A list a text editor saved as UTF-8 without a mark fills its days with the text as written.
void TestRecurringDatesMain::FillFromAnEditorsUtf8File()
{
    TMainWindowFixture f;
    const QString file = f.Path("Feb2000.MVF");
    TMainWindowFixture::WriteCalendar(file, 2, 2000, 3, "");
    const QStringList records = {MakeRecord(QString::fromUtf8("J\u00fcrgen"), "@0205"), MakeRecord("In May", "@0501")};
    QFile dax(RecurringDatesFileName());
    QVERIFY(dax.open(QIODevice::WriteOnly));
    dax.write(records.join("\r\n").toUtf8() + "\r\n");
    dax.close();
    f.Start(file);
    QStringList offered;
    f.Ui.AnswerDialog(AcceptOffer(offered));
    f.Trigger("mnuFillCalendarwithRecurringDates");
    QCOMPARE(offered, records.mid(0, 1));
    QCOMPARE(TMainWindowFixture::CellLines(f.Page(), f.Page().CellOfDay(5)),
             QStringList{QString::fromUtf8("J\u00fcrgen")});
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestRecurringDatesMain::EditRecurringDatesFromTheMenu()
{
    TMainWindowFixture f;
    const QString umlaut = MakeRecord(QString::fromUtf8("\u00c4rger"), "@0101");
    WriteRecords({MakeRecord("Zoo", "@0101"), umlaut});
    f.Start();
    // The holidays, all of them, are added from the catalogue.
    f.Ui.AnswerDialog(AnswerFromRecurringDates(f.Ui, "Holidaysbutton", [](QDialog& holidays) {
        holidays.findChild<QPushButton*>("AllButton")->click();
        holidays.findChild<QPushButton*>("okbutton")->click();
        return holidays.result();
    }));
    f.Trigger("mnuEditrecurringDates");
    QCOMPARE(f.Ui.DialogsShown, (QStringList{"TEditRecurringDates", "TGetHolidays"}));
    // "Ärger" sorts as the user reads it: between "April Fools's Day" and "Armed Forces Day".
    QStringList expected = HolidayCatalogue("US");
    expected.insert(1, umlaut);
    expected += MakeRecord("Zoo", "@0101");
    ExpectRecordsInFile(expected);

    // A damaged file is reported and not offered for editing.
    QFile damaged(RecurringDatesFileName());
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("x\0", 2));
    damaged.close();
    f.Trigger("mnuEditrecurringDates");
    QCOMPARE(f.Ui.DialogsShown.size(), 2);
    QCOMPARE(f.Ui.Messages.last().Text, "Unable to read " + RecurringDatesFileName() +
                                            ".\rIt holds a zero byte at offset 1, which no text file does.");
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

// The German holidays chosen in the holiday dialog, then filled into May 2027: Whit Monday
// (Easter, March 28, + 50 days) on the 17th; Easter Monday is not offered for May.
void TestRecurringDatesMain::CountrysHolidaysAddedAndFilled()
{
    TMainWindowFixture f;
    f.StartOnMonth(f.Path("May2027.MVF"), 5, 2027);
    QString firstCountry;
    f.Ui.AnswerDialog(AnswerFromRecurringDates(f.Ui, "Holidaysbutton", [&](QDialog& holidays) {
        auto* country = holidays.findChild<QComboBox*>("Country");
        firstCountry = country->currentData().toString();
        country->setCurrentIndex(country->findData("DE"));
        auto* list = holidays.findChild<TRecordTickList*>("Holidays");
        for (int row = 0; row < list->count(); ++row) {
            const QString text = RecordEventText(list->item(row)->text()).trimmed();
            if (text == "Ostermontag" || text == "Pfingstmontag")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        }
        holidays.findChild<QPushButton*>("okbutton")->click();
        return holidays.result();
    }));
    f.Trigger("mnuEditrecurringDates");
    QCOMPARE(f.Ui.DialogsShown, (QStringList{"TEditRecurringDates", "TGetHolidays"}));
    QCOMPARE(firstCountry, "US");
    const QString whitMonday = PadField("Pfingstmontag", 120) + "#EASTER+50";
    ExpectRecordsInFile({PadField("Ostermontag", 120) + "#EASTER+1", whitMonday});

    QStringList offered;
    f.Ui.AnswerDialog(AcceptOffer(offered));
    f.Trigger("mnuFillCalendarwithRecurringDates");
    QCOMPARE(offered, QStringList{whitMonday});
    TCalendarPanel32& page = f.Page();
    QCOMPARE(TMainWindowFixture::CellLines(page, page.CellOfDay(17)), QStringList{"Pfingstmontag"});
    for (const int day : {16, 18, 29})
        QCOMPARE(TMainWindowFixture::CellLines(page, page.CellOfDay(day)), QStringList{});
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

// A day counted from Easter, made in the formula dialog: carnival, Easter (March 28, 2027) - 47
// days, fills February 9.
void TestRecurringDatesMain::EasterBasedDateAddedAndFilled()
{
    TMainWindowFixture f;
    f.StartOnMonth(f.Path("Feb2027.MVF"), 2, 2027);
    f.Ui.AnswerDialog(AnswerFromRecurringDates(f.Ui, "Newbutton", [](QDialog& formula) {
        formula.findChild<QLineEdit*>("Event")->setText("Carnival");
        // On the button's circle: the rest of its row is not the button's.
        auto* easter = formula.findChild<QRadioButton*>("rbEaster");
        QTest::mouseClick(easter, Qt::LeftButton, {}, QPoint(8, easter->height() / 2));
        auto* offset = formula.findChild<QSpinBox*>("EasterOffset");
        offset->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(offset, "-47");
        formula.findChild<QPushButton*>("Okbutton")->click();
        return formula.result();
    }));
    f.Trigger("mnuEditrecurringDates");
    QCOMPARE(f.Ui.DialogsShown, (QStringList{"TEditRecurringDates", "TEditRecurringDateFormula"}));
    const QString carnival = PadField("Carnival", 120) + "#EASTER-47";
    ExpectRecordsInFile({carnival});

    QStringList offered;
    f.Ui.AnswerDialog(AcceptOffer(offered));
    f.Trigger("mnuFillCalendarwithRecurringDates");
    QCOMPARE(offered, QStringList{carnival});
    TCalendarPanel32& page = f.Page();
    QCOMPARE(TMainWindowFixture::CellLines(page, page.CellOfDay(9)), QStringList{"Carnival"});
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestRecurringDatesMain::OldFileConvertedAtStart()
{
    TMainWindowFixture f;
    QFile old(OldRecurringDatesFileName());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("0401April fool\r\n1225Christmas\r\n");
    old.close();
    f.Start();
    QVERIFY(!QFile::exists(OldRecurringDatesFileName()));
    const TRecurringDatesRead read = ReadRecurringDatesFile(RecurringDatesFileName());
    QVERIFY(read.Ok());
    QCOMPARE(read.Records,
             (QStringList{PadField("April fool", 120) + "@0401      ", PadField("Christmas", 120) + "@1225      "}));
    QVERIFY(f.Ui.Messages.isEmpty());
}

void TestRecurringDatesMain::DamagedFileKeptAtStart()
{
    TMainWindowFixture f;
    QFile old(OldRecurringDatesFileName());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("0401April fool\r\n");
    old.close();
    QFile current(RecurringDatesFileName());
    QVERIFY(current.open(QIODevice::WriteOnly));
    current.write(QByteArray("\0", 1));
    current.close();
    f.Start();
    QVERIFY(QFile::exists(OldRecurringDatesFileName()));
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, "Unable to read " + RecurringDatesFileName() +
                                        ".\rIt holds a zero byte at offset 0, which no text file does.");
}

QObject* NewTestRecurringDatesMain()
{
    return new TestRecurringDatesMain;
}

#include "TestRecurringDatesMain.moc"
