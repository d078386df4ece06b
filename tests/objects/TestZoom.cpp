// The zoom in whole percent: what the preferences store and the steps of the zoom buttons.

#include "objects/Zoom.h"

#include <QtTest>

class TestZoom : public QObject {
    Q_OBJECT

private slots:
    void StoredPercentIsATenthFrom20To100_data();
    void StoredPercentIsATenthFrom20To100();
    void StepsStayInTheirRange_data();
    void StepsStayInTheirRange();
};

void TestZoom::StoredPercentIsATenthFrom20To100_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("expected");
    for (const auto& [percent, expected] : {std::pair{-5, 20},
                                            {0, 20},
                                            {29, 20},
                                            {30, 30},
                                            {39, 30},
                                            {45, 40},
                                            {59, 50},
                                            {60, 60},
                                            {89, 80},
                                            {99, 90},
                                            {100, 100},
                                            {250, 100}})
        QTest::addRow("%d", percent) << percent << expected;
}

void TestZoom::StoredPercentIsATenthFrom20To100()
{
    QFETCH(int, percent);
    QFETCH(int, expected);
    const TZoom zoom = TZoom::Stored(percent);
    QCOMPARE(zoom.Percent(), expected);
    // Through the host's factor and back, also from a factor just off the tenth.
    QCOMPARE(TZoom::OfFactor(zoom.Factor()).StoredPercent(), expected);
    QCOMPARE(TZoom::OfFactor(zoom.Factor() + 0.04f).StoredPercent(), expected);
    QCOMPARE(TZoom::OfFactor(zoom.Factor() - 0.004f).StoredPercent(), expected);
}

void TestZoom::StepsStayInTheirRange_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("page middle") << false << 80 << 90 << 70;
    QTest::newRow("page top") << false << 100 << 100 << 90;
    QTest::newRow("page bottom") << false << 60 << 70 << 60;
    QTest::newRow("preview bottom") << true << 20 << 30 << 20;
    QTest::newRow("preview top") << true << 100 << 100 << 90;
}

void TestZoom::StepsStayInTheirRange()
{
    QFETCH(bool, preview);
    QFETCH(int, percent);
    QFETCH(int, in);
    QFETCH(int, out);
    const TZoomRange range = preview ? TZoom::PreviewRange : TZoom::PageRange;
    QCOMPARE(TZoom(percent).In(range).Percent(), in);
    QCOMPARE(TZoom(percent).Out(range).Percent(), out);
}

QObject* NewTestZoom()
{
    return new TestZoom;
}

#include "TestZoom.moc"
