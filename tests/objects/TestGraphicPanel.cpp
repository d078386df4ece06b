// The bevelled dialog panel: frame, outer bevel, border and inner bevel at the right pixels for
// each style, and its caption aligned as asked.

#include "objects/GraphicPanel.h"

#include <QPainter>
#include <QtTest>

namespace {

QImage Drawn(const TGraphicPanel& panel)
{
    QImage image(panel.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    panel.Draw(painter, panel.size());
    return image;
}

} // namespace

class TestGraphicPanel : public QObject {
    Q_OBJECT
private slots:
    void CreationValues();
    void Edges_data();
    void Edges();
    void CaptionAlignment_data();
    void CaptionAlignment();
};

void TestGraphicPanel::CreationValues()
{
    TGraphicPanel panel;
    QCOMPARE(panel.size(), QSize(185, 41));
    QCOMPARE(panel.Alignment(), taCenter);
    QCOMPARE(panel.BevelOuter(), bvRaised);
    QCOMPARE(panel.BevelInner(), bvNone);
    QCOMPARE(panel.BevelWidth(), 1);
    QCOMPARE(panel.BorderWidth(), 0);
    QCOMPARE(panel.BorderStyle(), bsNone);
}

void TestGraphicPanel::Edges_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("borderWidth");
    // The colours along the top edge, from the outside in: k black, l light, d dark, c colour.
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("bottom");
    QTest::newRow("raised") << int(bsNone) << int(bvRaised) << int(bvNone) << 1 << 0 << "lcc"
                            << "dcc";
    QTest::newRow("lowered") << int(bsNone) << int(bvLowered) << int(bvNone) << 1 << 0 << "dcc"
                             << "lcc";
    QTest::newRow("framed, raised twice as wide") << int(bsSingle) << int(bvRaised) << int(bvNone) << 2 << 0 << "kllc"
                                                  << "kddc";
    QTest::newRow("raised, border 2, lowered inside")
        << int(bsNone) << int(bvRaised) << int(bvLowered) << 1 << 2 << "lccdc"
        << "dcclc";
    QTest::newRow("no bevels") << int(bsNone) << int(bvNone) << int(bvNone) << 1 << 0 << "ccc"
                               << "ccc";
}

void TestGraphicPanel::Edges()
{
    QFETCH(int, frame);
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    QFETCH(QString, top);
    QFETCH(QString, bottom);
    TGraphicPanel panel;
    panel.resize(40, 30);
    panel.SetColor(Qt::cyan);
    panel.SetBorderStyle(TBorderStyle(frame));
    panel.SetBevelOuter(TPanelBevel(outer));
    panel.SetBevelInner(TPanelBevel(inner));
    panel.SetBevelWidth(bevelWidth);
    panel.SetBorderWidth(borderWidth);
    const QImage image = Drawn(panel);
    const auto name = [&panel](QColor colour) {
        // By their 8-bit values: palette colours may carry finer ones.
        const QRgb rgb = colour.rgb();
        if (rgb == qRgb(0, 0, 0))
            return 'k';
        if (rgb == panel.palette().color(QPalette::Light).rgb())
            return 'l';
        if (rgb == panel.palette().color(QPalette::Dark).rgb())
            return 'd';
        return rgb == QColor(Qt::cyan).rgb() ? 'c' : '?';
    };
    QString actualTop;
    QString actualBottom;
    for (int i = 0; i < top.size(); ++i) {
        actualTop += name(image.pixelColor(20, i));
        actualBottom += name(image.pixelColor(20, 29 - i));
    }
    QCOMPARE(actualTop, top);
    QCOMPARE(actualBottom, bottom);
}

void TestGraphicPanel::CaptionAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("firstInk"); // the column range where the caption's first ink falls
    QTest::addColumn<int>("lastInk");
    QTest::newRow("left") << int(taLeftJustify) << 0 << 30;
    QTest::newRow("centre") << int(taCenter) << 60 << 120;
    QTest::newRow("right") << int(taRightJustify) << 130 << 200;
}

void TestGraphicPanel::CaptionAlignment()
{
    QFETCH(int, alignment);
    QFETCH(int, firstInk);
    QFETCH(int, lastInk);
    TGraphicPanel panel;
    panel.resize(200, 40);
    panel.SetColor(Qt::white);
    panel.SetBevelOuter(bvNone);
    panel.SetCaption("WW");
    panel.SetAlignment(TAlignment(alignment));
    const QImage image = Drawn(panel);
    int first = -1;
    int top = -1;
    int bottom = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                top = top < 0 ? y : qMin(top, y);
                bottom = qMax(bottom, y);
            }
    QVERIFY2(first >= firstInk && first <= lastInk, qPrintable(QString::number(first)));
    // Vertically centred: as much room above the ink as below it, within two pixels.
    QVERIFY(qAbs(top - (image.height() - 1 - bottom)) <= 2);
}

QObject* NewTestGraphicPanel()
{
    return new TestGraphicPanel;
}

#include "TestGraphicPanel.moc"
