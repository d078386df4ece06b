// The recurring date dialogs driven through their controls, with the scripted UI services
// answering the dialogs they open: the list of recurring dates with its file, the formula
// dialog's controls, formulas and messages, and the two tick lists.

#include "../common/FileBytes.h"
#include "platform/ProgramFolders.h"
#include "platformui/ScriptedUiServices.h"
#include "recurring/EditRecurringDateFormula.h"
#include "recurring/EditRecurringDates.h"
#include "recurring/GetHolidays.h"
#include "recurring/HolidayCatalogue.h"
#include "recurring/RecordOrder.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"
#include "recurring/SelectRecurringDates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

template <typename T>
T* Child(const QWidget& parent, const QString& name)
{
    auto* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

void Click(const QWidget& dialog, const QString& button)
{
    QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
}

int SelectedRow(const QListWidget& list)
{
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

// A recurring dates file in a fresh folder, with scripted answers for every dialog.
struct TDialogFixture {
    QTemporaryDir Dir;
    TScriptedUiServices Ui;
    QString FileName = Dir.filePath("MVRECUR.DAX");

    void Write(const QStringList& records) const { QCOMPARE(WriteRecurringDatesFile(FileName, records), QString()); }
};

// The formula dialog's answer: `work` sets its controls, then "&Ok" is clicked.
std::function<int(QDialog&)> ClickOkAfter(std::function<void(QDialog&)> work)
{
    return [work](QDialog& dialog) {
        work(dialog);
        Click(dialog, "Okbutton");
        return dialog.result();
    };
}

} // namespace

class TestRecurringDialogs : public QObject {
    Q_OBJECT
private slots:
    void ListLoadsSortedWithFirstSelected();
    void EmptyListDisablesEditAndDelete();
    void DamagedFileIsNotOffered();
    void OkWritesRowsInListOrder();
    void FailedSaveKeepsDialogOpen();
    void CancelAfterDeletionsLeavesFileUnchanged();
    void DeletingLastRowDisablesEditAndDelete();
    void EditMovesRecordToSortedPlaceAndSelectsIt();
    void EditRefusesFeastsAndBeepsWithoutSelection();
    void NewRecordStartsAtFirstOfEachMonth();
    void HolidayAddedTwiceKeepsOneRow();
    void EasterRecordIsEditedWhole();
    void HolidayCountryFollowsTheLocale_data();
    void HolidayCountryFollowsTheLocale();
    void ChosenCountryOffersItsHolidays();
    void FormulaShownInControls_data();
    void FormulaShownInControls();
    void EasterFormulaShownInControls_data();
    void EasterFormulaShownInControls();
    void FormulaBuiltFromControls_data();
    void FormulaBuiltFromControls();
    void ValidationMessages_data();
    void ValidationMessages();
    void RecurTypeEnablesItsControls();
    void TickListsRefuseOkWithoutTick();
    void SelectionTicksEveryRowWhenShown();
    void TickedRowsShowCheckPicture();
};

void TestRecurringDialogs::ListLoadsSortedWithFirstSelected()
{
    TDialogFixture f;
    const QStringList records = {MakeRecord("zebra", "@0101"), MakeRecord("Apple", "@0202"), MakeRecord("mango", "%26"),
                                 MakeRecord(QString::fromUtf8("\u00c4rger"), "@0303")};
    f.Write(records);
    TEditRecurringDates dialog(f.FileName);
    QCOMPARE(dialog.LoadError(), QString());
    QCOMPARE(dialog.Records(), (QStringList{records[1], records[3], records[2], records[0]}));
    const auto* list = Child<QListWidget>(dialog, "DatesList");
    QCOMPARE(SelectedRow(*list), 0);
    QVERIFY(Child<QPushButton>(dialog, "Editbutton")->isEnabled());
    QVERIFY(Child<QPushButton>(dialog, "DeleteButton")->isEnabled());
}

void TestRecurringDialogs::EmptyListDisablesEditAndDelete()
{
    TDialogFixture f;
    TEditRecurringDates dialog(f.FileName);
    QCOMPARE(dialog.LoadError(), QString());
    QVERIFY(dialog.Records().isEmpty());
    QVERIFY(!Child<QPushButton>(dialog, "Editbutton")->isEnabled());
    QVERIFY(!Child<QPushButton>(dialog, "DeleteButton")->isEnabled());
    Click(dialog, "Editbutton");
    QCOMPARE(f.Ui.Beeps, 0); // a disabled button does nothing
}

void TestRecurringDialogs::DamagedFileIsNotOffered()
{
    TDialogFixture f;
    QFile file(f.FileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("ab\0", 3));
    file.close();
    TEditRecurringDates dialog(f.FileName);
    QCOMPARE(dialog.LoadError(),
             "Unable to read " + f.FileName + ".\rIt holds a zero byte at offset 2, which no text file does.");
    QVERIFY(dialog.Records().isEmpty());
}

void TestRecurringDialogs::OkWritesRowsInListOrder()
{
    TDialogFixture f;
    const QStringList records = {MakeRecord("b", "@0101"), MakeRecord("A", "@0202")};
    f.Write(records);
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    Click(dialog, "okbutton");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(FileBytes(f.FileName), EncodeRecurringDates({records[1], records[0]}));
}

void TestRecurringDialogs::FailedSaveKeepsDialogOpen()
{
    TDialogFixture f;
    const QString fileName = f.Dir.filePath("missing/MVRECUR.DAX");
    TEditRecurringDates dialog(fileName);
    dialog.show();
    f.Ui.AnswerDialog(ClickOkAfter([](QDialog&) {}));
    Click(dialog, "Newbutton");
    Click(dialog, "okbutton");
    QVERIFY(dialog.isVisible());
    QCOMPARE(f.Ui.Messages.size(), 1);
    QVERIFY(f.Ui.Messages[0].Text.startsWith("Unable to save " + fileName + ".\r"));
    QCOMPARE(dialog.Records().size(), 1);
}

void TestRecurringDialogs::CancelAfterDeletionsLeavesFileUnchanged()
{
    TDialogFixture f;
    f.Write({MakeRecord("a", "@0101"), MakeRecord("b", "@0202"), MakeRecord("c", "@0303")});
    const QByteArray before = FileBytes(f.FileName);
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    Click(dialog, "DeleteButton");
    Click(dialog, "DeleteButton");
    QCOMPARE(dialog.Records(), QStringList{MakeRecord("c", "@0303")});
    Click(dialog, "CancelButton");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(FileBytes(f.FileName), before);
}

void TestRecurringDialogs::DeletingLastRowDisablesEditAndDelete()
{
    TDialogFixture f;
    f.Write({MakeRecord("only", "@0101")});
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    Click(dialog, "DeleteButton");
    QVERIFY(dialog.Records().isEmpty());
    QVERIFY(!Child<QPushButton>(dialog, "Editbutton")->isEnabled());
    QVERIFY(!Child<QPushButton>(dialog, "DeleteButton")->isEnabled());
}

void TestRecurringDialogs::EditMovesRecordToSortedPlaceAndSelectsIt()
{
    TDialogFixture f;
    f.Write({MakeRecord("Apple", "@0101"), MakeRecord("Mango", "@0202"), MakeRecord("Zebra", "@0303")});
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    QString caption;
    QString eventShown;
    QString formulaShown;
    f.Ui.AnswerDialog(ClickOkAfter([&](QDialog& formula) {
        caption = formula.windowTitle();
        auto& edit = static_cast<TEditRecurringDateFormula&>(formula);
        eventShown = edit.EventText();
        formulaShown = edit.Formula();
        Child<QLineEdit>(formula, "Event")->setText("Zulu");
        Child<QRadioButton>(formula, "rbSpecial")->click();
        Child<QComboBox>(formula, "SpecialOccurrance")->setCurrentIndex(5);
        Child<QComboBox>(formula, "SpecialDayOfWeek")->setCurrentIndex(1);
        Child<QComboBox>(formula, "SpecialMonth")->setCurrentIndex(5);
    }));
    Click(dialog, "Editbutton");
    QCOMPARE(caption, "Edit Recurring Date Formula");
    QCOMPARE(eventShown, "Apple");
    QCOMPARE(formulaShown, "@0101     ");
    const QStringList expected = {MakeRecord("Mango", "@0202"), MakeRecord("Zebra", "@0303"),
                                  MakeRecord("Zulu", "$5 1 5")};
    QCOMPARE(dialog.Records(), expected);
    QCOMPARE(SelectedRow(*Child<QListWidget>(dialog, "DatesList")), 2);

    // Cancel in the formula dialog changes nothing.
    f.Ui.AnswerDialog([](QDialog& formula) {
        Child<QLineEdit>(formula, "Event")->setText("Aardvark");
        Click(formula, "CancelButton");
        return formula.result();
    });
    Click(dialog, "Editbutton");
    QCOMPARE(dialog.Records(), expected);
    QVERIFY(f.Ui.ScriptFinished());
}

void TestRecurringDialogs::EditRefusesFeastsAndBeepsWithoutSelection()
{
    TDialogFixture f;
    f.Write({PadField("Easter", 120) + "#EASTER", MakeRecord("Odd", "!0101")});
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    auto* list = Child<QListWidget>(dialog, "DatesList");
    QCOMPARE(SelectedRow(*list), 0);
    Click(dialog, "Editbutton");
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, "This entry cannot be edited");
    // A record of an unknown kind is not edited either, silently.
    list->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    Click(dialog, "Editbutton");
    QCOMPARE(f.Ui.Messages.size(), 1);
    QVERIFY(f.Ui.DialogsShown.isEmpty());

    list->clearSelection();
    dialog.EditbuttonClick();
    QCOMPARE(f.Ui.Beeps, 1);
    dialog.DoEditRecurringFormula();
    QCOMPARE(f.Ui.Beeps, 2);
}

