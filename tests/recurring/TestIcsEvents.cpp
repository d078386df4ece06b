// Events of iCalendar files: hand-written fixtures for recurrence, spans, time zones and text,
// the window of days asked for, and a table of damaged inputs with their messages.

#include "recurring/IcsEvents.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// "2027-01-04 09:30 Dentist", or without the time for an entry that has none.
QStringList Described(const QList<TIcsEntry>& entries)
{
    QStringList lines;
    for (const TIcsEntry& entry : entries) {
        QString line = entry.Date.toString(Qt::ISODate);
        if (entry.Time)
            line += " " + entry.Time->toString("hh:mm");
        lines += line + " " + entry.Summary;
    }
    return lines;
}

QByteArray Ics(const QByteArray& eventLines)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mervane tests//EN\r\n" + eventLines + "END:VCALENDAR\r\n";
}

} // namespace

class TestIcsEvents : public QObject {
    Q_OBJECT
private slots:
    void FixturesFillTheirDays_data();
    void FixturesFillTheirDays();
    void DamagedInputsFailWithTheirLine_data();
    void DamagedInputsFailWithTheirLine();
    void RuleWithoutEndStopsAtTheLastDay();
    void ReplacedOccurrenceShowsItsNewTime();
    void EntryTextCarriesTheLocaleTime();
    void MissingAndOversizedFilesAreErrors();
};

void TestIcsEvents::FixturesFillTheirDays_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("weekly rule with an exception, daily rule with dates added and removed")
        << "weekly.ics" << QDate(2027, 1, 1) << QDate(2027, 2, 28)
        << QStringList{"2027-01-04 09:30 Dentist",  "2027-01-11 09:30 Dentist", "2027-01-25 09:30 Dentist",
                       "2027-02-01 08:00 Stand-up", "2027-02-01 09:30 Dentist", "2027-02-07 08:00 Stand-up"};
    QTest::newRow("only the days asked for") << "weekly.ics" << QDate(2027, 1, 10) << QDate(2027, 1, 31)
                                             << QStringList{"2027-01-11 09:30 Dentist", "2027-01-25 09:30 Dentist"};
    QTest::newRow("all-day span, first month") << "span.ics" << QDate(2027, 1, 1) << QDate(2027, 1, 31)
                                               << QStringList{"2027-01-30 Ski trip", "2027-01-31 Ski trip"};
    QTest::newRow("all-day span, second month; timed event past midnight")
        << "span.ics" << QDate(2027, 2, 1) << QDate(2027, 2, 28)
        << QStringList{"2027-02-01 Ski trip", "2027-02-02 Ski trip", "2027-02-27 22:00 Night train",
                       "2027-02-28 Night train"};
    QTest::newRow("zoned times on the local day")
        << "tzid.ics" << QDate(2027, 3, 1) << QDate(2027, 3, 31)
        << QStringList{"2027-03-02 09:00 Call Berlin", "2027-03-04 19:00 Call Auckland", "2027-03-09 21:00 Call Tokyo",
                       "2027-03-16 23:30 Call Berlin"};
    QTest::newRow("UTF-8, folded line; cancelled, to-do and journal left out")
        << "text.ics" << QDate(2027, 4, 1) << QDate(2027, 4, 30)
        << QStringList{QString::fromUtf8("2027-04-12 Caf\u00e9 with Zo\u00eb \u2013 \u4f1a\u8b70"),
                       "2027-04-13 Annual review with the whole team, room 4 and the coffee machine"};
}

void TestIcsEvents::FixturesFillTheirDays()
{
    QFETCH(QString, fixture);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QStringList, expected);
    const TIcsRead read = ReadIcsFile(QFINDTESTDATA("ics/" + fixture), first, last);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(Described(read.Entries), expected);
}

