// Records and formulas: the column layout, making and reading the four formula kinds, ordinals,
// the display texts of the lists, the order of the sorted lists, and the holiday catalogue.

#include "recurring/HolidayCatalogue.h"
#include "recurring/RecordOrder.h"
#include "recurring/RecurringRecord.h"
#include "recurring/RecurringText.h"

#include <QLocale>
#include <QtTest>

#include <algorithm>

class TestRecurringRecord : public QObject {
    Q_OBJECT
private slots:
    void Ordinal_data();
    void Ordinal();
    void PadFieldCutsAndPads_data();
    void PadFieldCutsAndPads();
    void MakeRecordKeepsColumns();
    void MakeFormulas();
    void ParseDayOfMonth_data();
    void ParseDayOfMonth();
    void ParseSpecial_data();
    void ParseSpecial();
    void RecordDisplayText_data();
    void RecordDisplayText();
    void RecordTagReadsElevenColumns();
    void EasterTags_data();
    void EasterTags();
    void MakeEasterFormula_data();
    void MakeEasterFormula();
    void CatalogueRecords();
    void RecordsSortAsTheLocaleReadsThem_data();
    void RecordsSortAsTheLocaleReadsThem();
};

void TestRecurringRecord::Ordinal_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1") << 1 << "1st";
    QTest::newRow("2") << 2 << "2nd";
    QTest::newRow("3") << 3 << "3rd";
    QTest::newRow("4") << 4 << "4th";
    QTest::newRow("10") << 10 << "10th";
    QTest::newRow("11") << 11 << "11th";
    QTest::newRow("12") << 12 << "12th";
    QTest::newRow("13") << 13 << "13th";
    QTest::newRow("19") << 19 << "19th";
    QTest::newRow("21") << 21 << "21st";
    QTest::newRow("22") << 22 << "22nd";
    QTest::newRow("23") << 23 << "23rd";
    QTest::newRow("31") << 31 << "31st";
    // English ends 111 to 113 in th as it does 11 to 13.
    QTest::newRow("111") << 111 << "111th";
    QTest::newRow("112") << 112 << "112th";
    QTest::newRow("121") << 121 << "121st";
}

void TestRecurringRecord::Ordinal()
{
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(::Ordinal(n), expected);
}

void TestRecurringRecord::PadFieldCutsAndPads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << "ab" << 5 << "ab   ";
    QTest::newRow("exact") << "abcde" << 5 << "abcde";
    QTest::newRow("cut") << "abcdefg" << 5 << "abcde";
    QTest::newRow("empty") << "" << 3 << "   ";
    QTest::newRow("leading blanks kept") << "  a" << 4 << "  a ";
    // U+1F382 takes two columns; a cut through it leaves a blank instead of half a character.
    QTest::newRow("pair not cut") << QString("abcd") + QString::fromUcs4(U"\U0001F382") << 5 << "abcd ";
    QTest::newRow("pair fits") << QString("abc") + QString::fromUcs4(U"\U0001F382") << 5
                               << QString("abc") + QString::fromUcs4(U"\U0001F382");
}

void TestRecurringRecord::PadFieldCutsAndPads()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(PadField(text, width), expected);
}

void TestRecurringRecord::MakeRecordKeepsColumns()
{
    const QString record = MakeRecord("Birthday", "@0401");
    QCOMPARE(record.size(), 130);
    QCOMPARE(RecordEventText(record), PadField("Birthday", 120));
    QCOMPARE(RecordFormula(record), "@0401     ");
    QCOMPARE(RecordKind(record), std::optional<QChar>(u'@'));

    // A long event text and a long formula are cut to their columns.
    const QString longRecord = MakeRecord(QString(130, u'x'), "%1234567890123");
    QCOMPARE(longRecord.size(), 130);
    QCOMPARE(RecordEventText(longRecord), QString(120, u'x'));
    QCOMPARE(RecordFormula(longRecord), "%123456789");

    QCOMPARE(RecordKind("short"), std::nullopt);
    QCOMPARE(RecordKind(QString(120, u' ')), std::nullopt);

    // A tag follows the event text unpadded and keeps its eleventh column; a longer one is cut.
    QCOMPARE(MakeRecord("Clean Monday", "#OEASTER-48"), PadField("Clean Monday", 120) + "#OEASTER-48");
    QCOMPARE(MakeRecord("Easter", "#EASTER"), PadField("Easter", 120) + "#EASTER");
    QCOMPARE(MakeRecord("x", "#OEASTER+100"), PadField("x", 120) + "#OEASTER+10");
}