void TestRecurringDialogs::NewRecordStartsAtFirstOfEachMonth()
{
    TDialogFixture f;
    f.Write({MakeRecord("Mango", "@0202")});
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    f.Ui.AnswerDialog(ClickOkAfter([](QDialog& formula) {
        QCOMPARE(formula.windowTitle(), "Add Recurring Date");
        QCOMPARE(Child<QLineEdit>(formula, "Event")->text(), "[Enter event]");
        QVERIFY(Child<QRadioButton>(formula, "rbDayOfMonth")->isChecked());
        QCOMPARE(Child<QSpinBox>(formula, "DayOfMonthDay")->value(), 1);
        QCOMPARE(Child<QComboBox>(formula, "DayOfMonthMonth")->currentIndex(), 0);
        // Day 31 is accepted for a month without one.
        Child<QSpinBox>(formula, "DayOfMonthDay")->setValue(31);
        Child<QComboBox>(formula, "DayOfMonthMonth")->setCurrentIndex(4);
    }));
    Click(dialog, "Newbutton");
    QCOMPARE(dialog.Records(), (QStringList{MakeRecord("[Enter event]", "@0431"), MakeRecord("Mango", "@0202")}));
    QCOMPARE(SelectedRow(*Child<QListWidget>(dialog, "DatesList")), 0);
}

