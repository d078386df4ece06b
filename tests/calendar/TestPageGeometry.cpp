// Page geometry of the layouts, and the date arithmetic behind the month grid.

#include "calendar/CalendarDates.h"
#include "calendar/PageGeometry.h"

#include <QtTest>

Q_DECLARE_METATYPE(TCalendarLayout)

namespace {

TPageGeometry Layout(TCalendarLayout layout, int month = 1, int year = 1999, bool a4 = false)
{
    TCalendarSettings settings;
    settings.CalendarLayout = layout;
    settings.MainCalMonth = month;
    settings.MainCalYear = year;
    settings.UseA4Paper = a4;
    return ComputePageGeometry(settings, 96, TPageGeometry());
}

QString MonthsOf(const TPageGeometry& geometry, int first, int last)
{
    QStringList months;
    for (int k = first; k <= last; ++k)
        months += QString("%1/%2").arg(geometry.Minis[k - 1].Month).arg(geometry.Minis[k - 1].Year);
    return months.join(' ');
}

} // namespace

class TestPageGeometry : public QObject {
    Q_OBJECT

private slots:
    void PageSizeAndOrientationFollowTheLayout_data();
    void PageSizeAndOrientationFollowTheLayout();
    void FlagsCountsAndPresets_data();
    void FlagsCountsAndPresets();
    void MinisInTitleSitInTheTopCorners();
    void MiniMonthsRunAroundTheMainMonth();
    void GridsReachTheFarEdges_data();
    void GridsReachTheFarEdges();
    void MultiMonthPagesKeepTheMainRectangle();
    void WeekdaysAndMonthLengths();
    void DayOneLandsByStartOfWeek_data();
    void DayOneLandsByStartOfWeek();
    void AddMonthsCrossesYears();
};

void TestPageGeometry::PageSizeAndOrientationFollowTheLayout_data()
{
    QTest::addColumn<TCalendarLayout>("layout");
    QTest::addColumn<bool>("a4");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("orientation");
    QTest::newRow("letter portrait") << loFullCalendar << false << 816 << 1056 << int(coPortrait);
    QTest::newRow("letter landscape") << LOFullCalendarLS << false << 1056 << 816 << int(coLandscape);
    QTest::newRow("A4 landscape") << LOFullCalendarLS << true << 1122 << 793 << int(coLandscape);
    QTest::newRow("A4 portrait") << loMC24Month << true << 793 << 1122 << int(coPortrait);
    QTest::newRow("60 months landscape") << loMC60MonthLS << false << 1056 << 816 << int(coLandscape);
    QTest::newRow("planner") << loDay15 << false << 816 << 1056 << int(coPortrait);
}

void TestPageGeometry::PageSizeAndOrientationFollowTheLayout()
{
    QFETCH(TCalendarLayout, layout);
    QFETCH(bool, a4);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, orientation);
    const TPageGeometry g = Layout(layout, 1, 1999, a4);
    QCOMPARE(g.Width, width);
    QCOMPARE(g.Height, height);
    QCOMPARE(int(g.Orientation), orientation);
}

void TestPageGeometry::FlagsCountsAndPresets_data()
{
    QTest::addColumn<TCalendarLayout>("layout");
    QTest::addColumn<bool>("monthGrid");
    QTest::addColumn<bool>("minis");
    QTest::addColumn<bool>("planner");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("preset");
    QTest::newRow("full") << loFullCalendar << true << false << false << 0 << 0;
    QTest::newRow("minis in title") << loFCMinisInTitleLS << true << true << false << 2 << 10;
    QTest::newRow("6 before 6 after") << loFC6Before6After << true << true << false << 12 << 10;
    QTest::newRow("12 after LS") << loFC12AfterLS << true << true << false << 12 << 10;
    QTest::newRow("6 months") << lopMC6Month << false << true << false << 6 << 18;
    QTest::newRow("12 months LS") << loMC12MonthLS << false << true << false << 12 << 18;
    QTest::newRow("24 months") << loMC24Month << false << true << false << 24 << 12;
    QTest::newRow("48 months") << loMC48MonthLS << false << true << false << 48 << 10;
    QTest::newRow("60 months") << loMC60Month << false << true << false << 60 << 8;
    QTest::newRow("week") << loWeek << false << false << true << 0 << 0;
    QTest::newRow("15 days") << loDay15 << false << false << true << 0 << 0;
}

