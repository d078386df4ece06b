// The metafile player against WMFs written record by record here: shapes, lines, text and DIBs
// drawn at the right places, the map modes and clip records, damaged records, and vector output
// in a PDF.

#include "../common/PdfTools.h"
#include "ImagingFixtures.h"
#include "imaging/WmfPlayer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TSamples = QList<std::pair<QPoint, QRgb>>;

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Yellow = qRgb(255, 255, 0);
const QRgb White = qRgb(255, 255, 255);
const QRect Box(0, 0, 100, 100);

QImage Played(const QByteArray& wmf, QSize size = {100, 100})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (!PlayWmf(painter, wmf, QRectF(QPointF(0, 0), QSizeF(size))))
        return {};
    return image;
}

// A red brush and no pen, selected, as objects 0 and 1.
TWmfBuilder RedNoPen()
{
    TWmfBuilder b;
    b.Brush(0, Red).Pen(5, 0, 0).Select(0).Select(1);
    return b;
}

int DarkPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

} // namespace

class TestWmfPlayer : public QObject {
    Q_OBJECT
private slots:
    void Draws_data();
    void Draws();
    void TextAtItsPlace();
    void TextStretchedOnOneAxis();
    void Header_data();
    void Header();
    void PlainGetsPlaceableHeader();
    void DamagedRecords_data();
    void DamagedRecords();
    void VectorInPdf();
};