void TestRecurringDialogs::HolidayAddedTwiceKeepsOneRow()
{
    TDialogFixture f;
    f.Write({MakeRecord("Birthday", "@0505")});
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    int tickedAtOpen = 0;
    const auto tickChristmasAndEaster = [&tickedAtOpen](QDialog& holidays) {
        auto* list = Child<TRecordTickList>(holidays, "Holidays");
        tickedAtOpen += int(list->TickedRecords().size());
        list->SetTicked(2, true); // Christmas Day
        list->SetTicked(5, true); // Easter
        Click(holidays, "okbutton");
        return holidays.result();
    };
    f.Ui.AnswerDialog(tickChristmasAndEaster);
    Click(dialog, "Holidaysbutton");
    f.Ui.AnswerDialog(tickChristmasAndEaster);
    Click(dialog, "Holidaysbutton");
    QCOMPARE(f.Ui.DialogsShown, (QStringList{"TGetHolidays", "TGetHolidays"}));
    QCOMPARE(tickedAtOpen, 0);
    const QStringList catalogue = HolidayCatalogue("US");
    QCOMPARE(dialog.Records(), (QStringList{MakeRecord("Birthday", "@0505"), catalogue[2], catalogue[5]}));

    // A record differing only in case counts as the same.
    TDialogFixture g;
    g.Write({MakeRecord("CHRISTMAS DAY", "@1225")});
    TEditRecurringDates other(g.FileName);
    g.Ui.AnswerDialog(tickChristmasAndEaster);
    other.HolidaysbuttonClick();
    QCOMPARE(other.Records(), (QStringList{MakeRecord("CHRISTMAS DAY", "@1225"), catalogue[5]}));
}

