// The holiday catalogues against published lists of each country's public holidays, Western and
// Orthodox Easter against published tables, and the rules every catalogue record keeps.

#include "recurring/HolidayCatalogue.h"
#include "recurring/RecurringFill.h"
#include "recurring/RecurringRecord.h"
#include "recurring/RecurringText.h"

#include <QSet>
#include <QtTest>

#include <algorithm>

namespace {

// The days the records fill in `year`, as the fill command finds them month by month, written
// "MM-DD" in date order.
QString FilledDays(const QStringList& records, int year)
{
    QList<QDate> dates;
    for (int month = 1; month <= 12; ++month) {
        for (const QString& record : records) {
            if (!OfferedInMonth(record, year, month))
                continue;
            for (const int day : FillOfRecord(record, year, month).Days)
                dates += QDate(year, month, day);
        }
    }
    std::sort(dates.begin(), dates.end());
    QStringList days;
    for (const QDate& date : dates)
        days += date.toString("MM-dd");
    return days.join(u' ');
}

// The United States catalogue holds observances besides the federal holidays; these are its
// federal ones ("President's Day" is Washington's Birthday as the law keeps it).
const QStringList FederalHolidays = {"New Year's Day", "Martin Luther King Day", "President's Day",
                                     "Memorial Day",   "Independence Day",       "Labor Day",
                                     "Veterans Day",   "Thanksgiving Day",       "Christmas Day"};

QStringList CatalogueToCompare(const QString& country)
{
    QStringList records = HolidayCatalogue(country);
    if (country == "US") {
        records.removeIf(
            [](const QString& record) { return !FederalHolidays.contains(RecordEventText(record).trimmed()); });
    }
    return records;
}

} // namespace

class TestHolidayCatalogues : public QObject {
    Q_OBJECT

private slots:
    void EasterDates_data();
    void EasterDates();
    void CatalogueFillsThePublishedHolidays_data();
    void CatalogueFillsThePublishedHolidays();
    void CatalogueRecordsKeepTheRecordRules_data();
    void CatalogueRecordsKeepTheRecordRules();
    void CountryOfTheLocale_data();
    void CountryOfTheLocale();
    void UnknownCountryHasNoCatalogue();
};