void TestWmfPlayer::Draws_data()
{
    QTest::addColumn<QByteArray>("wmf");
    QTest::addColumn<TSamples>("samples");

    QTest::newRow("rectangle") << RedNoPen().Rectangle(10, 10, 50, 40).Placeable(Box)
                               << TSamples{{{30, 25}, Red}, {{60, 25}, White}, {{5, 5}, White}, {{30, 45}, White}};
    QTest::newRow("line")
        << TWmfBuilder().Pen(0, 5, Blue).Select(0).Record(0x0214, {50, 10}).Record(0x0213, {50, 90}).Placeable(Box)
        << TSamples{{{50, 50}, Blue}, {{20, 50}, Blue}, {{50, 40}, White}, {{95, 50}, White}};
    QTest::newRow("polyline")
        << TWmfBuilder().Pen(0, 5, Blue).Select(0).Polygon({{10, 20}, {90, 20}, {90, 80}}, 0x0325).Placeable(Box)
        << TSamples{{{50, 20}, Blue}, {{90, 50}, Blue}, {{50, 60}, White}};
    QTest::newRow("polygon") << TWmfBuilder()
                                    .Brush(0, Green)
                                    .Pen(5, 0, 0)
                                    .Select(0)
                                    .Select(1)
                                    .Polygon({{10, 10}, {90, 10}, {10, 90}})
                                    .Placeable(Box)
                             << TSamples{{{20, 20}, Green}, {{80, 80}, White}};
    // Two squares, one inside the other: with the alternate rule the inner one is a hole.
    QTest::newRow("poly-polygon with a hole")
        << RedNoPen()
               .Record(0x0538, {2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70})
               .Placeable(Box)
        << TSamples{{{20, 20}, Red}, {{50, 50}, White}, {{95, 95}, White}};
    QTest::newRow("ellipse") << RedNoPen().Record(0x0418, {90, 90, 10, 10}).Placeable(Box)
                             << TSamples{{{50, 50}, Red}, {{12, 12}, White}};
    QTest::newRow("round rectangle") << RedNoPen().Record(0x061C, {40, 40, 90, 90, 10, 10}).Placeable(Box)
                                     << TSamples{{{50, 50}, Red}, {{11, 11}, White}, {{50, 11}, Red}};
    // From three o'clock counter-clockwise to twelve: the upper right quarter.
    QTest::newRow("pie") << RedNoPen().Record(0x081A, {10, 50, 50, 90, 90, 90, 10, 10}).Placeable(Box)
                         << TSamples{{{70, 30}, Red}, {{30, 30}, White}, {{30, 70}, White}, {{70, 70}, White}};
    QTest::newRow("chord") << RedNoPen().Record(0x0830, {10, 50, 50, 90, 90, 90, 10, 10}).Placeable(Box)
                           << TSamples{{{70, 25}, Red}, {{55, 45}, White}};
    QTest::newRow("DIB stretched")
        << TWmfBuilder().StretchDib(QRect(0, 0, 100, 100), PackedDib24({{Red, Green}, {Blue, Yellow}})).Placeable(Box)
        << TSamples{{{25, 25}, Red}, {{75, 25}, Green}, {{25, 75}, Blue}, {{75, 75}, Yellow}};
    QTest::newRow("DIB bit blit")
        << TWmfBuilder()
               .Record(0x0940, {0x0020, 0x00CC, 0, 0, 2, 2, 60, 60}, PackedDib24({{Red, Green}, {Blue, Yellow}}))
               .Placeable(Box)
        << TSamples{{{60, 60}, Red}, {{61, 60}, Green}, {{60, 61}, Blue}, {{61, 61}, Yellow}, {{62, 62}, White}};
    QTest::newRow("window twice the box")
        << RedNoPen().WindowOrg(0, 0).WindowExt(200, 200).Rectangle(0, 0, 100, 100).Placeable(Box)
        << TSamples{{{25, 25}, Red}, {{45, 45}, Red}, {{75, 75}, White}, {{75, 25}, White}};
    QTest::newRow("window origin moved") << RedNoPen().WindowOrg(-50, -50).Rectangle(0, 0, 20, 20).Placeable(Box)
                                         << TSamples{{{60, 60}, Red}, {{40, 40}, White}, {{75, 75}, White}};
    QTest::newRow("viewport origin moved") << RedNoPen().Record(0x020D, {50, 50}).Rectangle(0, 0, 20, 20).Placeable(Box)
                                           << TSamples{{{60, 60}, Red}, {{40, 40}, White}};
    QTest::newRow("viewport extent halved")
        << RedNoPen().Record(0x0412, {2, 1, 2, 1}).Rectangle(0, 0, 100, 100).Placeable(Box)
        << TSamples{{{25, 25}, Red}, {{75, 75}, White}};
    // Isotropic: the smaller scale wins, so a 200 × 100 window keeps its aspect in a square.
    QTest::newRow("isotropic")
        << RedNoPen().Record(0x0103, {7}).WindowExt(200, 100).Rectangle(0, 0, 200, 100).Placeable(Box)
        << TSamples{{{50, 25}, Red}, {{50, 75}, White}};
    // Hundredths of an inch with y up, in a box of 100 units an inch: 1:1, upside down.
    QTest::newRow("lo-english, y up") << RedNoPen().Record(0x0103, {4}).Rectangle(10, -10, 30, -30).Placeable(Box, 100)
                                      << TSamples{{{20, 20}, Red}, {{20, 50}, White}};
    QTest::newRow("intersect clip")
        << RedNoPen().Record(0x0416, {100, 50, 0, 0}).Rectangle(0, 0, 100, 100).Placeable(Box)
        << TSamples{{{25, 50}, Red}, {{75, 50}, White}};
    QTest::newRow("exclude clip")
        << RedNoPen().Record(0x0415, {60, 60, 40, 40}).Rectangle(0, 0, 100, 100).Placeable(Box)
        << TSamples{{{20, 20}, Red}, {{50, 50}, White}, {{80, 80}, Red}};
    QTest::newRow("restore undoes a clip") << RedNoPen()
                                                  .Record(0x001E, {})
                                                  .Record(0x0416, {10, 10, 0, 0})
                                                  .Record(0x0127, {0xFFFF})
                                                  .Rectangle(0, 0, 100, 100)
                                                  .Placeable(Box)
                                           << TSamples{{{50, 50}, Red}};
    QTest::newRow("restore brings the brush back") << RedNoPen()
                                                          .Record(0x001E, {})
                                                          .Brush(0, Blue)
                                                          .Select(2)
                                                          .Record(0x0127, {0xFFFF})
                                                          .Rectangle(0, 0, 100, 100)
                                                          .Placeable(Box)
                                                   << TSamples{{{50, 50}, Red}};
    // Palette entries are red, green, blue, flags; a colour 0x01000002 is entry 2.
    QTest::newRow("palette colour") << TWmfBuilder()
                                           .Record(0x00F7, {0x300, 3, 0, 0, 0xFF00, 0, 0, 0x00FF})
                                           .Record(0x0234, {0})
                                           .Brush(0, 0)
                                           .Record(0x02FC, {0, 2, 0x0100, 0})
                                           .Pen(5, 0, 0)
                                           .Select(2)
                                           .Select(3)
                                           .Rectangle(0, 0, 100, 100)
                                           .Placeable(Box)
                                    << TSamples{{{50, 50}, Blue}};
    // A deleted object frees its slot: the next one created takes the lowest free slot.
    QTest::newRow("lowest free slot") << TWmfBuilder()
                                             .Pen(5, 0, 0)
                                             .Brush(0, Red)
                                             .Record(0x01F0, {0})
                                             .Brush(0, Green)
                                             .Select(0)
                                             .Select(1)
                                             .Pen(5, 0, 0)
                                             .Select(2)
                                             .Rectangle(0, 0, 100, 100)
                                             .Placeable(Box)
                                      << TSamples{{{50, 50}, Red}};
    QTest::newRow("hollow brush")
        << TWmfBuilder().Brush(1, Red).Pen(0, 4, Blue).Select(0).Select(1).Rectangle(10, 10, 90, 90).Placeable(Box)
        << TSamples{{{50, 50}, White}, {{10, 50}, Blue}};
    QTest::newRow("pattern fill")
        << TWmfBuilder().Brush(0, Green).Select(0).Record(0x061D, {0x0021, 0x00F0, 50, 100, 0, 0}).Placeable(Box)
        << TSamples{{{50, 25}, Green}, {{50, 75}, White}};
    QTest::newRow("escape skipped") << RedNoPen().Record(0x0626, {15, 4, 1, 2}).Rectangle(10, 10, 50, 40).Placeable(Box)
                                    << TSamples{{{30, 25}, Red}};
    QTest::newRow("box not at the origin")
        << RedNoPen().Rectangle(1000, 1000, 1050, 1100).Placeable(QRect(1000, 1000, 100, 100))
        << TSamples{{{25, 50}, Red}, {{75, 50}, White}};
}