// An Easter-based record is edited in the formula dialog with its whole tag, 11 columns long;
// the first catalogue's feasts are not (EditRefusesFeastsAndBeepsWithoutSelection).
void TestRecurringDialogs::EasterRecordIsEditedWhole()
{
    TDialogFixture f;
    f.Write({MakeRecord("Clean Monday", "#OEASTER-48")});
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    QString formulaShown;
    f.Ui.AnswerDialog(ClickOkAfter([&](QDialog& formula) {
        formulaShown = static_cast<TEditRecurringDateFormula&>(formula).Formula();
        QVERIFY(Child<QRadioButton>(formula, "rbEaster")->isChecked());
        Child<QLineEdit>(formula, "Event")->setText("Carnival");
        Child<QComboBox>(formula, "EasterChurch")->setCurrentIndex(0);
        Child<QSpinBox>(formula, "EasterOffset")->setValue(-47);
    }));
    Click(dialog, "Editbutton");
    QCOMPARE(formulaShown, "#OEASTER-48");
    QVERIFY(f.Ui.Messages.isEmpty());
    QCOMPARE(dialog.Records(), QStringList{PadField("Carnival", 120) + "#EASTER-47"});

    // A tag this version does not know is left as it is.
    TDialogFixture g;
    g.Write({PadField("Mystery", 120) + "#XMAS"});
    TEditRecurringDates other(g.FileName);
    other.show();
    Click(other, "Editbutton");
    QVERIFY(g.Ui.DialogsShown.isEmpty());
    QCOMPARE(g.Ui.Messages.size(), 1);
    QCOMPARE(g.Ui.Messages[0].Text, "This entry cannot be edited");
}

void TestRecurringDialogs::HolidayCountryFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("country");
    QTest::newRow("German in Germany") << QLocale(QLocale::German, QLocale::Germany) << "DE";
    QTest::newRow("German in Austria") << QLocale(QLocale::German, QLocale::Austria) << "AT";
    QTest::newRow("Greek") << QLocale(QLocale::Greek, QLocale::Greece) << "GR";
    QTest::newRow("English in Britain") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "GB";
    QTest::newRow("German in Switzerland") << QLocale(QLocale::German, QLocale::Switzerland) << "US";
}

// The dialog opens on the country of the locale's territory, its holidays sorted as the locale
// sorts them, none ticked.
void TestRecurringDialogs::HolidayCountryFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, country);
    const QLocale before;
    QLocale::setDefault(locale);
    TGetHolidays holidays;
    QStringList expected = HolidayCatalogue(country);
    std::stable_sort(expected.begin(), expected.end(), TRecordOrder());
    QLocale::setDefault(before);
    QCOMPARE(holidays.CountryCode(), country);
    QCOMPARE(Child<QComboBox>(holidays, "Country")->currentData().toString(), country);
    const auto* list = Child<TRecordTickList>(holidays, "Holidays");
    QCOMPARE(list->Records(), expected);
    QVERIFY(list->TickedRecords().isEmpty());
}

