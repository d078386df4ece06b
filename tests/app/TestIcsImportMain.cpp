// "Import Events (.ics)..." through the real main window, with the scripted UI services
// answering the file dialog: the month's events appended to their cells while the user's editor
// stays where it was, a damaged file reported with nothing written, and the command offered only
// where the page has day cells.

#include "MainWindowFixture.h"

#include "app/CalendarMain.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QStringList CellsOfMonth(const TCalendarPanel32& page)
{
    QStringList cells;
    for (int day = 1; day <= 28; ++day)
        cells += QString::number(day) + ": " + TMainWindowFixture::CellLines(page, page.CellOfDay(day)).join(" | ");
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
    void EditorNeverOpensOnACellThePageDoesNotShow();
    void SavedMonthShowsEachFixtureInItsCells_data();
    void SavedMonthShowsEachFixtureInItsCells();
};

void TestIcsImportMain::ImportWritesTheMonthsEventsAndKeepsTheEditor()
{
    TMainWindowFixture f;
    // February 2027 starts on a Monday: with weeks from Sunday, day 1 is cell 2.
    const QString file = f.Path("Feb2027.MVF");
    TMainWindowFixture::WriteCalendar(file, 2, 2027, 2, "old");
    const QString ics = f.Path("events.ics");
    WriteFile(
        ics,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mervane tests//EN\r\n"
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20270201T093000\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Dentist\r\nEND:"
        "VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE:20270130\r\nDTEND;VALUE=DATE:20270203\r\nSUMMARY:Ski "
        "trip\r\nEND:VEVENT\r\n"
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

void TestIcsImportMain::SavedMonthShowsEachFixtureInItsCells_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("filled"); // "day: text" of every cell the import filled
    QTest::newRow("weekly rule with an excepted week")
        << 1 << "weekly.ics" << QStringList{"4: 9:30 AM Dentist", "11: 9:30 AM Dentist", "25: 9:30 AM Dentist"};
    QTest::newRow("all-day span, month it starts in") << 1 << "span.ics" << QStringList{"30: Ski trip", "31: Ski trip"};
    // A timed event gives its time on its first day only.
    QTest::newRow("all-day span, month it ends in; a night across midnight")
        << 2 << "span.ics" << QStringList{"1: Ski trip", "2: Ski trip", "27: 10:00 PM Night train", "28: Night train"};
    QTest::newRow("zoned times on their local days")
        << 3 << "tzid.ics"
        << QStringList{"2: 9:00 AM Call Berlin", "4: 7:00 PM Call Auckland", "9: 9:00 PM Call Tokyo",
                       "16: 11:30 PM Call Berlin"};
    QTest::newRow("UTF-8, folded line; cancelled, to-do and journal left out")
        << 4 << "text.ics"
        << QStringList{QString::fromUtf8("12: Caf\u00e9 with Zo\u00eb \u2013 \u4f1a\u8b70"),
                       "13: Annual review with the whole team, room 4 and the coffee machine"};
}

// The import through the menu, the calendar saved, and `mvtool info` of the file: each event of
// the hand-written fixtures in the cell of its day, nothing elsewhere.
void TestIcsImportMain::SavedMonthShowsEachFixtureInItsCells()
{
    QFETCH(int, month);
    QFETCH(QString, fixture);
    QFETCH(QStringList, filled);
    TMainWindowFixture f;
    const QString file = f.Path("month.MVF");
    TMainWindowFixture::WriteCalendar(file, month, 2027, 1, "");
    TCalendarMain& main = f.Start(file);
    f.Ui.AnswerFileName(QFINDTESTDATA("../recurring/ics/" + fixture));
    f.Trigger("mnuImportEvents");
    QVERIFY(f.Ui.Messages.isEmpty());
    f.Trigger("mnuSave");
    QVERIFY(!main.Modified());

    QProcess info;
    info.start(QCoreApplication::applicationDirPath() + "/mvtool", {"info", file});
    QVERIFY(info.waitForFinished(60000));
    QCOMPARE(info.exitCode(), 0);
    QHash<int, QString> dayOfCell;
    for (int day = 1; day <= 31; ++day)
        dayOfCell.insert(f.Page().CellOfDay(day), QString::number(day));
    QStringList shown;
    for (const QJsonValue cell : QJsonDocument::fromJson(info.readAllStandardOutput())["cells"].toArray()) {
        const QString text = cell["text"].toString().trimmed();
        if (!text.isEmpty())
            shown += dayOfCell.value(cell["index"].toInt(), "?") + ": " + text;
    }
    QCOMPARE(shown, filled);
}

// The cell being edited on a month page may not exist on the layout chosen next (the sixth row
// of a month is no cell of a week planner). Writing events into the days reopens the editor
// where the user left it: never on a cell the page does not show, where it stood as a small
// square at the page's corner.
void TestIcsImportMain::EditorNeverOpensOnACellThePageDoesNotShow()
{
    TMainWindowFixture f;
    // May 2027 starts on a Saturday: its 30th and 31st are in the sixth row, cells 36 and 37.
    const QString file = f.Path("May2027.MVF");
    TMainWindowFixture::WriteCalendar(file, 5, 2027, 2, "");
    const QString ics = f.Path("events.ics");
    WriteFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mervane tests//EN\r\n"
                   "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20270503\r\nSUMMARY:Dentist\r\nEND:VEVENT\r\n"
                   "END:VCALENDAR\r\n");
    TCalendarMain& main = f.Start(file);
    QCOMPARE(f.Page().CellOfDay(31), 37);
    f.ClickCell(37);
    QVERIFY(main.EditorActive());

    f.Ui.AnswerDialog([](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("LayoutList");
        list->setCurrentItem(list->findItems("One Week Planner", Qt::MatchExactly).value(0));
        QTest::mouseClick(dialog.findChild<QPushButton*>("okbutton"), Qt::LeftButton);
        return dialog.result();
    });
    f.Trigger("mnuProperties");
    f.Page().repaint();
    QVERIFY(f.Page().CellRecord(37).Free.IsEmpty());

    f.Ui.AnswerFileName(ics);
    f.Trigger("mnuImportEvents");
    QVERIFY(f.Ui.Unexpected.isEmpty());
    QVERIFY2(!f.Editor().isVisible(), qPrintable(QString("the editor shows at %1,%2, %3 by %4")
                                                     .arg(f.Editor().x())
                                                     .arg(f.Editor().y())
                                                     .arg(f.Editor().width())
                                                     .arg(f.Editor().height())));
}

QObject* NewTestIcsImportMain()
{
    return new TestIcsImportMain;
}

#include "TestIcsImportMain.moc"