void TestRecurringRecord::MakeFormulas()
{
    QCOMPARE(MakeDayOfMonthFormula(1, 4), "@0401");
    QCOMPARE(MakeDayOfMonthFormula(15, 0), "@0015");
    QCOMPARE(MakeDayOfMonthFormula(31, 12), "@1231");
    QCOMPARE(MakeSpecialFormula(2, 6, 5), "$2 6 5 ");
    QCOMPARE(MakeSpecialFormula(5, 0, 10), "$5 0 10");
    QCOMPARE(MakeSpecialFormula(0, 7, 0), "$0 7 0 ");
    QCOMPARE(MakeSpecialFormula(6, 0, 1), QString());
    QCOMPARE(MakeSpecialFormula(0, 8, 1), QString());
    QCOMPARE(MakeSpecialFormula(0, 0, 13), QString());
    QCOMPARE(MakeSpecialFormula(-1, 0, 1), QString());
    // What is made reads back.
    const std::optional<TSpecial> special = ::ParseSpecial(MakeSpecialFormula(3, 4, 11));
    QVERIFY(special);
    QCOMPARE(special->Occurrence, 3);
    QCOMPARE(special->Weekday, 4);
    QCOMPARE(special->Month, 11);
}

void TestRecurringRecord::ParseDayOfMonth_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::newRow("April 1") << "@0401     " << true << 1 << 4;
    QTest::newRow("each month") << "@0015" << true << 15 << 0;
    QTest::newRow("blanks in pieces") << "@ 4 1" << true << 1 << 4;
    QTest::newRow("plus sign") << "@+4+1" << true << 1 << 4;
    QTest::newRow("old file's formula") << "@1225      " << true << 25 << 12;
    QTest::newRow("new record") << "@" << false << 0 << 0;
    QTest::newRow("day missing") << "@04" << false << 0 << 0;
    QTest::newRow("letter") << "@04x1" << false << 0 << 0;
    QTest::newRow("blank pieces") << "@    " << false << 0 << 0;
    QTest::newRow("month 13") << "@1301" << false << 0 << 0;
    QTest::newRow("day 0") << "@0400" << false << 0 << 0;
    QTest::newRow("day 32") << "@0432" << false << 0 << 0;
    QTest::newRow("negative month") << "@-101" << false << 0 << 0;
    QTest::newRow("sign alone") << "@- 01" << false << 0 << 0;
    QTest::newRow("arabic digits") << QString("@") + QChar(0x0660) + QChar(0x0664) + "01" << false << 0 << 0;
}

void TestRecurringRecord::ParseDayOfMonth()
{
    QFETCH(QString, formula);
    QFETCH(bool, readable);
    const std::optional<TDayOfMonth> date = ::ParseDayOfMonth(formula);
    QCOMPARE(date.has_value(), readable);
    if (readable) {
        QTEST(date->Day, "day");
        QTEST(date->Month, "month");
    }
}

void TestRecurringRecord::ParseSpecial_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<int>("month");
    QTest::newRow("3rd Sat of May") << "$2 6 5    " << true << 2 << 6 << 5;
    QTest::newRow("last Sun of Oct") << "$5 0 10" << true << 5 << 0 << 10;
    QTest::newRow("first day each month") << "$0 7 0" << true << 0 << 7 << 0;
    QTest::newRow("month missing") << "$0 7" << false << 0 << 0 << 0;
    QTest::newRow("letter") << "$2 x 5" << false << 0 << 0 << 0;
    QTest::newRow("occurrence 6") << "$6 1 5" << false << 0 << 0 << 0;
    QTest::newRow("weekday 8") << "$0 8 5" << false << 0 << 0 << 0;
    QTest::newRow("month 13") << "$0 1 13" << false << 0 << 0 << 0;
}