// Choosing another country shows its catalogue with nothing ticked; OK adds the ticked rows of
// the country chosen.
void TestRecurringDialogs::ChosenCountryOffersItsHolidays()
{
    TDialogFixture f;
    TEditRecurringDates dialog(f.FileName);
    dialog.show();
    QStringList countries;
    QString firstCountry;
    qsizetype tickedAfterChange = -1;
    f.Ui.AnswerDialog([&](QDialog& holidays) {
        auto* country = Child<QComboBox>(holidays, "Country");
        for (int i = 0; i < country->count(); ++i)
            countries += country->itemText(i);
        firstCountry = country->currentData().toString();
        auto* list = Child<TRecordTickList>(holidays, "Holidays");
        list->SetTicked(0, true);
        country->setCurrentIndex(country->findData("DE"));
        tickedAfterChange = list->TickedRecords().size();
        for (int row = 0; row < list->count(); ++row) {
            const QString text = RecordEventText(list->Records()[row]).trimmed();
            list->SetTicked(row, text == "Ostermontag" || text == "Pfingstmontag");
        }
        Click(holidays, "okbutton");
        return holidays.result();
    });
    Click(dialog, "Holidaysbutton");
    QCOMPARE(countries, (QStringList{"United States", "United Kingdom (England and Wales)", "Germany", "Austria",
                                     "France", "Italy", "Spain", "Greece"}));
    QCOMPARE(firstCountry, "US");
    QCOMPARE(tickedAfterChange, 0);
    QCOMPARE(dialog.Records(),
             (QStringList{PadField("Ostermontag", 120) + "#EASTER+1", PadField("Pfingstmontag", 120) + "#EASTER+50"}));
}

void TestRecurringDialogs::FormulaShownInControls_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("radio");
    // Day and month of the day-of-month controls; O, W and M of the special lists; the ticked
    // day boxes, Sunday first.
    QTest::addColumn<QList<int>>("dayOfMonth");
    QTest::addColumn<QList<int>>("special");
    QTest::addColumn<QString>("ticked");
    QTest::newRow("@1225") << "@1225     "
                           << "rbDayOfMonth" << QList<int>{25, 12} << QList<int>{0, 0, 0} << "0111110";
    QTest::newRow("@0015") << "@0015"
                           << "rbDayOfMonth" << QList<int>{15, 0} << QList<int>{0, 0, 0} << "0111110";
    QTest::newRow("$5 0 10") << "$5 0 10   "
                             << "rbSpecial" << QList<int>{1, 0} << QList<int>{5, 0, 10} << "0111110";
    QTest::newRow("%17") << "%17       "
                         << "rbDayOfweek" << QList<int>{1, 0} << QList<int>{0, 0, 0} << "1000001";
    QTest::newRow("%2266") << "%2266"
                           << "rbDayOfweek" << QList<int>{1, 0} << QList<int>{0, 0, 0} << "0100010";
    // What cannot be read leaves the start values.
    QTest::newRow("@ alone") << "@"
                             << "rbDayOfMonth" << QList<int>{1, 0} << QList<int>{0, 0, 0} << "0111110";
    QTest::newRow("$ broken") << "$x"
                              << "rbDayOfMonth" << QList<int>{1, 0} << QList<int>{0, 0, 0} << "0111110";
    QTest::newRow("empty") << ""
                           << "rbDayOfweek" << QList<int>{1, 0} << QList<int>{0, 0, 0} << "0000000";
}

void TestRecurringDialogs::FormulaShownInControls()
{
    QFETCH(QString, formula);
    QFETCH(QString, radio);
    QFETCH(QList<int>, dayOfMonth);
    QFETCH(QList<int>, special);
    QFETCH(QString, ticked);
    TEditRecurringDateFormula dialog;
    dialog.SetFormula(formula);
    dialog.show();
    QVERIFY(Child<QRadioButton>(dialog, radio)->isChecked());
    QVERIFY(Child<QRadioButton>(dialog, radio)->font().bold());
    QCOMPARE(Child<QSpinBox>(dialog, "DayOfMonthDay")->value(), dayOfMonth[0]);
    QCOMPARE(Child<QComboBox>(dialog, "DayOfMonthMonth")->currentIndex(), dayOfMonth[1]);
    QCOMPARE(Child<QComboBox>(dialog, "SpecialOccurrance")->currentIndex(), special[0]);
    QCOMPARE(Child<QComboBox>(dialog, "SpecialDayOfWeek")->currentIndex(), special[1]);
    QCOMPARE(Child<QComboBox>(dialog, "SpecialMonth")->currentIndex(), special[2]);
    const QStringList days = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    QString shown;
    for (const QString& day : days)
        shown += Child<QCheckBox>(dialog, day)->isChecked() ? u'1' : u'0';
    QCOMPARE(shown, ticked);
    // The formula itself stays until OK builds a new one.
    QCOMPARE(dialog.Formula(), formula);
}