// Western (Gregorian) and Orthodox (Julian, as a Gregorian date) Easter Sunday: the tables of
// python3-dateutil 2.8.2 (dateutil.easter, EASTER_WESTERN and EASTER_ORTHODOX), an implementation
// apart from ours. Western 1998 to 2011 agree with the dates the fill tests use; Orthodox 2025 to
// 2027 with the Greek holiday lists.
void TestHolidayCatalogues::EasterDates_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("western");
    QTest::addColumn<QDate>("orthodox");
    QTest::newRow("1700") << 1700 << QDate(1700, 4, 11) << QDate(1700, 4, 11);
    QTest::newRow("1900") << 1900 << QDate(1900, 4, 15) << QDate(1900, 4, 22);
    QTest::newRow("2000") << 2000 << QDate(2000, 4, 23) << QDate(2000, 4, 30);
    QTest::newRow("2001") << 2001 << QDate(2001, 4, 15) << QDate(2001, 4, 15);
    QTest::newRow("2002") << 2002 << QDate(2002, 3, 31) << QDate(2002, 5, 5);
    QTest::newRow("2003") << 2003 << QDate(2003, 4, 20) << QDate(2003, 4, 27);
    QTest::newRow("2004") << 2004 << QDate(2004, 4, 11) << QDate(2004, 4, 11);
    QTest::newRow("2005") << 2005 << QDate(2005, 3, 27) << QDate(2005, 5, 1);
    QTest::newRow("2006") << 2006 << QDate(2006, 4, 16) << QDate(2006, 4, 23);
    QTest::newRow("2007") << 2007 << QDate(2007, 4, 8) << QDate(2007, 4, 8);
    QTest::newRow("2008") << 2008 << QDate(2008, 3, 23) << QDate(2008, 4, 27);
    QTest::newRow("2009") << 2009 << QDate(2009, 4, 12) << QDate(2009, 4, 19);
    QTest::newRow("2010") << 2010 << QDate(2010, 4, 4) << QDate(2010, 4, 4);
    QTest::newRow("2011") << 2011 << QDate(2011, 4, 24) << QDate(2011, 4, 24);
    QTest::newRow("2012") << 2012 << QDate(2012, 4, 8) << QDate(2012, 4, 15);
    QTest::newRow("2013") << 2013 << QDate(2013, 3, 31) << QDate(2013, 5, 5);
    QTest::newRow("2014") << 2014 << QDate(2014, 4, 20) << QDate(2014, 4, 20);
    QTest::newRow("2015") << 2015 << QDate(2015, 4, 5) << QDate(2015, 4, 12);
    QTest::newRow("2016") << 2016 << QDate(2016, 3, 27) << QDate(2016, 5, 1);
    QTest::newRow("2017") << 2017 << QDate(2017, 4, 16) << QDate(2017, 4, 16);
    QTest::newRow("2018") << 2018 << QDate(2018, 4, 1) << QDate(2018, 4, 8);
    QTest::newRow("2019") << 2019 << QDate(2019, 4, 21) << QDate(2019, 4, 28);
    QTest::newRow("2020") << 2020 << QDate(2020, 4, 12) << QDate(2020, 4, 19);
    QTest::newRow("2021") << 2021 << QDate(2021, 4, 4) << QDate(2021, 5, 2);
    QTest::newRow("2022") << 2022 << QDate(2022, 4, 17) << QDate(2022, 4, 24);
    QTest::newRow("2023") << 2023 << QDate(2023, 4, 9) << QDate(2023, 4, 16);
    QTest::newRow("2024") << 2024 << QDate(2024, 3, 31) << QDate(2024, 5, 5);
    QTest::newRow("2025") << 2025 << QDate(2025, 4, 20) << QDate(2025, 4, 20);
    QTest::newRow("2026") << 2026 << QDate(2026, 4, 5) << QDate(2026, 4, 12);
    QTest::newRow("2027") << 2027 << QDate(2027, 3, 28) << QDate(2027, 5, 2);
    QTest::newRow("2028") << 2028 << QDate(2028, 4, 16) << QDate(2028, 4, 16);
    QTest::newRow("2029") << 2029 << QDate(2029, 4, 1) << QDate(2029, 4, 8);
    QTest::newRow("2030") << 2030 << QDate(2030, 4, 21) << QDate(2030, 4, 28);
    QTest::newRow("2031") << 2031 << QDate(2031, 4, 13) << QDate(2031, 4, 13);
    QTest::newRow("2032") << 2032 << QDate(2032, 3, 28) << QDate(2032, 5, 2);
    QTest::newRow("2033") << 2033 << QDate(2033, 4, 17) << QDate(2033, 4, 24);
    QTest::newRow("2034") << 2034 << QDate(2034, 4, 9) << QDate(2034, 4, 9);
    QTest::newRow("2035") << 2035 << QDate(2035, 3, 25) << QDate(2035, 4, 29);
    QTest::newRow("2036") << 2036 << QDate(2036, 4, 13) << QDate(2036, 4, 20);
    QTest::newRow("2037") << 2037 << QDate(2037, 4, 5) << QDate(2037, 4, 5);
    QTest::newRow("2038") << 2038 << QDate(2038, 4, 25) << QDate(2038, 4, 25);
    QTest::newRow("2039") << 2039 << QDate(2039, 4, 10) << QDate(2039, 4, 17);
    QTest::newRow("2040") << 2040 << QDate(2040, 4, 1) << QDate(2040, 5, 6);
    QTest::newRow("2100") << 2100 << QDate(2100, 3, 28) << QDate(2100, 5, 2);
    QTest::newRow("2500") << 2500 << QDate(2500, 4, 18) << QDate(2500, 4, 25);
    QTest::newRow("4099") << 4099 << QDate(4099, 4, 19) << QDate(4099, 5, 3);
}

void TestHolidayCatalogues::EasterDates()
{
    QFETCH(int, year);
    QTEST(EasterDate(year), "western");
    QTEST(OrthodoxEasterDate(year), "orthodox");
    QCOMPARE(OrthodoxEasterDate(year).dayOfWeek(), int(Qt::Sunday));
}

