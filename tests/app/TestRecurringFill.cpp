// The arithmetic of filling the calendar with recurring dates (Easter, the days each formula
// kind falls on in a month, which records are offered for a month), and the document's fill
// command without a window: what it offers, what it writes for the ticked records, its messages.

#include "app/CalendarDocument.h"
#include "recurring/RecurringFill.h"
#include "calendar/CalendarPanel32.h"
#include "platform/ProgramFolders.h"
#include "platformui/ScriptedUiServices.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"

#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class TTestOwner : public TComponent {
public:
    TTestOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TTestOwner"; }
};

QString Feast(const QString& text, const QString& tag)
{
    return PadField(text, EventTextWidth) + tag;
}

// A document showing `month` of `year`, a data folder for the recurring dates file, and scripted
// answers for every dialog.
struct TFillFixture {
    QTemporaryDir Dir;
    TScriptedUiServices Ui;
    TTestOwner Owner;
    std::unique_ptr<TCalendarDocument> Document;
    // What the command wrote, one "day:text" per call.
    QStringList Written;

    TFillFixture(int month, int year)
    {
        OverrideDataFolder(Dir.path() + "/");
        Document = std::make_unique<TCalendarDocument>(&Owner, nullptr);
        Document->Page().SetMainCalMonth(month);
        Document->Page().SetMainCalYear(year);
    }
    ~TFillFixture()
    {
        Document.reset();
        OverrideDataFolder(QString());
    }

    void WriteRecords(const QStringList& records) const
    {
        QCOMPARE(WriteRecurringDatesFile(RecurringDatesFileName(), records), QString());
    }

    void Fill()
    {
        Document->FillWithRecurringDates([this](int day, const QString& text) {
            Written += QString::number(day) + ":" + text;
            return day != 31; // as if no cell showed the 31st
        });
    }
};

} // namespace

class TestRecurringFill : public QObject {
    Q_OBJECT
private slots:
    void Easter_data();
    void Easter();
    void FeastsAroundEaster_data();
    void FeastsAroundEaster();
    void DaysOfRecord_data();
    void DaysOfRecord();
    void TextOfRecord();
    void Offered_data();
    void Offered();
    void FillOffersMatchingRecordsAndWritesTicked();
    void FillWithoutFileDoesNothing();
    void FillWithoutMatchTellsTheUser();
    void FillOfDamagedFileTellsTheUser();
    void FillCancelledWritesNothing();
};

void TestRecurringFill::Easter_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("easter");
    QTest::newRow("1583") << 1583 << QDate(1583, 4, 10);
    QTest::newRow("1818") << 1818 << QDate(1818, 3, 22);
    QTest::newRow("1943") << 1943 << QDate(1943, 4, 25);
    QTest::newRow("1998") << 1998 << QDate(1998, 4, 12);
    QTest::newRow("2000") << 2000 << QDate(2000, 4, 23);
    QTest::newRow("2008") << 2008 << QDate(2008, 3, 23);
    QTest::newRow("2011") << 2011 << QDate(2011, 4, 24);
    QTest::newRow("2018") << 2018 << QDate(2018, 4, 1);
    QTest::newRow("2026") << 2026 << QDate(2026, 4, 5);
    QTest::newRow("2100") << 2100 << QDate(2100, 3, 28);
    QTest::newRow("2200") << 2200 << QDate(2200, 4, 6);
    QTest::newRow("2285") << 2285 << QDate(2285, 3, 22);
}

void TestRecurringFill::Easter()
{
    QFETCH(int, year);
    QFETCH(QDate, easter);
    QCOMPARE(EasterDate(year), easter);
    QCOMPARE(EasterDate(year).dayOfWeek(), int(Qt::Sunday));
}

void TestRecurringFill::FeastsAroundEaster_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("easter");
    QTest::addColumn<int>("goodFriday");
    QTest::addColumn<int>("palmSunday");
    QTest::newRow("1998 April") << 1998 << 4 << 12 << 10 << 5;
    QTest::newRow("1998 March") << 1998 << 3 << 0 << 0 << 0;
    QTest::newRow("2008 March") << 2008 << 3 << 23 << 21 << 16;
    QTest::newRow("2008 April") << 2008 << 4 << 0 << 0 << 0;
    // Easter on April 1st: the two feasts before it fall in March.
    QTest::newRow("2018 March") << 2018 << 3 << 0 << 30 << 25;
    QTest::newRow("2018 April") << 2018 << 4 << 1 << 0 << 0;
    QTest::newRow("2000 May") << 2000 << 5 << 0 << 0 << 0;
}