void TestRecurringDialogs::EasterFormulaShownInControls_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("church");
    QTest::addColumn<int>("offset");
    QTest::newRow("Easter + 39") << "#EASTER+39" << 0 << 39;
    QTest::newRow("Orthodox Easter - 48") << "#OEASTER-48" << 1 << -48;
    QTest::newRow("Orthodox Easter, lower case") << "#oeaster" << 1 << 0;
    QTest::newRow("Good Friday") << "#GOODFRIDAY" << 0 << -2;
}

void TestRecurringDialogs::EasterFormulaShownInControls()
{
    QFETCH(QString, formula);
    TEditRecurringDateFormula dialog;
    dialog.SetFormula(formula);
    dialog.show();
    QVERIFY(Child<QRadioButton>(dialog, "rbEaster")->isChecked());
    QVERIFY(Child<QRadioButton>(dialog, "rbEaster")->font().bold());
    QTEST(Child<QComboBox>(dialog, "EasterChurch")->currentIndex(), "church");
    QTEST(Child<QSpinBox>(dialog, "EasterOffset")->value(), "offset");
}

void TestRecurringDialogs::FormulaBuiltFromControls_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<std::function<void(QDialog&)>>("work");
    QTest::addColumn<QString>("formula");
    QTest::newRow("day of month") << "@" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QSpinBox>(d, "DayOfMonthDay")->setValue(4);
        Child<QComboBox>(d, "DayOfMonthMonth")->setCurrentIndex(7);
    }) << "@0704";
    QTest::newRow("weekdays as ticked") << "@" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbDayOfweek")->click();
    }) << "%23456";
    QTest::newRow("all days") << "%2" << std::function<void(QDialog&)>([](QDialog& d) {
        QTest::mouseClick(Child<QCheckBox>(d, "AllDaysCheck"), Qt::LeftButton);
    }) << "%1234567";
    QTest::newRow("all days off and Sunday") << "%2" << std::function<void(QDialog&)>([](QDialog& d) {
        auto* all = Child<QCheckBox>(d, "AllDaysCheck");
        QTest::mouseClick(all, Qt::LeftButton);
        QTest::mouseClick(all, Qt::LeftButton);
        Child<QCheckBox>(d, "Sunday")->setChecked(true);
    }) << "%1";
    QTest::newRow("special") << "@" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbSpecial")->click();
        Child<QComboBox>(d, "SpecialOccurrance")->setCurrentIndex(3);
        Child<QComboBox>(d, "SpecialDayOfWeek")->setCurrentIndex(4);
        Child<QComboBox>(d, "SpecialMonth")->setCurrentIndex(11);
    }) << "$3 4 11";
    QTest::newRow("special any day") << "@" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbSpecial")->click();
        Child<QComboBox>(d, "SpecialDayOfWeek")->setCurrentIndex(7);
    }) << "$0 7 0 ";
    QTest::newRow("Orthodox Easter - 48") << "@" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbEaster")->click();
        Child<QComboBox>(d, "EasterChurch")->setCurrentIndex(1);
        Child<QSpinBox>(d, "EasterOffset")->setValue(-48);
    }) << "#OEASTER-48";
    QTest::newRow("Easter itself") << "@" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbEaster")->click();
    }) << "#EASTER";
    QTest::newRow("Easter offset changed") << "#EASTER+39" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QSpinBox>(d, "EasterOffset")->setValue(99);
    }) << "#EASTER+99";
    QTest::newRow("Easter-based to a date") << "#EASTER+39" << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbDayOfMonth")->click();
    }) << "@0001";
}