void TestHolidayCatalogues::CatalogueFillsThePublishedHolidays_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("days");
    // United States: the federal holidays of 5 U.S.C. 6103 that the catalogue holds, on their
    // days (not the Friday or Monday observed for a weekend), as python-holidays 0.10.1 (Debian's
    // python3-holidays) lists them. Columbus Day and Juneteenth are not in the catalogue.
    QTest::newRow("US 2025") << "US" << 2025 << "01-01 01-20 02-17 05-26 07-04 09-01 11-11 11-27 12-25";
    QTest::newRow("US 2026") << "US" << 2026 << "01-01 01-19 02-16 05-25 07-04 09-07 11-11 11-26 12-25";
    QTest::newRow("US 2027") << "US" << 2027 << "01-01 01-18 02-15 05-31 07-04 09-06 11-11 11-25 12-25";
    QTest::newRow("US 2028") << "US" << 2028 << "01-01 01-17 02-21 05-29 07-04 09-04 11-11 11-23 12-25";
    QTest::newRow("US 2029") << "US" << 2029 << "01-01 01-15 02-19 05-28 07-04 09-03 11-11 11-22 12-25";
    QTest::newRow("US 2030") << "US" << 2030 << "01-01 01-21 02-18 05-27 07-04 09-02 11-11 11-28 12-25";
    QTest::newRow("US 2031") << "US" << 2031 << "01-01 01-20 02-17 05-26 07-04 09-01 11-11 11-27 12-25";
    QTest::newRow("US 2032") << "US" << 2032 << "01-01 01-19 02-16 05-31 07-04 09-06 11-11 11-25 12-25";
    QTest::newRow("US 2033") << "US" << 2033 << "01-01 01-17 02-21 05-30 07-04 09-05 11-11 11-24 12-25";
    QTest::newRow("US 2034") << "US" << 2034 << "01-01 01-16 02-20 05-29 07-04 09-04 11-11 11-23 12-25";
    QTest::newRow("US 2035") << "US" << 2035 << "01-01 01-15 02-19 05-28 07-04 09-03 11-11 11-22 12-25";
    // England and Wales: the bank holidays of gov.uk/bank-holidays as python-holidays 0.10.1
    // lists them for England, without the substitute days; 2025 and 2026 checked against
    // published lists (May 5, May 26, August 25 2025; Good Friday April 3 2026).
    QTest::newRow("GB 2025") << "GB" << 2025 << "01-01 04-18 04-21 05-05 05-26 08-25 12-25 12-26";
    QTest::newRow("GB 2026") << "GB" << 2026 << "01-01 04-03 04-06 05-04 05-25 08-31 12-25 12-26";
    QTest::newRow("GB 2027") << "GB" << 2027 << "01-01 03-26 03-29 05-03 05-31 08-30 12-25 12-26";
    QTest::newRow("GB 2028") << "GB" << 2028 << "01-01 04-14 04-17 05-01 05-29 08-28 12-25 12-26";
    QTest::newRow("GB 2029") << "GB" << 2029 << "01-01 03-30 04-02 05-07 05-28 08-27 12-25 12-26";
    QTest::newRow("GB 2030") << "GB" << 2030 << "01-01 04-19 04-22 05-06 05-27 08-26 12-25 12-26";
    QTest::newRow("GB 2031") << "GB" << 2031 << "01-01 04-11 04-14 05-05 05-26 08-25 12-25 12-26";
    QTest::newRow("GB 2032") << "GB" << 2032 << "01-01 03-26 03-29 05-03 05-31 08-30 12-25 12-26";
    QTest::newRow("GB 2033") << "GB" << 2033 << "01-01 04-15 04-18 05-02 05-30 08-29 12-25 12-26";
    QTest::newRow("GB 2034") << "GB" << 2034 << "01-01 04-07 04-10 05-01 05-29 08-28 12-25 12-26";
    QTest::newRow("GB 2035") << "GB" << 2035 << "01-01 03-23 03-26 05-07 05-28 08-27 12-25 12-26";
    // Germany: the nine holidays of every state, from python-holidays 0.10.1.
    QTest::newRow("DE 2025") << "DE" << 2025 << "01-01 04-18 04-21 05-01 05-29 06-09 10-03 12-25 12-26";
    QTest::newRow("DE 2026") << "DE" << 2026 << "01-01 04-03 04-06 05-01 05-14 05-25 10-03 12-25 12-26";
    QTest::newRow("DE 2027") << "DE" << 2027 << "01-01 03-26 03-29 05-01 05-06 05-17 10-03 12-25 12-26";
    QTest::newRow("DE 2028") << "DE" << 2028 << "01-01 04-14 04-17 05-01 05-25 06-05 10-03 12-25 12-26";
    QTest::newRow("DE 2029") << "DE" << 2029 << "01-01 03-30 04-02 05-01 05-10 05-21 10-03 12-25 12-26";
    QTest::newRow("DE 2030") << "DE" << 2030 << "01-01 04-19 04-22 05-01 05-30 06-10 10-03 12-25 12-26";
    QTest::newRow("DE 2031") << "DE" << 2031 << "01-01 04-11 04-14 05-01 05-22 06-02 10-03 12-25 12-26";
    QTest::newRow("DE 2032") << "DE" << 2032 << "01-01 03-26 03-29 05-01 05-06 05-17 10-03 12-25 12-26";
    QTest::newRow("DE 2033") << "DE" << 2033 << "01-01 04-15 04-18 05-01 05-26 06-06 10-03 12-25 12-26";
    QTest::newRow("DE 2034") << "DE" << 2034 << "01-01 04-07 04-10 05-01 05-18 05-29 10-03 12-25 12-26";
    QTest::newRow("DE 2035") << "DE" << 2035 << "01-01 03-23 03-26 05-01 05-03 05-14 10-03 12-25 12-26";
    // Austria: the thirteen holidays of the Feiertagsruhegesetz, from python-holidays 0.10.1.
    QTest::newRow("AT 2025") << "AT" << 2025
                             << "01-01 01-06 04-21 05-01 05-29 06-09 06-19 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2026") << "AT" << 2026
                             << "01-01 01-06 04-06 05-01 05-14 05-25 06-04 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2027") << "AT" << 2027
                             << "01-01 01-06 03-29 05-01 05-06 05-17 05-27 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2028") << "AT" << 2028
                             << "01-01 01-06 04-17 05-01 05-25 06-05 06-15 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2029") << "AT" << 2029
                             << "01-01 01-06 04-02 05-01 05-10 05-21 05-31 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2030") << "AT" << 2030
                             << "01-01 01-06 04-22 05-01 05-30 06-10 06-20 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2031") << "AT" << 2031
                             << "01-01 01-06 04-14 05-01 05-22 06-02 06-12 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2032") << "AT" << 2032
                             << "01-01 01-06 03-29 05-01 05-06 05-17 05-27 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2033") << "AT" << 2033
                             << "01-01 01-06 04-18 05-01 05-26 06-06 06-16 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2034") << "AT" << 2034
                             << "01-01 01-06 04-10 05-01 05-18 05-29 06-08 08-15 10-26 11-01 12-08 12-25 12-26";
    QTest::newRow("AT 2035") << "AT" << 2035
                             << "01-01 01-06 03-26 05-01 05-03 05-14 05-24 08-15 10-26 11-01 12-08 12-25 12-26";
    // France: the eleven holidays of article L3133-1 of the Code du travail, Easter from
    // python3-dateutil (python-holidays 0.10.1 has no France); 2026 checked against the list
    // FO-Fonctionnaires published (Lundi de Pâques April 6, Ascension May 14, Pentecôte May 25).
    QTest::newRow("FR 2025") << "FR" << 2025 << "01-01 04-21 05-01 05-08 05-29 06-09 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2026") << "FR" << 2026 << "01-01 04-06 05-01 05-08 05-14 05-25 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2027") << "FR" << 2027 << "01-01 03-29 05-01 05-06 05-08 05-17 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2028") << "FR" << 2028 << "01-01 04-17 05-01 05-08 05-25 06-05 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2029") << "FR" << 2029 << "01-01 04-02 05-01 05-08 05-10 05-21 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2030") << "FR" << 2030 << "01-01 04-22 05-01 05-08 05-30 06-10 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2031") << "FR" << 2031 << "01-01 04-14 05-01 05-08 05-22 06-02 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2032") << "FR" << 2032 << "01-01 03-29 05-01 05-06 05-08 05-17 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2033") << "FR" << 2033 << "01-01 04-18 05-01 05-08 05-26 06-06 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2034") << "FR" << 2034 << "01-01 04-10 05-01 05-08 05-18 05-29 07-14 08-15 11-01 11-11 12-25";
    QTest::newRow("FR 2035") << "FR" << 2035 << "01-01 03-26 05-01 05-03 05-08 05-14 07-14 08-15 11-01 11-11 12-25";
    // Italy: the holidays of law 260 of 27 May 1949 as python-holidays 0.10.1 lists them, with
    // the 4th of October that law 151 of 2025 adds from 2026. The catalogue's record has no first
    // year, so it fills the 4th of October 2025 too, which the published 2025 list does not have.
    QTest::newRow("IT 2025") << "IT" << 2025
                             << "01-01 01-06 04-20 04-21 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2026") << "IT" << 2026
                             << "01-01 01-06 04-05 04-06 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2027") << "IT" << 2027
                             << "01-01 01-06 03-28 03-29 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2028") << "IT" << 2028
                             << "01-01 01-06 04-16 04-17 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2029") << "IT" << 2029
                             << "01-01 01-06 04-01 04-02 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2030") << "IT" << 2030
                             << "01-01 01-06 04-21 04-22 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2031") << "IT" << 2031
                             << "01-01 01-06 04-13 04-14 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2032") << "IT" << 2032
                             << "01-01 01-06 03-28 03-29 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2033") << "IT" << 2033
                             << "01-01 01-06 04-17 04-18 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2034") << "IT" << 2034
                             << "01-01 01-06 04-09 04-10 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    QTest::newRow("IT 2035") << "IT" << 2035
                             << "01-01 01-06 03-25 03-26 04-25 05-01 06-02 08-15 10-04 11-01 12-08 12-25 12-26";
    // Spain: the national holidays of every region, from python-holidays 0.10.1.
    QTest::newRow("ES 2025") << "ES" << 2025 << "01-01 01-06 04-18 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2026") << "ES" << 2026 << "01-01 01-06 04-03 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2027") << "ES" << 2027 << "01-01 01-06 03-26 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2028") << "ES" << 2028 << "01-01 01-06 04-14 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2029") << "ES" << 2029 << "01-01 01-06 03-30 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2030") << "ES" << 2030 << "01-01 01-06 04-19 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2031") << "ES" << 2031 << "01-01 01-06 04-11 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2032") << "ES" << 2032 << "01-01 01-06 03-26 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2033") << "ES" << 2033 << "01-01 01-06 04-15 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2034") << "ES" << 2034 << "01-01 01-06 04-07 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    QTest::newRow("ES 2035") << "ES" << 2035 << "01-01 01-06 03-23 05-01 08-15 10-12 11-01 12-06 12-08 12-25";
    // Greece: the twelve national holidays of Wikipedia's "Public holidays in Greece", dates from
    // python-holidays 0.10.1 with Good Friday added (that version leaves it out). Labour Day
    // stays on May 1: its moves out of Holy Week are decided year by year.
    QTest::newRow("GR 2025") << "GR" << 2025
                             << "01-01 01-06 03-03 03-25 04-18 04-21 05-01 06-09 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2026") << "GR" << 2026
                             << "01-01 01-06 02-23 03-25 04-10 04-13 05-01 06-01 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2027") << "GR" << 2027
                             << "01-01 01-06 03-15 03-25 04-30 05-01 05-03 06-21 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2028") << "GR" << 2028
                             << "01-01 01-06 02-28 03-25 04-14 04-17 05-01 06-05 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2029") << "GR" << 2029
                             << "01-01 01-06 02-19 03-25 04-06 04-09 05-01 05-28 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2030") << "GR" << 2030
                             << "01-01 01-06 03-11 03-25 04-26 04-29 05-01 06-17 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2031") << "GR" << 2031
                             << "01-01 01-06 02-24 03-25 04-11 04-14 05-01 06-02 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2032") << "GR" << 2032
                             << "01-01 01-06 03-15 03-25 04-30 05-01 05-03 06-21 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2033") << "GR" << 2033
                             << "01-01 01-06 03-07 03-25 04-22 04-25 05-01 06-13 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2034") << "GR" << 2034
                             << "01-01 01-06 02-20 03-25 04-07 04-10 05-01 05-29 08-15 10-28 12-25 12-26";
    QTest::newRow("GR 2035") << "GR" << 2035
                             << "01-01 01-06 03-12 03-25 04-27 04-30 05-01 06-18 08-15 10-28 12-25 12-26";
}