void TestPageGeometry::FlagsCountsAndPresets()
{
    QFETCH(TCalendarLayout, layout);
    QFETCH(bool, monthGrid);
    QFETCH(bool, minis);
    QFETCH(bool, planner);
    QFETCH(int, count);
    QFETCH(int, preset);
    const TPageGeometry g = Layout(layout);
    QCOMPARE(g.ShowsMonthGrid, monthGrid);
    QCOMPARE(g.ShowsMinis, minis);
    QCOMPARE(g.IsPlanner, planner);
    QCOMPARE(int(g.Minis.size()), count);
    QCOMPARE(g.MiniFontPreset, preset);
    if (!minis && !monthGrid)
        QCOMPARE(g.Main, (TRect{26, 26, 790, 1030})); // planners use the printable area
}

void TestPageGeometry::MinisInTitleSitInTheTopCorners()
{
    const TPageGeometry g = Layout(loFCMinisInTitle);
    QCOMPARE(g.Main, (TRect{26, 26, 790, 1030}));
    // e = 96 div 8 = 12; 1.5 inch = 144 pixels.
    QCOMPARE(g.Minis[0].Rect, (TRect{38, 38, 158, 158}));
    QCOMPARE(g.Minis[1].Rect, (TRect{658, 38, 778, 158}));
    QCOMPARE(MonthsOf(g, 1, 2), QString("12/1998 2/1999"));
}

void TestPageGeometry::MiniMonthsRunAroundTheMainMonth()
{
    QCOMPARE(MonthsOf(Layout(lopMC6Month, 11, 1998), 1, 6), QString("11/1998 12/1998 1/1999 2/1999 3/1999 4/1999"));
    const TPageGeometry around = Layout(loFC6Before6After, 1, 1999);
    QCOMPARE(MonthsOf(around, 1, 6), QString("7/1998 8/1998 9/1998 10/1998 11/1998 12/1998"));
    QCOMPARE(MonthsOf(around, 7, 12), QString("2/1999 3/1999 4/1999 5/1999 6/1999 7/1999"));
    QCOMPARE(MonthsOf(Layout(loFC12After, 3, 2000), 1, 3), QString("4/2000 5/2000 6/2000"));

    // The 1.3-inch strips leave the main month between them; the 12-after strip reaches 2 pixels
    // into the bottom margin.
    QCOMPARE(around.Main, (TRect{26, 148 + 2, 790, 1056 - 148 - 2})); // px(0.25 + 1.3) = 148
    const TPageGeometry after = Layout(loFC12After);
    QCOMPARE(after.Main, (TRect{26, 26, 790, 1056 - 302 - 2}));
    QCOMPARE(after.Minis[11].Rect.Bottom, 1056 - 24 + 2);
    QCOMPARE(after.Minis[11].Rect.Right, 790);
}

void TestPageGeometry::GridsReachTheFarEdges_data()
{
    QTest::addColumn<TCalendarLayout>("layout");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("cellWidth");
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<int>("secondRowTop");
    // The area inside the 26-pixel margins is 764 x 1004 (portrait) or 1004 x 764; gaps are one
    // hundredth of it (7 or 10 pixels) and cells take the rest, truncated.
    QTest::newRow("60 portrait") << loMC60Month << 10 << 6 << 121 << 91 << 127;
    QTest::newRow("60 landscape") << loMC60MonthLS << 6 << 10 << 91 << 121 << 154;
    QTest::newRow("24 portrait") << loMC24Month << 6 << 4 << 185 << 159 << 195;
    // Of two rows the second is the last: it ends on the bottom edge (790 - 378).
    QTest::newRow("6 landscape") << lopMC6MonthLS << 2 << 3 << 328 << 378 << 412;
}

