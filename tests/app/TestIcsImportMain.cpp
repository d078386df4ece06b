// "Import Events (.ics)..." through the real main window, with the scripted UI services
// answering the file dialog: the month's events appended to their cells while the user's editor
// stays where it was, a damaged file reported with nothing written, and the command offered only
// where the page has day cells.

#include "MainWindowFixture.h"

#include "app/CalendarMain.h"

namespace {

// The paragraphs of cell `cell`; the empty paragraph that ends a filled cell is left out.
QStringList CellLines(const TCalendarPanel32& page, int cell)
{
    QStringList lines = TMainWindowFixture::CellText(page, cell).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList CellsOfMonth(const TCalendarPanel32& page)
{
    QStringList cells;
    for (int day = 1; day <= 28; ++day)
        cells += QString::number(day) + ": " + CellLines(page, page.CellOfDay(day)).join(" | ");
    return cells;
}

void WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestIcsImportMain : public QObject {
    Q_OBJECT
private slots:
    void ImportWritesTheMonthsEventsAndKeepsTheEditor();
    void DamagedFileWritesNothing();
    void ImportNeedsDayCells();
};

void TestIcsImportMain::ImportWritesTheMonthsEventsAndKeepsTheEditor()
{
    TMainWindowFixture f;
    // February 2027 starts on a Monday: with weeks from Sunday, day 1 is cell 2.
    const QString file = f.Path("Feb2027.MVF");
    TMainWindowFixture::WriteCalendar(file, 2, 2027, 2, "old");
    const QString ics = f.Path("events.ics");
    WriteFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mervane tests//EN\r\n"
                   "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20270201T093000\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Dentist\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE:20270130\r\nDTEND;VALUE=DATE:20270203\r\nSUMMARY:Ski trip\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nUID:c\r\nDTSTART;VALUE=DATE:20270203\r\nSTATUS:CANCELLED\r\nSUMMARY:Party\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nUID:d\r\nDTSTART;VALUE=DATE:20270301\r\nSUMMARY:March\r\nEND:VEVENT\r\n"
                   "END:VCALENDAR\r\n");
    TCalendarMain& main = f.Start(file);
    TCalendarPanel32& page = f.Page();
    QCOMPARE(page.CellOfDay(1), 2);
    QVERIFY(f.Action("mnuImportEvents")->isEnabled());

    // The user is typing in the cell of the 10th.
    const int typingCell = page.CellOfDay(10);
    f.ClickCell(typingCell);
    QTest::keyClicks(&f.Editor(), "typed");

    f.Ui.AnswerFileName(ics);
    f.Trigger("mnuImportEvents");
    QVERIFY(f.Ui.Messages.isEmpty());
    QStringList expected;
    for (int day = 1; day <= 28; ++day)
        expected += QString::number(day) + ": ";
    expected[0] += "old | Ski trip | 9:30 AM Dentist";
    expected[1] += "Ski trip";
    expected[7] += "9:30 AM Dentist";
    expected[14] += "9:30 AM Dentist";
    expected[9] += "typed";
    QCOMPARE(CellsOfMonth(page), expected);
    // The editor is open again on the cell the user was typing in.
    QVERIFY(main.EditorActive());
    QCOMPARE(main.CurrentCell(), typingCell);
    QCOMPARE(f.Editor().Text().Document().toPlainText(), "typed");
    QVERIFY(main.Modified());

    // Cancelling the file dialog changes nothing.
    f.Ui.AnswerFileName("");
    f.Trigger("mnuImportEvents");
    QCOMPARE(CellsOfMonth(page), expected);
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestIcsImportMain::DamagedFileWritesNothing()
{
    TMainWindowFixture f;
    const QString file = f.Path("Feb2027.MVF");
    TMainWindowFixture::WriteCalendar(file, 2, 2027, 2, "old");
    const QString ics = f.Path("damaged.ics");
    // A good event first: nothing of a damaged file is written.
    WriteFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                   "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270201\r\nSUMMARY:Good\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270230\r\nSUMMARY:Bad\r\nEND:VEVENT\r\n"
                   "END:VCALENDAR\r\n");
    TCalendarMain& main = f.Start(file);
    const QStringList before = CellsOfMonth(f.Page());
    f.Ui.AnswerFileName(ics);
    f.Trigger("mnuImportEvents");
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, ics + ", line 8: not a valid date or time in \"DTSTART;VALUE=DATE:20270230\"");
    QCOMPARE(CellsOfMonth(f.Page()), before);
    QVERIFY(!main.Modified());

    // A file without events in the month says so.
    WriteFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                   "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20270301\r\nSUMMARY:March\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    f.Ui.AnswerFileName(ics);
    f.Trigger("mnuImportEvents");
    QCOMPARE(f.Ui.Messages.size(), 2);
    QCOMPARE(f.Ui.Messages[1].Text, "No events of damaged.ics fall in the current month");
    QVERIFY(!main.Modified());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestIcsImportMain::ImportNeedsDayCells()
{
    TMainWindowFixture f;
    f.Start();
    QVERIFY(!f.Page().CellsAvailable());
    QVERIFY(!f.Action("mnuImportEvents")->isEnabled());
}

QObject* NewTestIcsImportMain()
{
    return new TestIcsImportMain;
}

#include "TestIcsImportMain.moc"