void TestHolidayCatalogues::CatalogueFillsThePublishedHolidays()
{
    QFETCH(QString, country);
    QFETCH(int, year);
    QTEST(FilledDays(CatalogueToCompare(country), year), "days");
}

void TestHolidayCatalogues::CatalogueRecordsKeepTheRecordRules_data()
{
    QTest::addColumn<QString>("country");
    for (const THolidayCountry& country : HolidayCountries())
        QTest::newRow(qPrintable(country.Code)) << country.Code;
}

// Every record: event text in 120 columns, a formula of a known kind that reads, within column
// 131, a text for the lists, and no event text twice.
void TestHolidayCatalogues::CatalogueRecordsKeepTheRecordRules()
{
    QFETCH(QString, country);
    const QStringList records = HolidayCatalogue(country);
    QVERIFY(!records.isEmpty());
    QSet<QString> texts;
    for (const QString& record : records) {
        QVERIFY2(record.size() > EventTextWidth && record.size() <= EventTextWidth + TagWidth, qPrintable(record));
        const QString text = RecordEventText(record).trimmed();
        QVERIFY2(!texts.contains(text), qPrintable(text));
        texts.insert(text);
        const QChar kind = *RecordKind(record);
        if (kind == FeastKind) {
            QVERIFY2(ParseEasterTag(RecordTag(record)), qPrintable(record));
            QCOMPARE(record.size(), EventTextWidth + RecordTag(record).size());
        } else if (kind == DayOfMonthKind) {
            QVERIFY2(ParseDayOfMonth(RecordFormula(record)), qPrintable(record));
        } else {
            QCOMPARE(kind, SpecialKind);
            QVERIFY2(ParseSpecial(RecordFormula(record)), qPrintable(record));
        }
        QVERIFY(RecordDisplayText(record).startsWith(text));
    }
}