void TestRecurringRecord::ParseSpecial()
{
    QFETCH(QString, formula);
    QFETCH(bool, readable);
    const std::optional<TSpecial> special = ::ParseSpecial(formula);
    QCOMPARE(special.has_value(), readable);
    if (readable) {
        QTEST(special->Occurrence, "occurrence");
        QTEST(special->Weekday, "weekday");
        QTEST(special->Month, "month");
    }
}

void TestRecurringRecord::RecordDisplayText_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("expected");
    QTest::newRow("@0401") << MakeRecord("April Fools", "@0401") << "April Fools (1st of April)";
    QTest::newRow("@0015") << MakeRecord("Rent", "@0015") << "Rent (15th of Each Month)";
    QTest::newRow("@1222") << MakeRecord("  Solstice ", "@1222") << "Solstice (22nd of December)";
    QTest::newRow("$2 6 5") << MakeRecord("Armed Forces Day", "$2 6 5") << "Armed Forces Day (3rd Sat of May)";
    QTest::newRow("$5 1 5") << MakeRecord("Memorial Day", "$5 1 5") << "Memorial Day (Last Mon of May)";
    QTest::newRow("$0 7 0") << MakeRecord("Pay bills", "$0 7 0") << "Pay bills (1st Day Each Month)";
    QTest::newRow("$4 7 2") << MakeRecord("Odd", "$4 7 2") << "Odd (5th Day February)";
    QTest::newRow("%26") << MakeRecord("Gym", "%26") << "Gym (Mon,Fri)";
    QTest::newRow("% repeated digit") << MakeRecord("Gym", "%2262") << "Gym (Mon,Fri)";
    QTest::newRow("% every day") << MakeRecord("Walk", "%7654321") << "Walk (Sun,Mon,Tue,Wed,Thu,Fri,Sat)";
    QTest::newRow("% without digits") << MakeRecord("Nothing", "%") << "Nothing ()";
    QTest::newRow("% digits 0, 8, 9") << MakeRecord("Nothing", "%0894") << "Nothing (Wed)";
    QTest::newRow("@ unreadable") << MakeRecord("Broken", "@04x1") << "Broken ()";
    QTest::newRow("@ month 13") << MakeRecord("Broken", "@1301") << "Broken ()";
    QTest::newRow("$ unreadable") << MakeRecord("Broken", "$2 x 5") << "Broken ()";
    QTest::newRow("$ short") << MakeRecord("Broken", "$") << "Broken ()";
    // The `#` records and unknown kinds show their 120 columns, padding included.
    QTest::newRow("# record") << PadField("Easter", 120) + "#EASTER" << PadField("Easter", 120);
    QTest::newRow("Good Friday") << PadField("Good Friday", 120) + "#GOODFRIDAY" << PadField("Good Friday", 120);
    QTest::newRow("other tag") << PadField("Mystery", 120) + "#XMAS" << PadField("Mystery", 120);
    // The other Easter-based days say what they are.
    QTest::newRow("Easter + 39") << MakeRecord("Ascension ", "#EASTER+39") << "Ascension (Easter + 39 days)";
    QTest::newRow("Easter + 1") << MakeRecord("Easter Monday", "#EASTER+1") << "Easter Monday (Easter + 1 day)";
    QTest::newRow("Easter - 2") << MakeRecord("Karfreitag", "#EASTER-2")
                                << QString::fromUtf16(u"Karfreitag (Easter \u2212 2 days)");
    QTest::newRow("Orthodox Easter - 48") << MakeRecord("Clean Monday", "#OEASTER-48")
                                          << QString::fromUtf16(u"Clean Monday (Orthodox Easter \u2212 48 days)");
    QTest::newRow("Orthodox Easter") << MakeRecord("Pascha", "#OEASTER") << "Pascha (Orthodox Easter)";
    QTest::newRow("lower case") << MakeRecord("Whit Monday", "#easter+50") << "Whit Monday (Easter + 50 days)";
    QTest::newRow("offset beyond 99") << MakeRecord("Far", "#EASTER+100") << PadField("Far", 120);
    QTest::newRow("unknown kind") << MakeRecord("Mystery", "!0401") << PadField("Mystery", 120);
    QTest::newRow("shorter than a record") << "just text"
                                           << "just text";
    QTest::newRow("empty") << ""
                           << "";
}

void TestRecurringRecord::RecordDisplayText()
{
    QFETCH(QString, record);
    QFETCH(QString, expected);
    QCOMPARE(::RecordDisplayText(record), expected);
}