void TestIcsEvents::DamagedInputsFailWithTheirLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    QTest::newRow("unterminated event")
        << Ics("BEGIN:VEVENT\r\nDTSTART:20270101\r\nSUMMARY:x\r\n").replace("END:VCALENDAR\r\n", "")
        << "party.ics, line 4: BEGIN:VEVENT is never ended";
    QTest::newRow("END of another component") << Ics("BEGIN:VEVENT\r\nDTSTART:20270101\r\nEND:VTODO\r\n")
                                              << "party.ics, line 6: END:VTODO where BEGIN:VEVENT of line 4 is open";
    QTest::newRow("END without BEGIN") << QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\nEND:VEVENT\r\n")
                                       << "party.ics, line 3: END:VEVENT without its BEGIN";
    QTest::newRow("February 30th") << Ics("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270230\r\nEND:VEVENT\r\n")
                                   << "party.ics, line 5: not a valid date or time in \"DTSTART;VALUE=DATE:20270230\"";
    QTest::newRow("25th hour") << Ics("BEGIN:VEVENT\r\nDTSTART:20270101T250000\r\nEND:VEVENT\r\n")
                               << "party.ics, line 5: not a valid date or time in \"DTSTART:20270101T250000\"";
    QTest::newRow("month 13 in a list of exceptions")
        << Ics("BEGIN:VEVENT\r\nDTSTART:20270101\r\nEXDATE:20270108,20271301\r\nEND:VEVENT\r\n")
        << "party.ics, line 6: not a valid date or time in \"EXDATE:20270108,20271301\"";
    QTest::newRow("letters in a date") << Ics("BEGIN:VEVENT\r\nDTSTART:2027XX01\r\nEND:VEVENT\r\n")
                                       << "party.ics, line 5: cannot read \"DTSTART:2027XX01\"";
    QTest::newRow("unknown rule frequency")
        << Ics("BEGIN:VEVENT\r\nDTSTART:20270101\r\nRRULE:FREQ=SOMETIMES\r\nEND:VEVENT\r\n")
        << "party.ics, line 6: cannot read \"RRULE:FREQ=SOMETIMES\"";
    QTest::newRow("rule without end from year one")
        << Ics("BEGIN:VEVENT\r\nDTSTART:00010101T000000Z\r\nRRULE:FREQ=SECONDLY\r\nSUMMARY:tick\r\nEND:VEVENT\r\n")
        << "party.ics, line 6: the recurrence rule repeats too often to reach 2027-12-31";
    QTest::newRow("minutely rule on days that never come")
        << Ics("BEGIN:VEVENT\r\nDTSTART:20200101T000000Z\r\nRRULE:FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30\r\n"
               "SUMMARY:x\r\nEND:VEVENT\r\n")
        << "party.ics, line 6: a rule repeating every hour, minute or second with BY parts is not supported";
    QTest::newRow("unknown time zone")
        << Ics("BEGIN:VEVENT\r\nDTSTART;TZID=Mars/Olympus:20270101T090000\r\nSUMMARY:x\r\nEND:VEVENT\r\n")
        << "party.ics, line 5: unknown time zone Mars/Olympus";
    QTest::newRow("event without a start")
        << Ics("BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n") << "party.ics, line 4: an event without DTSTART";
    QTest::newRow("ends before it starts")
        << Ics("BEGIN:VEVENT\r\nDTSTART:20270102T100000\r\nDTEND:20270101T100000\r\nSUMMARY:x\r\nEND:VEVENT\r\n")
        << "party.ics, line 6: the event ends before it starts";
    QTest::newRow("ends on a date, starts at a time")
        << Ics("BEGIN:VEVENT\r\nDTSTART:20270102T100000\r\nDTEND;VALUE=DATE:20270103\r\nSUMMARY:x\r\nEND:VEVENT\r\n")
        << "party.ics, line 6: DTEND must be a date when DTSTART is, else a date and time";
    QTest::newRow("not UTF-8") << Ics("BEGIN:VEVENT\r\nDTSTART:20270101\r\nSUMMARY:Caf\xe9\r\nEND:VEVENT\r\n")
                               << "party.ics, line 6: is not UTF-8 text";
    QTest::newRow("zero byte") << Ics(QByteArray("BEGIN:VEVENT\r\nSUMMARY:a\0b\r\n", 25))
                               << "party.ics, line 5: holds a zero byte; this is not a text file";
    QTest::newRow("carriage return inside a line") << Ics("BEGIN:VEVENT\r\nSUMMARY:a\rBEGIN:VTODO\r\nEND:VEVENT\r\n")
                                                   << "party.ics, line 5: holds a carriage return inside the line";
    QTest::newRow("not a calendar") << QByteArray("Dear Sir,\nplease find attached\n")
                                    << "party.ics, line 1: text outside BEGIN:VCALENDAR and END:VCALENDAR";
    QTest::newRow("empty file") << QByteArray()
                                << "party.ics, line 1: no BEGIN:VCALENDAR; this is not an iCalendar file";
    QTest::newRow("another kind of file first")
        << QByteArray("BEGIN:VCARD\r\nEND:VCARD\r\n") << "party.ics, line 1: expected BEGIN:VCALENDAR";
    QTest::newRow("deep nesting") << Ics(QByteArray("BEGIN:X-A\r\n").repeated(40))
                                  << "party.ics, line 19: components nest too deep";
}

