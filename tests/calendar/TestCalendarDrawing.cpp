// Drawing the month grid and the planners: the geometry they leave in the drawing record, the
// lines they draw and the texts of the planner pages.

#include "calendar/CalendarDrawing.h"
#include "calendar/PlannerLabels.h"
#include "CalendarFixtures.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

TCalendarDrawRecord MonthRecord(int month, int year)
{
    TCalendarDrawRecord record = EnglishMonthRecord(month, year);
    record.CalendarRect = {26, 26, 790, 1030};
    record.MinTitleHeight = 144;
    return record;
}

QImage Draw(TCalendarDrawRecord& record, const std::function<void(QPainter&, TCalendarDrawRecord&)>& draw)
{
    QImage image(816, 1056, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, record);
    return image;
}

// Whether row y is black across the middle of the calendar.
bool HasLineAt(const QImage& image, int y)
{
    for (int x = 100; x < 700; x += 50) {
        if (image.pixelColor(x, y) != QColor(Qt::black))
            return false;
    }
    return true;
}

} // namespace

class TestCalendarDrawing : public QObject {
    Q_OBJECT

private slots:
    void MonthLeavesItsGeometry();
    void CentredNumbersLeaveNoRoomForText();
    void CellBorderStylesChooseTheirLines_data();
    void CellBorderStylesChooseTheirLines();
    void MonthLinesStopBeforeTheirEndPoint_data();
    void MonthLinesStopBeforeTheirEndPoint();
    void PlannerLinesStayInsideTheOutline_data();
    void PlannerLinesStayInsideTheOutline();
    void TitlesFollowOverrideAndYear();
    void WeekPlannerTitles_data();
    void WeekPlannerTitles();
    void PlannerRowsAndLabels();
    void DayPlannerCountsHours();
};

void TestCalendarDrawing::MonthLeavesItsGeometry()
{
    TCalendarDrawRecord record = MonthRecord(6, 1997); // June 1997 begins on a Sunday
    Draw(record, [](QPainter& p, TCalendarDrawRecord& r) { DrawMonth(p, r, QString()); });

    // Title band: 0.17 x (1029 - 26) = 170 is above the 144 minimum.
    QCOMPARE(record.TitleRect, (TRect{26, 27, 789, 197}));
    // Headers: 1.5 x 21 pixels (16 points at 96 PPI).
    QCOMPARE(record.DaysHeaderRect, (TRect{26, 198, 789, 229}));

    // Columns 109 wide, rows (1029 - 229) div 6 = 133 high; numbers at the upper right take
    // 4 pixels off the left and 5 off the right.
    const TCellRecord& first = record.Cells[0];
    QCOMPARE(first.Whole, (TRect{31, 230, 129, 361}));
    QCOMPARE(first.Day, 1);
    QCOMPARE(first.Free.Left, first.Whole.Left);
    QVERIFY(first.Free.Top > first.Whole.Top + 10 && first.Free.Top < first.Whole.Top + 40);
    QCOMPARE(first.Free.Bottom, first.Whole.Bottom);
    QCOMPARE(record.Cells[29].Day, 30);
    QCOMPARE(record.Cells[30].Day, 0);
    QCOMPARE(record.Cells[41].Whole, (TRect{26 + 6 * 109 + 5, 229 + 5 * 133 + 1, 26 + 7 * 109 - 6, 229 + 6 * 133 - 1}));
}

void TestCalendarDrawing::CentredNumbersLeaveNoRoomForText()
{
    TCalendarDrawRecord record = MonthRecord(6, 1997);
    record.NumberPosition = cnpCenter;
    Draw(record, [](QPainter& p, TCalendarDrawRecord& r) { DrawMonth(p, r, QString()); });
    for (const TCellRecord& cell : record.Cells) {
        QVERIFY(cell.Free.IsEmpty());
        QVERIFY(!cell.Whole.IsEmpty()); // still clickable
    }
    QCOMPARE(record.Cells[0].Whole, (TRect{27, 230, 134, 361}));
}

void TestCalendarDrawing::CellBorderStylesChooseTheirLines_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("inner");
    QTest::addColumn<bool>("bottom");
    QTest::newRow("cbAll") << int(cbAll) << true << true << true;
    QTest::newRow("cbTop") << int(cbTop) << true << true << false;
    QTest::newRow("cbBottom") << int(cbBottom) << false << true << true;
    QTest::newRow("cbTopBottom") << int(cbTopBottom) << true << true << true;
    QTest::newRow("cbNone") << int(cbNone) << false << false << false;
}