void TestRecurringRecord::RecordTagReadsElevenColumns()
{
    QCOMPARE(RecordTag(PadField("x", 120) + "#goodfriday"), "#GOODFRIDAY");
    QCOMPARE(RecordTag(PadField("x", 120) + "  #Easter  "), "#EASTER");
    QCOMPARE(RecordTag(PadField("x", 120) + "#PALMSUNDAYX"), "#PALMSUNDAY");
    QCOMPARE(RecordTag("short"), QString());
}

void TestRecurringRecord::EasterTags_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("orthodox");
    QTest::addColumn<int>("days");
    QTest::newRow("Easter") << "#EASTER" << true << false << 0;
    QTest::newRow("Good Friday") << "#GOODFRIDAY" << true << false << -2;
    QTest::newRow("Palm Sunday") << "#PALMSUNDAY" << true << false << -7;
    QTest::newRow("Easter + 39") << "#EASTER+39" << true << false << 39;
    QTest::newRow("Easter - 2") << "#EASTER-2" << true << false << -2;
    QTest::newRow("Easter + 99") << "#EASTER+99" << true << false << 99;
    QTest::newRow("Easter - 99") << "#EASTER-99" << true << false << -99;
    QTest::newRow("Easter + 0") << "#EASTER+0" << true << false << 0;
    QTest::newRow("Orthodox Easter") << "#OEASTER" << true << true << 0;
    QTest::newRow("Orthodox Easter - 48") << "#OEASTER-48" << true << true << -48;
    QTest::newRow("Orthodox Easter + 5") << "#OEASTER+5" << true << true << 5;
    QTest::newRow("three digits") << "#EASTER+100" << false << false << 0;
    QTest::newRow("no sign") << "#EASTER39" << false << false << 0;
    QTest::newRow("sign alone") << "#EASTER+" << false << false << 0;
    QTest::newRow("two signs") << "#EASTER+-1" << false << false << 0;
    QTest::newRow("letters") << "#EASTER+AB" << false << false << 0;
    QTest::newRow("blank inside") << "#EASTER+ 1" << false << false << 0;
    QTest::newRow("other digits") << QString::fromUtf16(u"#EASTER+\u0663") << false << false << 0;
    QTest::newRow("other tag") << "#XMAS" << false << false << 0;
    QTest::newRow("no kind") << "EASTER" << false << false << 0;
    QTest::newRow("empty") << "" << false << false << 0;
}

void TestRecurringRecord::EasterTags()
{
    QFETCH(QString, tag);
    QFETCH(bool, readable);
    const std::optional<TEasterOffset> offset = ParseEasterTag(tag);
    QCOMPARE(offset.has_value(), readable);
    if (readable) {
        QTEST(offset->Orthodox, "orthodox");
        QTEST(offset->Days, "days");
    }
}

void TestRecurringRecord::MakeEasterFormula_data()
{
    QTest::addColumn<bool>("orthodox");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("formula");
    QTest::newRow("Easter") << false << 0 << "#EASTER";
    QTest::newRow("Easter + 39") << false << 39 << "#EASTER+39";
    QTest::newRow("Easter - 2") << false << -2 << "#EASTER-2";
    QTest::newRow("Orthodox Easter") << true << 0 << "#OEASTER";
    QTest::newRow("Orthodox Easter - 99") << true << -99 << "#OEASTER-99";
    QTest::newRow("Orthodox Easter + 99") << true << 99 << "#OEASTER+99";
    QTest::newRow("beyond 99") << false << 100 << "";
    QTest::newRow("beyond -99") << true << -100 << "";
}

// Every formula made reads back as the day it was made from and fits the tag's 11 columns.
void TestRecurringRecord::MakeEasterFormula()
{
    QFETCH(bool, orthodox);
    QFETCH(int, days);
    const QString formula = ::MakeEasterFormula({orthodox, days});
    QTEST(formula, "formula");
    if (!formula.isEmpty()) {
        QVERIFY(formula.size() <= TagWidth);
        QCOMPARE(ParseEasterTag(RecordTag(MakeRecord("x", formula))), (TEasterOffset{orthodox, days}));
    }
}