void TestRecurringDialogs::FormulaBuiltFromControls()
{
    QFETCH(QString, start);
    QFETCH(std::function<void(QDialog&)>, work);
    QFETCH(QString, formula);
    TScriptedUiServices ui;
    TEditRecurringDateFormula dialog;
    dialog.SetFormula(start);
    dialog.show();
    work(dialog);
    Click(dialog, "Okbutton");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Formula(), formula);
    QVERIFY(ui.Messages.isEmpty());
}

void TestRecurringDialogs::ValidationMessages_data()
{
    QTest::addColumn<std::function<void(QDialog&)>>("work");
    QTest::addColumn<QString>("message");
    QTest::newRow("day typed out of range") << std::function<void(QDialog&)>([](QDialog& d) {
        auto* day = Child<QSpinBox>(d, "DayOfMonthDay");
        day->findChild<QLineEdit*>()->setText("45");
    }) << "Invalid day of month entered ";
    QTest::newRow("day cleared") << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QSpinBox>(d, "DayOfMonthDay")->findChild<QLineEdit*>()->clear();
    }) << "Invalid day of month entered ";
    QTest::newRow("no month") << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QComboBox>(d, "DayOfMonthMonth")->setCurrentIndex(-1);
    }) << "Invalid month entered ";
    QTest::newRow("no occurrence") << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbSpecial")->click();
        Child<QComboBox>(d, "SpecialOccurrance")->setCurrentIndex(-1);
    }) << "Invalid value entered for Special category";
    QTest::newRow("no special month") << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbSpecial")->click();
        Child<QComboBox>(d, "SpecialMonth")->setCurrentIndex(-1);
    }) << "Invalid value entered for Special category";
    QTest::newRow("no day ticked") << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbDayOfweek")->click();
        for (const char* day : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday"})
            Child<QCheckBox>(d, day)->setChecked(false);
    }) << "You must select at least one day for this \rreminder to occur on";
    QTest::newRow("Easter days typed out of range") << std::function<void(QDialog&)>([](QDialog& d) {
        Child<QRadioButton>(d, "rbEaster")->click();
        Child<QSpinBox>(d, "EasterOffset")->findChild<QLineEdit*>()->setText("150");
    }) << "Enter the days from Easter, -99 to 99";
}

void TestRecurringDialogs::ValidationMessages()
{
    QFETCH(std::function<void(QDialog&)>, work);
    QFETCH(QString, message);
    TScriptedUiServices ui;
    TEditRecurringDateFormula dialog;
    dialog.SetFormula("@0101");
    dialog.show();
    work(dialog);
    Click(dialog, "Okbutton");
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(ui.Messages.size(), 1);
    QCOMPARE(ui.Messages[0].Text, message);
    QCOMPARE(ui.Messages[0].Caption, "Information");
    QCOMPARE(dialog.Formula(), "@0101");
}

void TestRecurringDialogs::RecurTypeEnablesItsControls()
{
    TEditRecurringDateFormula dialog;
    dialog.show();
    const QStringList dayOfMonth = {"DayOfMonthDay", "DayOfMonthMonth"};
    const QStringList dayOfWeek = {"Sunday",   "Monday", "Tuesday",  "Wednesday",
                                   "Thursday", "Friday", "Saturday", "AllDaysCheck"};
    const QStringList special = {"SpecialOccurrance", "SpecialDayOfWeek", "SpecialMonth"};
    const QList<std::pair<QString, QStringList>> styles = {{"rbDayOfMonth", dayOfMonth},
                                                           {"rbDayOfweek", dayOfWeek},
                                                           {"rbSpecial", special},
                                                           {"rbEaster", {"EasterChurch", "EasterOffset"}}};
    for (const auto& [radio, enabled] : styles) {
        Child<QRadioButton>(dialog, radio)->click();
        for (const auto& [otherRadio, controls] : styles) {
            QCOMPARE(Child<QRadioButton>(dialog, otherRadio)->font().bold(), otherRadio == radio);
            for (const QString& control : controls)
                QVERIFY2(Child<QWidget>(dialog, control)->isEnabled() == (otherRadio == radio),
                         qPrintable(radio + ": " + control));
        }
    }
    QCOMPARE(Child<QComboBox>(dialog, "SpecialDayOfWeek")->itemText(7), "Day (any day)");
    QCOMPARE(Child<QComboBox>(dialog, "SpecialMonth")->itemText(0), "Each Month");
    QCOMPARE(Child<QComboBox>(dialog, "DayOfMonthMonth")->itemText(12), "December");
    QCOMPARE(dialog.focusWidget(), Child<QWidget>(dialog, "Event"));
}