void TestCalendarDrawing::CellBorderStylesChooseTheirLines()
{
    QFETCH(int, style);
    QFETCH(bool, top);
    QFETCH(bool, inner);
    QFETCH(bool, bottom);
    TCalendarDrawRecord record = MonthRecord(6, 1997);
    record.CalendarBorder = cbNone;
    record.HeadersBorder = cbNone;
    record.CellBorder = TCalBorderStyle(style);
    const QImage image = Draw(record, [](QPainter& p, TCalendarDrawRecord& r) { DrawMonth(p, r, QString()); });
    QCOMPARE(HasLineAt(image, 229), top);
    QCOMPARE(HasLineAt(image, 229 + 133), inner);
    QCOMPARE(HasLineAt(image, 1029), bottom);
    // Vertical lines only with cbAll.
    QCOMPARE(image.pixelColor(26 + 109, 700) == QColor(Qt::black), style == cbAll);
}

void TestCalendarDrawing::MonthLinesStopBeforeTheirEndPoint_data()
{
    QTest::addColumn<int>("calendarBorder");
    QTest::addColumn<int>("headersBorder");
    QTest::addColumn<int>("cellBorder");
    QTest::addColumn<QList<QPoint>>("inked");
    QTest::addColumn<QList<QPoint>>("blank");
    // The calendar is (26, 26) - (789, 1029); the headers band runs from y 198 to 229, where the
    // day rows begin; rows are 133 high, columns 109 wide.
    QTest::newRow("calendar top edge") << int(cbTop) << int(cbNone) << int(cbNone) << QList<QPoint>{{26, 26}, {788, 26}}
                                       << QList<QPoint>{{789, 26}};
    QTest::newRow("calendar bottom edge") << int(cbBottom) << int(cbNone) << int(cbNone)
                                          << QList<QPoint>{{26, 1029}, {788, 1029}} << QList<QPoint>{{789, 1029}};
    QTest::newRow("calendar outline closes its corners")
        << int(cbAll) << int(cbNone) << int(cbNone) << QList<QPoint>{{26, 26}, {789, 26}, {789, 1029}, {26, 1029}}
        << QList<QPoint>{{790, 26}, {26, 1030}};
    QTest::newRow("headers top edge") << int(cbNone) << int(cbTop) << int(cbNone)
                                      << QList<QPoint>{{26, 198}, {788, 198}} << QList<QPoint>{{789, 198}};
    QTest::newRow("headers bottom edge") << int(cbNone) << int(cbBottom) << int(cbNone)
                                         << QList<QPoint>{{26, 229}, {788, 229}} << QList<QPoint>{{789, 229}};
    QTest::newRow("cell rows") << int(cbNone) << int(cbNone) << int(cbTopBottom)
                               << QList<QPoint>{{788, 229}, {788, 362}, {788, 1029}}
                               << QList<QPoint>{{789, 229}, {789, 362}, {789, 1029}};
    QTest::newRow("cell columns") << int(cbNone) << int(cbNone) << int(cbAll)
                                  << QList<QPoint>{{135, 1028}, {789, 1028}, {788, 1029}}
                                  << QList<QPoint>{{789, 1029}, {789, 228}};
}

// The canvas's lines leave their end point undrawn, so an edge drawn alone is one pixel shorter
// than the rectangle it belongs to.
void TestCalendarDrawing::MonthLinesStopBeforeTheirEndPoint()
{
    QFETCH(int, calendarBorder);
    QFETCH(int, headersBorder);
    QFETCH(int, cellBorder);
    QFETCH(QList<QPoint>, inked);
    QFETCH(QList<QPoint>, blank);
    TCalendarDrawRecord record = MonthRecord(6, 1997);
    record.CalendarBorder = TCalBorderStyle(calendarBorder);
    record.HeadersBorder = TCalBorderStyle(headersBorder);
    record.CellBorder = TCalBorderStyle(cellBorder);
    const QImage image = Draw(record, [](QPainter& p, TCalendarDrawRecord& r) { DrawMonth(p, r, QString()); });
    const auto at = [](QPoint point) { return QString("%1, %2").arg(point.x()).arg(point.y()); };
    for (const QPoint& point : inked)
        QVERIFY2(image.pixelColor(point) == QColor(Qt::black), qPrintable(at(point)));
    for (const QPoint& point : blank)
        QVERIFY2(image.pixelColor(point) == QColor(Qt::white), qPrintable(at(point)));
}

void TestCalendarDrawing::PlannerLinesStayInsideTheOutline_data()
{
    QTest::addColumn<int>("days");
    QTest::newRow("week") << 7;
    QTest::newRow("two weeks") << 14;
}