void TestRecurringFill::FeastsAroundEaster()
{
    QFETCH(int, year);
    QFETCH(int, month);
    // The first catalogue's three tags, as the fill command reads them.
    const auto dayOf = [&](const QString& tag) { return EasterBasedDay(*ParseEasterTag(tag), year, month); };
    QTEST(dayOf(EasterTag), "easter");
    QTEST(dayOf(GoodFridayTag), "goodFriday");
    QTEST(dayOf(PalmSundayTag), "palmSunday");
}

void TestRecurringFill::DaysOfRecord_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QList<int>>("days");
    // May 2026 starts on a Friday: four Mondays (4 .. 25), five Fridays (1 .. 29).
    QTest::newRow("5th Mon of a four-Monday month") << MakeRecord("x", "$4 1 5") << 2026 << 5 << QList<int>{};
    QTest::newRow("5th Fri") << MakeRecord("x", "$4 5 5") << 2026 << 5 << QList<int>{29};
    QTest::newRow("1st Fri") << MakeRecord("x", "$0 5 0") << 2026 << 5 << QList<int>{1};
    QTest::newRow("last Mon") << MakeRecord("x", "$5 1 5") << 2026 << 5 << QList<int>{25};
    QTest::newRow("last Fri on the 29th") << MakeRecord("x", "$5 5 0") << 2026 << 5 << QList<int>{29};
    QTest::newRow("last Sun of May") << MakeRecord("x", "$5 0 0") << 2026 << 5 << QList<int>{31};
    QTest::newRow("Thanksgiving") << MakeRecord("x", "$3 4 11") << 2026 << 11 << QList<int>{26};
    QTest::newRow("other month") << MakeRecord("x", "$2 1 5") << 2026 << 6 << QList<int>{};
    QTest::newRow("1st day") << MakeRecord("x", "$0 7 0") << 2000 << 2 << QList<int>{1};
    QTest::newRow("5th day") << MakeRecord("x", "$4 7 0") << 2000 << 2 << QList<int>{5};
    QTest::newRow("last day, leap February") << MakeRecord("x", "$5 7 0") << 2000 << 2 << QList<int>{29};
    QTest::newRow("last day, February 2100") << MakeRecord("x", "$5 7 2") << 2100 << 2 << QList<int>{28};
    QTest::newRow("last day, April") << MakeRecord("x", "$5 7 0") << 2026 << 4 << QList<int>{30};
    QTest::newRow("last day, January") << MakeRecord("x", "$5 7 0") << 2026 << 1 << QList<int>{31};
    QTest::newRow("Mondays and Fridays") << MakeRecord("x", "%26") << 2026 << 2
                                         << QList<int>{2, 6, 9, 13, 16, 20, 23, 27};
    QTest::newRow("five Saturdays") << MakeRecord("x", "%77") << 2026 << 5 << QList<int>{2, 9, 16, 23, 30};
    QTest::newRow("no weekday") << MakeRecord("x", "%089") << 2026 << 5 << QList<int>{};
    QTest::newRow("day of month") << MakeRecord("x", "@1225") << 2026 << 12 << QList<int>{25};
    QTest::newRow("each month") << MakeRecord("x", "@0015") << 2026 << 2 << QList<int>{15};
    QTest::newRow("31st of April") << MakeRecord("x", "@0431") << 2026 << 4 << QList<int>{};
    QTest::newRow("31st of each month in April") << MakeRecord("x", "@0031") << 2026 << 4 << QList<int>{};
    QTest::newRow("29th of February 2026") << MakeRecord("x", "@0229") << 2026 << 2 << QList<int>{};
    QTest::newRow("29th of February 2000") << MakeRecord("x", "@0229") << 2000 << 2 << QList<int>{29};
    QTest::newRow("other month's day") << MakeRecord("x", "@0401") << 2026 << 5 << QList<int>{};
    QTest::newRow("Easter") << Feast("x", "#EASTER") << 2026 << 4 << QList<int>{5};
    QTest::newRow("Easter elsewhere") << Feast("x", "#EASTER") << 2026 << 3 << QList<int>{};
    QTest::newRow("Good Friday") << Feast("x", "#GOODFRIDAY") << 1998 << 4 << QList<int>{10};
    QTest::newRow("Palm Sunday, any case") << Feast("x", "#palmsunday") << 1998 << 4 << QList<int>{5};
    QTest::newRow("other tag") << Feast("x", "#XMAS") << 1998 << 4 << QList<int>{};
    // Easter 2027 is March 28, Orthodox Easter May 2.
    QTest::newRow("Ascension") << Feast("x", "#EASTER+39") << 2027 << 5 << QList<int>{6};
    QTest::newRow("Whit Monday") << Feast("x", "#EASTER+50") << 2027 << 5 << QList<int>{17};
    QTest::newRow("Whit Monday elsewhere") << Feast("x", "#EASTER+50") << 2027 << 6 << QList<int>{};
    QTest::newRow("Easter + 1 day") << Feast("x", "#EASTER+1") << 2027 << 3 << QList<int>{29};
    QTest::newRow("Easter - 7 days, lower case") << Feast("x", "#easter-7") << 2027 << 3 << QList<int>{21};
    QTest::newRow("Orthodox Easter") << Feast("x", "#OEASTER") << 2027 << 5 << QList<int>{2};
    QTest::newRow("Clean Monday") << Feast("x", "#OEASTER-48") << 2027 << 3 << QList<int>{15};
    QTest::newRow("Orthodox Whit Monday") << Feast("x", "#OEASTER+50") << 2027 << 6 << QList<int>{21};
    // Easter 2027 - 99 days is December 19, 2026; Easter 2026 - 99 days fell in December 2025.
    QTest::newRow("Easter - 99 in the year before") << Feast("x", "#EASTER-99") << 2026 << 12 << QList<int>{19};
    QTest::newRow("Easter - 99 not in its own year") << Feast("x", "#EASTER-99") << 2027 << 12 << QList<int>{};
    QTest::newRow("Orthodox Easter + 99") << Feast("x", "#OEASTER+99") << 2027 << 8 << QList<int>{9};
    QTest::newRow("offset beyond 99") << Feast("x", "#EASTER+100") << 2027 << 7 << QList<int>{};
    QTest::newRow("offset without sign") << Feast("x", "#EASTER39") << 2027 << 5 << QList<int>{};
    QTest::newRow("unreadable @") << MakeRecord("x", "@04x1") << 2026 << 4 << QList<int>{};
    QTest::newRow("unreadable $") << MakeRecord("x", "$9 1 4") << 2026 << 4 << QList<int>{};
    QTest::newRow("unknown kind") << MakeRecord("x", "!0401") << 2026 << 4 << QList<int>{};
    QTest::newRow("no formula") << "x" << 2026 << 4 << QList<int>{};
}