void TestHolidayCatalogues::CountryOfTheLocale_data()
{
    QTest::addColumn<QLocale::Territory>("territory");
    QTest::addColumn<QString>("code");
    QTest::newRow("United States") << QLocale::UnitedStates << "US";
    QTest::newRow("United Kingdom") << QLocale::UnitedKingdom << "GB";
    QTest::newRow("Germany") << QLocale::Germany << "DE";
    QTest::newRow("Austria") << QLocale::Austria << "AT";
    QTest::newRow("France") << QLocale::France << "FR";
    QTest::newRow("Italy") << QLocale::Italy << "IT";
    QTest::newRow("Spain") << QLocale::Spain << "ES";
    QTest::newRow("Greece") << QLocale::Greece << "GR";
    QTest::newRow("Switzerland has none") << QLocale::Switzerland << "US";
    QTest::newRow("no territory") << QLocale::AnyTerritory << "US";
}

void TestHolidayCatalogues::CountryOfTheLocale()
{
    QFETCH(QLocale::Territory, territory);
    QTEST(HolidayCountryCode(territory), "code");
}

void TestHolidayCatalogues::UnknownCountryHasNoCatalogue()
{
    QCOMPARE(HolidayCatalogue("XX"), QStringList());
    QCOMPARE(HolidayCatalogue(""), QStringList());
    QCOMPARE(HolidayCatalogue("de"), HolidayCatalogue("DE"));
}

QObject* NewTestHolidayCatalogues()
{
    return new TestHolidayCatalogues;
}

#include "TestHolidayCatalogues.moc"