void TestWmfPlayer::Draws()
{
    QFETCH(QByteArray, wmf);
    QFETCH(TSamples, samples);
    const QImage image = Played(wmf);
    QVERIFY(!image.isNull());
    for (const auto& [point, colour] : samples) {
        const QRgb actual = image.pixel(point) & 0xFFFFFF;
        QVERIFY2(actual == (colour & 0xFFFFFF), qPrintable(QString("(%1, %2): %3, expected %4")
                                                               .arg(point.x())
                                                               .arg(point.y())
                                                               .arg(actual, 6, 16)
                                                               .arg(colour & 0xFFFFFF, 6, 16)));
    }
}

void TestWmfPlayer::TextAtItsPlace()
{
    // 30 units high at (10, 10), aligned at the top left by default; the second text is aligned
    // at its right end with TA_RIGHT and its baseline with TA_BASELINE.
    const QByteArray wmf = TWmfBuilder()
                               .Font(-30, "Liberation Sans")
                               .Select(0)
                               .Record(0x0102, {1})
                               .TextOut(10, 10, "MMM")
                               .Record(0x012E, {2 | 24})
                               .TextOut(190, 190, "WW")
                               .Placeable(QRect(0, 0, 200, 200));
    const QImage image = Played(wmf, {200, 200});
    QVERIFY(DarkPixels(image, QRect(10, 10, 60, 30)) > 100);
    QVERIFY(DarkPixels(image, QRect(0, 0, 200, 8)) == 0);
    QVERIFY(DarkPixels(image, QRect(0, 45, 120, 100)) == 0);
    QVERIFY(DarkPixels(image, QRect(140, 160, 50, 30)) > 100);
    QVERIFY(DarkPixels(image, QRect(191, 0, 9, 200)) == 0);
    QVERIFY(DarkPixels(image, QRect(0, 193, 200, 7)) == 0);
}

// A picture shown far wider than tall still shows its text (filled as outlines), and one squeezed
// to a line of pixels plays without fault.
void TestWmfPlayer::TextStretchedOnOneAxis()
{
    const QByteArray wmf =
        TWmfBuilder().Font(-30, "Liberation Sans").Select(0).TextOut(10, 10, "MMM").Placeable(QRect(0, 0, 200, 200));
    const QImage wide = Played(wmf, {400, 50});
    QVERIFY(DarkPixels(wide, QRect(20, 2, 160, 9)) > 100);
    QVERIFY(DarkPixels(wide, QRect(0, 15, 400, 35)) == 0);
    // Letters 1800 pixels wide and under one high: FreeType cannot render them as glyphs.
    const QByteArray large = TWmfBuilder()
                                 .Font(-148, "Liberation Sans")
                                 .Select(0)
                                 .TextOut(10, 10, "Hello")
                                 .Placeable(QRect(0, 0, 1000, 1000));
    QVERIFY(!Played(large, {12300, 6}).isNull());
    QVERIFY(!Played(large, {6, 12300}).isNull());
}