void TestRecurringFill::DaysOfRecord()
{
    QFETCH(QString, record);
    QFETCH(int, year);
    QFETCH(int, month);
    QTEST(FillOfRecord(record, year, month).Days, "days");
}

void TestRecurringFill::TextOfRecord()
{
    // Day-of-month and special records write their trimmed text; weekday lists and feasts
    // their 120 columns as they stand.
    QCOMPARE(FillOfRecord(MakeRecord("  Rent ", "@0015"), 2026, 2).Text, "Rent");
    QCOMPARE(FillOfRecord(MakeRecord(" Club ", "$0 1 0"), 2026, 2).Text, "Club");
    QCOMPARE(FillOfRecord(MakeRecord(" Gym", "%2"), 2026, 2).Text, PadField(" Gym", 120));
    QCOMPARE(FillOfRecord(Feast("Easter", "#EASTER"), 2026, 4).Text, PadField("Easter", 120));
    // The other Easter-based days write their text trimmed, as the dates do.
    QCOMPARE(FillOfRecord(Feast(" Ascension", "#EASTER+39"), 2027, 5).Text, "Ascension");
}

void TestRecurringFill::Offered_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("offered");
    QTest::newRow("@ its month") << MakeRecord("x", "@0401") << 2026 << 4 << true;
    QTest::newRow("@ other month") << MakeRecord("x", "@0401") << 2026 << 5 << false;
    QTest::newRow("@ each month") << MakeRecord("x", "@0031") << 2026 << 2 << true;
    QTest::newRow("@ unreadable") << MakeRecord("x", "@04x1") << 2026 << 4 << false;
    QTest::newRow("$ its month") << MakeRecord("x", "$4 1 5") << 2026 << 5 << true;
    QTest::newRow("$ other month") << MakeRecord("x", "$2 6 5") << 2026 << 6 << false;
    QTest::newRow("$ each month") << MakeRecord("x", "$0 7 0") << 2026 << 6 << true;
    QTest::newRow("$ unreadable") << MakeRecord("x", "$2") << 2026 << 6 << false;
    QTest::newRow("% always") << MakeRecord("x", "%") << 2026 << 6 << true;
    QTest::newRow("Easter in April") << Feast("x", "#EASTER") << 2026 << 4 << true;
    QTest::newRow("Easter not in March") << Feast("x", "#EASTER") << 2026 << 3 << false;
    QTest::newRow("Good Friday in March") << Feast("x", "#GOODFRIDAY") << 2018 << 3 << true;
    QTest::newRow("Good Friday not in April") << Feast("x", "#GOODFRIDAY") << 2018 << 4 << false;
    QTest::newRow("Palm Sunday not in May") << Feast("x", "#PALMSUNDAY") << 2018 << 5 << false;
    QTest::newRow("other tag") << Feast("x", "#XMAS") << 2026 << 6 << true;
    QTest::newRow("Whit Monday in May 2027") << Feast("x", "#EASTER+50") << 2027 << 5 << true;
    QTest::newRow("Whit Monday not in June 2027") << Feast("x", "#EASTER+50") << 2027 << 6 << false;
    QTest::newRow("Clean Monday in March 2027") << Feast("x", "#OEASTER-48") << 2027 << 3 << true;
    QTest::newRow("Clean Monday not in February 2027") << Feast("x", "#OEASTER-48") << 2027 << 2 << false;
    QTest::newRow("Easter - 99 in December before") << Feast("x", "#EASTER-99") << 2026 << 12 << true;
    QTest::newRow("unknown kind") << MakeRecord("x", "!") << 2026 << 6 << true;
    QTest::newRow("no formula") << "x" << 2026 << 6 << true;
}