void TestPageGeometry::GridsReachTheFarEdges()
{
    QFETCH(TCalendarLayout, layout);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, cellWidth);
    QFETCH(int, cellHeight);
    QFETCH(int, secondRowTop);
    const TPageGeometry g = Layout(layout);
    const TRect A{26, 26, g.Width - 26, g.Height - 26};
    for (int k = 0; k < rows * cols; ++k) {
        const TRect& r = g.Minis[k].Rect;
        QCOMPARE(r.Width(), cellWidth);
        QCOMPARE(r.Height(), cellHeight);
        const int row = k / cols, col = k % cols;
        if (col == cols - 1)
            QCOMPARE(r.Right, A.Right);
        if (row == rows - 1)
            QCOMPARE(r.Bottom, A.Bottom);
        if (col == 0)
            QCOMPARE(r.Left, A.Left);
        if (row == 0)
            QCOMPARE(r.Top, A.Top);
    }
    QCOMPARE(g.Minis[cols].Rect.Top, secondRowTop);
}

void TestPageGeometry::MultiMonthPagesKeepTheMainRectangle()
{
    TPageGeometry previous;
    previous.Main = {1, 2, 3, 4};
    TCalendarSettings settings;
    settings.CalendarLayout = loMC12Month;
    QCOMPARE(ComputePageGeometry(settings, 96, previous).Main, (TRect{1, 2, 3, 4}));
}

void TestPageGeometry::WeekdaysAndMonthLengths()
{
    QCOMPARE(DayOfWeek(1, 6, 1997), 1); // a Sunday
    QCOMPARE(DayOfWeek(5, 1, 1997), 1);
    QCOMPARE(DayOfWeek(1, 1, 2000), 7); // a Saturday
    QCOMPARE(DayOfWeek(29, 2, 2000), 3);
    QCOMPARE(DaysInMonth(2, 2000), 29);
    QCOMPARE(DaysInMonth(2, 1996), 29);
    QCOMPARE(DaysInMonth(2, 1900), 28);
    QCOMPARE(DaysInMonth(2, 2100), 28);
    QCOMPARE(DaysInMonth(12, 1999), 31);
    QCOMPARE(DaysInMonth(13, 1999), 0);
}

void TestPageGeometry::DayOneLandsByStartOfWeek_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("startOfWeek");
    QTest::addColumn<int>("cellOfDayOne");
    QTest::addColumn<int>("lastCellWithADay");
    QTest::newRow("Sunday month, Sunday start") << 6 << 1997 << 1 << 1 << 30;
    QTest::newRow("Sunday month, Monday start") << 6 << 1997 << 2 << 7 << 36;
    QTest::newRow("start 0 means Monday") << 6 << 1997 << 0 << 7 << 36;
    QTest::newRow("start 7 means Monday") << 6 << 1997 << 7 << 7 << 36;
    QTest::newRow("Saturday month uses six rows") << 3 << 1997 << 1 << 7 << 37;
    QTest::newRow("leap February") << 2 << 2000 << 1 << 3 << 31;
}

void TestPageGeometry::DayOneLandsByStartOfWeek()
{
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, startOfWeek);
    QFETCH(int, cellOfDayOne);
    QFETCH(int, lastCellWithADay);
    int numbered = 0;
    for (int cell = 1; cell <= 42; ++cell) {
        const int day = DayOfGridCell(cell, month, year, startOfWeek);
        if (day == 1)
            QCOMPARE(cell, cellOfDayOne);
        if (day > 0) {
            ++numbered;
            QCOMPARE(day, cell - cellOfDayOne + 1);
            QVERIFY(cell <= lastCellWithADay);
        }
    }
    QCOMPARE(numbered, DaysInMonth(month, year));
    QCOMPARE(DayOfGridCell(lastCellWithADay, month, year, startOfWeek), DaysInMonth(month, year));
}

void TestPageGeometry::AddMonthsCrossesYears()
{
    int month = 11, year = 1998;
    AddMonths(month, year, 3);
    QCOMPARE(QPoint(month, year), QPoint(2, 1999));
    AddMonths(month, year, -14);
    QCOMPARE(QPoint(month, year), QPoint(12, 1997));
    AddMonths(month, year, 0);
    QCOMPARE(QPoint(month, year), QPoint(12, 1997));
}

QObject* NewTestPageGeometry()
{
    return new TestPageGeometry;
}

#include "TestPageGeometry.moc"