void TestWmfPlayer::Header_data()
{
    QTest::addColumn<QByteArray>("wmf");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("placeable, 96 units an inch")
        << TWmfBuilder().Placeable(QRect(0, 0, 100, 50)) << QRect(0, 0, 100, 50) << QSize(100, 50);
    QTest::newRow("placeable, 1440 units an inch")
        << TWmfBuilder().Placeable(QRect(-720, 0, 1440, 2880), 1440) << QRect(-720, 0, 1440, 2880) << QSize(96, 192);
    QTest::newRow("plain: the first window")
        << TWmfBuilder().WindowOrg(5, 6).WindowExt(1440, 720).WindowExt(1, 1).Plain() << QRect(5, 6, 1440, 720)
        << QSize(96, 48);
}

void TestWmfPlayer::Header()
{
    QFETCH(QByteArray, wmf);
    QFETCH(QRect, bounds);
    QFETCH(QSize, pixels);
    const std::optional<TWmfHeader> header = ReadWmfHeader(wmf);
    QVERIFY(header);
    QCOMPARE(header->Bounds, bounds);
    QCOMPARE(WmfPixelSize(*header, 96), pixels);
}

void TestWmfPlayer::PlainGetsPlaceableHeader()
{
    const QByteArray plain = RedNoPen().WindowOrg(0, 0).WindowExt(400, 200).Rectangle(0, 0, 200, 200).Plain();
    const std::optional<QByteArray> placeable = PlaceableWmf(plain);
    QVERIFY(placeable);
    QCOMPARE(placeable->size(), plain.size() + 22);
    QVERIFY(placeable->endsWith(plain));
    int checksum = 0;
    for (int i = 0; i < 11; ++i)
        checksum ^= quint8(placeable->at(2 * i)) | (quint8(placeable->at(2 * i + 1)) << 8);
    QCOMPARE(checksum, 0); // the checksum word makes the XOR of all eleven words zero
    QCOMPARE(ReadWmfHeader(*placeable)->Bounds, QRect(0, 0, 400, 200));
    QCOMPARE(PlaceableWmf(*placeable), placeable);
    const QImage image = Played(*placeable, {100, 50});
    QCOMPARE(image.pixel(20, 25) & 0xFFFFFF, Red & 0xFFFFFF);
    QCOMPARE(image.pixel(70, 25) & 0xFFFFFF, White & 0xFFFFFF);
}