void TestRecurringDialogs::TickListsRefuseOkWithoutTick()
{
    TScriptedUiServices ui;
    TGetHolidays holidays;
    holidays.show();
    QCOMPARE(holidays.windowTitle(), "Holidays");
    auto* list = Child<TRecordTickList>(holidays, "Holidays");
    QCOMPARE(list->Records(), HolidayCatalogue("US"));
    Click(holidays, "okbutton");
    QCOMPARE(ui.Beeps, 1);
    QVERIFY(holidays.isVisible());
    Click(holidays, "AllButton");
    QCOMPARE(list->TickedRecords(), HolidayCatalogue("US"));
    Click(holidays, "nonebutton");
    QVERIFY(list->TickedRecords().isEmpty());
    // A click on a row ticks it, a second click unticks it.
    const QRect row = list->visualItemRect(list->item(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(list->TickedRecords(), QStringList{HolidayCatalogue("US")[3]});
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(list->TickedRecords(), QStringList{HolidayCatalogue("US")[4]});
    Click(holidays, "okbutton");
    QCOMPARE(holidays.result(), int(QDialog::Accepted));
    QCOMPARE(ui.Beeps, 1);
}

void TestRecurringDialogs::SelectionTicksEveryRowWhenShown()
{
    TScriptedUiServices ui;
    TSelectRecurringDates select;
    QCOMPARE(select.windowTitle(), "Select Recurring Dates To Use");
    auto* list = Child<TRecordTickList>(select, "Dates");
    // Kept in the order given, not sorted.
    const QStringList records = {MakeRecord("b", "@0101"), MakeRecord("a", "@0101")};
    list->SetRecords(records);
    select.show();
    QVERIFY(QTest::qWaitForWindowActive(&select));
    QCOMPARE(list->TickedRecords(), records);
    Click(select, "Nonebutton");
    Click(select, "okbutton");
    QCOMPARE(ui.Beeps, 1);
    QVERIFY(select.isVisible());
    Click(select, "Allbutton");
    list->SetTicked(0, false);
    QCOMPARE(list->TickedRecords(), QStringList{records[1]});
    Click(select, "okbutton");
    QCOMPARE(select.result(), int(QDialog::Accepted));

    select.show();
    QCOMPARE(list->TickedRecords(), records);
    Click(select, "CancelButton");
    QCOMPARE(select.result(), int(QDialog::Rejected));
}

void TestRecurringDialogs::TickedRowsShowCheckPicture()
{
    TRecordTickList list;
    list.resize(300, 100);
    list.SetRecords({MakeRecord("ticked", "@0101"), MakeRecord("not ticked", "@0101"), MakeRecord("focus", "@0101")});
    list.SetTicked(0, true);
    list.SetTicked(2, true);
    list.show();
    list.setFocus();
    list.setCurrentRow(2, QItemSelectionModel::NoUpdate);
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage image = list.viewport()->grab().toImage();
    const auto darkPixels = [&](int row, int fromX, int toX) {
        const QRect r = list.visualItemRect(list.item(row));
        int dark = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left() + fromX; x < r.left() + toX; ++x)
                dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
        return dark;
    };
    QCOMPARE(list.visualItemRect(list.item(0)).height(), 16);
    QVERIFY(darkPixels(0, 0, 16) > 5);   // the check mark
    QCOMPARE(darkPixels(1, 0, 16), 0);   // no mark
    QVERIFY(darkPixels(1, 21, 200) > 5); // the text, after the picture and 5 pixels
    // The row with the focus is black with a white mark and text.
    QVERIFY(darkPixels(2, 0, 16) > 200);
    QVERIFY(darkPixels(2, 0, 16) < 16 * 16);
}

QObject* NewTestRecurringDialogs()
{
    return new TestRecurringDialogs;
}

#include "TestRecurringDialogs.moc"