void TestRecurringRecord::CatalogueRecords()
{
    const QStringList catalogue = HolidayCatalogue("US");
    QCOMPARE(catalogue.size(), 26);
    const QStringList expectedTexts = {
        "April Fools's Day (1st of April)",
        "Armed Forces Day (3rd Sat of May)",
        "Christmas Day (25th of December)",
        "Daylight Savings time begins (1st Sun of April)",
        "Daylight Savings Time ends (Last Sun of October)",
        PadField("Easter", 120),
        "Father's Day (3rd Sun of June)",
        "Flag Day (14th of June)",
        PadField("Good Friday", 120),
        "Groundhog Day (2nd of February)",
        "Halloween (31st of October)",
        "Independence Day (4th of July)",
        "Labor Day (1st Mon of September)",
        "Lincoln's Birthday (12th of February)",
        "Martin Luther King Day (3rd Mon of January)",
        "Memorial Day (Last Mon of May)",
        "Mother's Day (2nd Sun of May)",
        "New Year's Day (1st of January)",
        PadField("Palm Sunday", 120),
        "President's Day (3rd Mon of February)",
        "St. Patrick's Day (17th of March)",
        "Thanksgiving Day (4th Thu of November)",
        "United Nations Day (24th of October)",
        "Valentine's Day (14th of February)",
        "Veterans Day (11th of November)",
        "Washington's Birthday (22nd of February)",
    };
    for (int i = 0; i < catalogue.size(); ++i)
        QCOMPARE(::RecordDisplayText(catalogue[i]), expectedTexts[i]);

    // Formula records take 130 columns; the tags end the line unpadded.
    QCOMPARE(catalogue[0], PadField("April Fools's Day", 120) + "@0401     ");
    QCOMPARE(catalogue[4], PadField("Daylight Savings Time ends", 120) + "$5 0 10   ");
    QCOMPARE(catalogue[5], PadField("Easter", 120) + "#EASTER");
    QCOMPARE(catalogue[8].size(), 131);
    QCOMPARE(catalogue[18], PadField("Palm Sunday", 120) + "#PALMSUNDAY");
    for (const QString& record : catalogue) {
        if (!record.endsWith("#EASTER") && !record.endsWith("#GOODFRIDAY") && !record.endsWith("#PALMSUNDAY"))
            QCOMPARE(record.size(), 130);
    }
}

QObject* NewTestRecurringRecord()
{
    return new TestRecurringRecord;
}

#include "TestRecurringRecord.moc"

void TestRecurringRecord::RecordsSortAsTheLocaleReadsThem_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("umlaut among its letter")
        << "de_DE" << QStringList{"Zebra", QString::fromUtf8("\u00c4rger"), "apfel"}
        << QStringList{"apfel", QString::fromUtf8("\u00c4rger"), "Zebra"};
    QTest::newRow("umlaut after Z in Swedish")
        << "sv_SE" << QStringList{QString::fromUtf8("\u00c4pple"), "Zebra", "apa"}
        << QStringList{"apa", "Zebra", QString::fromUtf8("\u00c4pple")};
    QTest::newRow("accent among its letter")
        << "en_US" << QStringList{"Zoo", QString::fromUtf8("\u00c9toile"), "Egg", "fig"}
        << QStringList{"Egg", QString::fromUtf8("\u00c9toile"), "fig", "Zoo"};
    // Texts that differ only in case keep a fixed order whatever order they come in.
    QTest::newRow("case ignored") << "en_US" << QStringList{"bee", "Ant", "ant", "Bee"}
                                  << QStringList{"Ant", "ant", "Bee", "bee"};
    QTest::newRow("case ignored, other order")
        << "en_US" << QStringList{"ant", "Bee", "bee", "Ant"} << QStringList{"Ant", "ant", "Bee", "bee"};
}

// Records are sorted by their text as the user's locale orders words, whatever case.
void TestRecurringRecord::RecordsSortAsTheLocaleReadsThem()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sorted);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    QStringList records;
    for (const QString& text : texts)
        records += MakeRecord(text, "@0101");
    std::stable_sort(records.begin(), records.end(), TRecordOrder());
    QLocale::setDefault(previous);
    QStringList sortedTexts;
    for (const QString& record : records)
        sortedTexts += RecordEventText(record).trimmed();
    QCOMPARE(sortedTexts, sorted);
}