void TestRecurringFill::Offered()
{
    QFETCH(QString, record);
    QFETCH(int, year);
    QFETCH(int, month);
    QTEST(OfferedInMonth(record, year, month), "offered");
}

void TestRecurringFill::FillOffersMatchingRecordsAndWritesTicked()
{
    TFillFixture f(3, 2026);
    const QStringList records = {MakeRecord("Rent", "@0015"),
                                 MakeRecord("April fool", "@0401"),
                                 MakeRecord("Club", "$5 2 0"),
                                 MakeRecord("Gym", "%7"),
                                 MakeRecord("Pay day", "@0031"),
                                 Feast("Easter", "#EASTER"),
                                 "short"};
    f.WriteRecords(records);
    QStringList offered;
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        auto* list = dialog.findChild<TRecordTickList*>("Dates");
        offered = list->Records();
        list->SetTicked(2, false); // Gym
        dialog.findChild<QPushButton*>("okbutton")->click();
        return dialog.result();
    });
    f.Fill();
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TSelectRecurringDates"});
    // In file order, without the records that cannot fall in March 2026.
    QCOMPARE(offered, (QStringList{records[0], records[2], records[3], records[4], records[6]}));
    // Last Tuesday of March 2026 is the 31st, which (here) no cell shows: nothing is marked for it.
    QCOMPARE(f.Written, (QStringList{"15:Rent", "31:Club", "31:Pay day"}));
    QVERIFY(f.Document->Modified());
    QVERIFY(f.Ui.Messages.isEmpty());
}

void TestRecurringFill::FillWithoutFileDoesNothing()
{
    TFillFixture f(3, 2026);
    f.Fill();
    QVERIFY(f.Ui.DialogsShown.isEmpty());
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(f.Written.isEmpty());
}

void TestRecurringFill::FillWithoutMatchTellsTheUser()
{
    TFillFixture f(3, 2026);
    f.WriteRecords({MakeRecord("April fool", "@0401"), Feast("Easter", "#EASTER")});
    f.Fill();
    QVERIFY(f.Ui.DialogsShown.isEmpty());
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, "No predefined dates match the current month");
    QVERIFY(!f.Document->Modified());
}

void TestRecurringFill::FillOfDamagedFileTellsTheUser()
{
    TFillFixture f(3, 2026);
    QFile file(RecurringDatesFileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF\xFF\r\n");
    file.close();
    f.Fill();
    QVERIFY(f.Ui.DialogsShown.isEmpty());
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, "Unable to read " + RecurringDatesFileName() +
                                        ".\rIt starts as UTF-8 text but holds bytes that are not UTF-8.");
}

void TestRecurringFill::FillCancelledWritesNothing()
{
    TFillFixture f(3, 2026);
    f.WriteRecords({MakeRecord("Rent", "@0015")});
    f.Ui.AnswerDialog([](QDialog& dialog) {
        dialog.findChild<QPushButton*>("CancelButton")->click();
        return dialog.result();
    });
    f.Fill();
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TSelectRecurringDates"});
    QVERIFY(f.Written.isEmpty());
    QVERIFY(!f.Document->Modified());
}

QTEST_MAIN(TestRecurringFill)
#include "TestRecurringFill.moc"