void TestWmfPlayer::DamagedRecords_data()
{
    QTest::addColumn<QByteArray>("wmf");
    QTest::addColumn<bool>("plays");
    const QByteArray good = RedNoPen().Rectangle(10, 10, 50, 40).Placeable(Box);
    const auto patched = [](QByteArray bytes, int offset, const QByteArray& with) {
        bytes.replace(offset, with.size(), with);
        return bytes;
    };
    // Each damaged record follows the red rectangle, which still shows.
    const auto after = [](const QByteArray& record) {
        TWmfBuilder b = RedNoPen();
        b.Rectangle(10, 10, 50, 40);
        return b.Placeable(Box).chopped(6) + record + QByteArray("\x03\0\0\0\0\0", 6);
    };
    TBytes hugeDib;
    hugeDib.U32(40).U32(30000).U32(30000).U16(1).U16(24).Zeros(24).Zeros(8);

    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("placeable header only") << good.left(22) << false;
    QTest::newRow("header of 8 words") << patched(good, 24, "\x08") << false;
    QTest::newRow("type 3") << patched(good, 22, "\x03") << false;
    QTest::newRow("empty box") << patched(good, 10, QByteArray("\0\0", 2)) << false;
    QTest::newRow("no units per inch") << patched(good, 14, QByteArray("\0\0", 2)) << false;
    QTest::newRow("plain without a window") << RedNoPen().Plain() << false;
    QTest::newRow("record of no words") << after(QByteArray("\0\0\0\0\x1B\x04", 6)) << true;
    QTest::newRow("record beyond the end") << after(QByteArray("\xFF\xFF\0\0\x1B\x04\0\0", 8)) << true;
    QTest::newRow("record cut short") << good.chopped(6) + QByteArray("\x07\0\0\0\x1B\x04\x10", 7) << true;
    QTest::newRow("more points than the record holds")
        << after(QByteArray("\x05\0\0\0\x24\x03\xFF\x7F\0\0", 10)) << true;
    QTest::newRow("negative point count") << after(QByteArray("\x05\0\0\0\x25\x03\xFF\xFF\0\0", 10)) << true;
    QTest::newRow("more polygons than the record holds")
        << after(QByteArray("\x05\0\0\0\x38\x05\xFF\xFF\0\0", 10)) << true;
    QTest::newRow("polygon counts beyond the points")
        << after(QByteArray("\x06\0\0\0\x38\x05\x01\0\xFF\xFF", 10)) << true;
    QTest::newRow("text longer than the record") << after(QByteArray("\x05\0\0\0\x21\x05\xFF\x7F\0\0", 10)) << true;
    QTest::newRow("extended text longer than the record")
        << after(QByteArray("\x07\0\0\0\x32\x0A\0\0\0\0\xFF\x7F\x06\0", 14)) << true;
    QTest::newRow("font record cut short") << after(QByteArray("\x04\0\0\0\xFB\x02\x10\0", 8)) << true;
    QTest::newRow("palette longer than the record") << after(QByteArray("\x05\0\0\0\xF7\0\0\x03\xFF\x7F", 10)) << true;
    QTest::newRow("select beyond the table") << after(QByteArray("\x04\0\0\0\x2D\x01\xFF\xFF", 8)) << true;
    QTest::newRow("delete beyond the table") << after(QByteArray("\x04\0\0\0\xF0\x01\xFF\xFF", 8)) << true;
    QTest::newRow("restore without a save") << after(QByteArray("\x04\0\0\0\x27\x01\xFF\xFF", 8)) << true;
    QTest::newRow("restore to save 5000") << after(QByteArray("\x04\0\0\0\x27\x01\x88\x13", 8)) << true;
    QTest::newRow("window extent scaled by 0/0") << after(QByteArray("\x07\0\0\0\x10\x04\0\0\0\0\0\0\0\0", 14)) << true;
    QTest::newRow("window extent of 0") << after(QByteArray("\x05\0\0\0\x0C\x02\0\0\0\0", 10)) << true;
    QTest::newRow("map mode 99") << after(QByteArray("\x04\0\0\0\x03\x01\x63\0", 8)) << true;
    QTest::newRow("DIB of 30000 × 30000 from a few bytes")
        << after(TWmfBuilder().StretchDib(QRect(0, 0, 10, 10), hugeDib.Data).Plain().mid(18).chopped(6)) << true;
    QTest::newRow("DIB without bits") << after(QByteArray("\x0E\0\0\0\x43\x0F", 6) + QByteArray(22, '\0')) << true;
    QTest::newRow("pattern brush of a broken DIB")
        << after(QByteArray("\x06\0\0\0\x42\x01\x05\0\0\0\x28\0", 12)) << true;
}

void TestWmfPlayer::DamagedRecords()
{
    QFETCH(QByteArray, wmf);
    QFETCH(bool, plays);
    const QImage image = Played(wmf);
    QCOMPARE(!image.isNull(), plays);
    if (plays)
        QCOMPARE(image.pixel(30, 25) & 0xFFFFFF, Red & 0xFFFFFF);
}

void TestWmfPlayer::VectorInPdf()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("wmf.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(96);
        QPainter painter(&writer);
        const QByteArray wmf = RedNoPen()
                                   .Record(0x0418, {90, 90, 10, 10})
                                   .Font(-12, "Liberation Sans")
                                   .Select(2)
                                   .TextOut(10, 40, "Vector clip art")
                                   .Placeable(Box);
        QVERIFY(PlayWmf(painter, wmf, QRectF(0, 0, 400, 400)));
    }
    QVERIFY2(PdfText(pdf).contains("Vector clip art"), "pdftotext (poppler-utils) found no text");
    const QStringList lines = RunTool("pdfimages", {"-list", pdf}).trimmed().split('\n');
    QCOMPARE(lines.size(), 2); // the two heading lines: no image in the page
}

QObject* NewTestWmfPlayer()
{
    return new TestWmfPlayer;
}

#include "TestWmfPlayer.moc"