void TestIcsEvents::DamagedInputsFailWithTheirLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const TIcsRead read = ParseIcsEvents(bytes, "party.ics", QDate(2027, 1, 1), QDate(2027, 12, 31));
    QCOMPARE(read.Error, error);
    QVERIFY(read.Entries.isEmpty());
}

void TestIcsEvents::RuleWithoutEndStopsAtTheLastDay()
{
    // A birthday every year since 1950 reaches 2027 in a few steps and stops there.
    const TIcsRead read = ParseIcsEvents(
        Ics("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19500704\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Birthday\r\nEND:VEVENT\r\n"),
        "b.ics", QDate(2027, 1, 1), QDate(2027, 12, 31));
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(Described(read.Entries), QStringList{"2027-07-04 Birthday"});
}

void TestIcsEvents::ReplacedOccurrenceShowsItsNewTime()
{
    const QByteArray bytes = Ics("BEGIN:VEVENT\r\nUID:m@x\r\nDTSTART:20270104T100000Z\r\nRRULE:FREQ=DAILY;COUNT=3\r\n"
                                 "SUMMARY:Meeting\r\nEND:VEVENT\r\n"
                                 "BEGIN:VEVENT\r\nUID:m@x\r\nRECURRENCE-ID:20270105T100000Z\r\n"
                                 "DTSTART:20270105T150000Z\r\nSUMMARY:Meeting (moved)\r\nEND:VEVENT\r\n");
    const TIcsRead read = ParseIcsEvents(bytes, "m.ics", QDate(2027, 1, 1), QDate(2027, 1, 31));
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(Described(read.Entries),
             (QStringList{"2027-01-04 10:00 Meeting", "2027-01-05 15:00 Meeting (moved)", "2027-01-06 10:00 Meeting"}));
}

void TestIcsEvents::EntryTextCarriesTheLocaleTime()
{
    QCOMPARE(IcsEntryText({QDate(2027, 1, 4), QTime(9, 30), "Dentist"}), QString("9:30 AM Dentist"));
    QCOMPARE(IcsEntryText({QDate(2027, 1, 4), QTime(0, 5), "Night bus"}), QString("12:05 AM Night bus"));
    QCOMPARE(IcsEntryText({QDate(2027, 1, 4), QTime(14, 0), "Tea"}), QString("2:00 PM Tea"));
    QCOMPARE(IcsEntryText({QDate(2027, 1, 4), std::nullopt, "Holiday"}), QString("Holiday"));
}

void TestIcsEvents::MissingAndOversizedFilesAreErrors()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing = dir.filePath("missing.ics");
    QVERIFY(
        ReadIcsFile(missing, QDate(2027, 1, 1), QDate(2027, 1, 31)).Error.startsWith("Cannot open file " + missing));

    const QString big = dir.filePath("big.ics");
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(MaxIcsFileSize + 1));
    file.close();
    QCOMPARE(ReadIcsFile(big, QDate(2027, 1, 1), QDate(2027, 1, 31)).Error, big + ": larger than 16 MB; not read");
}

QObject* NewTestIcsEvents()
{
    return new TestIcsEvents;
}

#include "TestIcsEvents.moc"