// The rows area (26, top) - (789, 1029) is outlined up to x 788 and y 1028; the row lines and
// the label column's line end on that outline.
void TestCalendarDrawing::PlannerLinesStayInsideTheOutline()
{
    QFETCH(int, days);
    TCalendarDrawRecord record = MonthRecord(1, 1997);
    record.Day = 5;
    record.PlannerDays = days;
    const QImage image = Draw(record, [](QPainter& p, TCalendarDrawRecord& r) { DrawWeekPlanner(p, r, QString()); });
    const int top = record.TitleRect.Bottom + 1;
    const int rh = (1029 - top) / (days + 1);
    const int xc = 26 + int(0.15 * (789 - 26));
    const QColor black(Qt::black), white(Qt::white);

    QCOMPARE(image.pixelColor(788, top), black);
    QCOMPARE(image.pixelColor(788, 1028), black);
    QCOMPARE(image.pixelColor(26, 1028), black);
    QCOMPARE(image.pixelColor(789, top), white);
    QCOMPARE(image.pixelColor(26, 1029), white);
    for (int k = 1; k <= days; ++k) {
        QCOMPARE(image.pixelColor(788, top + rh * k), black);
        QCOMPARE(image.pixelColor(789, top + rh * k), white);
    }
    QCOMPARE(image.pixelColor(xc, 1028), black);
    QCOMPARE(image.pixelColor(xc, 1029), white);
}

void TestCalendarDrawing::TitlesFollowOverrideAndYear()
{
    TCalendarDrawRecord record = MonthRecord(12, 1997);
    QCOMPARE(MonthTitle(record, QString()), QString("December 1997"));
    record.TitleShowYear = false;
    QCOMPARE(MonthTitle(record, QString()), QString("December"));
    QCOMPARE(MonthTitle(record, "Our Family"), QString("Our Family"));
}

void TestCalendarDrawing::WeekPlannerTitles_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("title");
    QTest::newRow("one month") << 1 << 5 << 1997 << "January 5-11, 1997";
    QTest::newRow("two months") << 1 << 29 << 1997 << "January 29 - February 4, 1997";
    QTest::newRow("two years") << 12 << 29 << 1997 << "December 29, 1997 - January 4, 1998";
}

void TestCalendarDrawing::WeekPlannerTitles()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, year);
    QFETCH(QString, title);
    TCalendarDrawRecord record = MonthRecord(month, year);
    record.Day = day;
    QCOMPARE(WeekPlannerLabels(record, QString()).Title, title);
    QCOMPARE(WeekPlannerLabels(record, "Mine").Title, QString("Mine"));
}

void TestCalendarDrawing::PlannerRowsAndLabels()
{
    TCalendarDrawRecord record = MonthRecord(1, 1997);
    record.Day = 5;
    record.PlannerDays = 14;
    record.HeadersStyle = dsWhole;
    const TPlannerLabels labels = WeekPlannerLabels(record, QString());
    QCOMPARE(labels.Upper.size(), 15);
    QCOMPARE(labels.Upper.first(), QString("Sunday"));
    QCOMPARE(labels.Lower.first(), QString("5 Jan"));
    QCOMPARE(labels.Upper.last(), QString("Notes"));
    QCOMPARE(labels.Lower.last(), QString());

    Draw(record, [](QPainter& p, TCalendarDrawRecord& r) { DrawWeekPlanner(p, r, QString()); });
    const int top = record.TitleRect.Bottom + 1;
    const int rh = (1029 - top) / 15;
    const int xc = 26 + int(0.15 * (789 - 26));
    QCOMPARE(record.Cells[0].Free, (TRect{xc + 4, top + 4, 789 - 4, top + rh - 4}));
    QCOMPARE(record.Cells[0].Whole, record.Cells[0].Free);
    QCOMPARE(record.Cells[0].Day, 5);
    QCOMPARE(record.Cells[7].Day, 12);
    QCOMPARE(record.Cells[13].Day, 18);
    QCOMPARE(record.Cells[14].Day, 0); // Notes
    QCOMPARE(record.Cells[14].Free.Bottom, 1029 - 4);
    QVERIFY(record.Cells[15].Free.IsEmpty());
}

void TestCalendarDrawing::DayPlannerCountsHours()
{
    TCalendarDrawRecord record = MonthRecord(1, 1997);
    record.Day = 5;
    record.PlannerRows = 15;
    record.StartTime = 8.0 / 24;
    const TPlannerLabels labels = DayPlannerLabels(record, QString());
    QCOMPARE(labels.Title, QString("Sunday, January 5, 1997"));
    QCOMPARE(labels.Upper.size(), 16);
    QCOMPARE(labels.Upper[0], QString("8:00 AM"));
    QCOMPARE(labels.Upper[4], QString("12:00 PM"));
    QCOMPARE(labels.Upper[5], QString("1:00 PM"));
    QCOMPARE(labels.Upper[14], QString("10:00 PM"));
    QCOMPARE(labels.Upper[15], QString("Notes"));

    record.StartTime = (20 * 60 + 30) / 1440.0;
    record.PlannerRows = 10;
    const TPlannerLabels late = DayPlannerLabels(record, QString());
    QCOMPARE(late.Upper[0], QString("8:30 PM"));
    QCOMPARE(late.Upper[4], QString("12:30 AM")); // past midnight the clock starts again
}

QObject* NewTestCalendarDrawing()
{
    return new TestCalendarDrawing;
}

#include "TestCalendarDrawing.moc"
