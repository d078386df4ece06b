// The PCX and TGA decoders against pictures written byte by byte here, every depth and coding
// they take, and tables of damaged files; the file-type classification of the picture browser.

#include "ImagingFixtures.h"
#include "imaging/ImageFile.h"
#include "imaging/PcxDecoder.h"
#include "imaging/TgaDecoder.h"

#include <QtTest>
#include <functional>

namespace {

using TPixelValue = std::function<quint32(int x, int y)>;

QList<QRgb> SixteenColours()
{
    QList<QRgb> colours;
    for (int i = 0; i < 16; ++i)
        colours.append(qRgb(i * 16, 255 - i * 15, (i * 77) % 256));
    return colours;
}

QList<QRgb> GreyRamp256()
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours.append(qRgb(255 - i, i, i / 2));
    return colours;
}

QByteArray PcxRle(const QByteArray& raw)
{
    QByteArray out;
    for (qsizetype i = 0; i < raw.size();) {
        qsizetype run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        const uchar byte = uchar(raw[i]);
        if (run > 1 || byte >= 0xC0)
            out.append(char(0xC0 | run));
        out.append(char(byte));
        i += run;
    }
    return out;
}

// A PCX of `width` × `height`: `value` gives a palette index, or an ARGB colour for 3 and 4
// planes of 8 bits.
QByteArray Pcx(int bits, int planes, int width, int height, const TPixelValue& value, bool rle,
               const QList<QRgb>& headerPalette, const QList<QRgb>& palette256 = {})
{
    const int bytesPerLine = ((width * bits + 7) / 8 + 1) / 2 * 2;
    QByteArray lines;
    for (int y = 0; y < height; ++y) {
        for (int plane = 0; plane < planes; ++plane) {
            QByteArray line(bytesPerLine, '\0');
            for (int x = 0; x < width; ++x) {
                const quint32 v = value(x, y);
                if (bits == 8 && planes >= 3) {
                    const int shifts[] = {16, 8, 0, 24};
                    line[x] = char((v >> shifts[plane]) & 0xFF);
                } else if (bits == 1) {
                    line[x / 8] = char(line[x / 8] | (((v >> plane) & 1) << (7 - x % 8)));
                } else {
                    const int perByte = 8 / bits;
                    line[x / perByte] = char(line[x / perByte] | (v << ((perByte - 1 - x % perByte) * bits)));
                }
            }
            lines.append(line);
        }
    }
    TBytes b;
    b.U8(0x0A).U8(5).U8(rle ? 1 : 0).U8(bits).U16(0).U16(0).U16(width - 1).U16(height - 1).U16(72).U16(72);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < headerPalette.size() ? headerPalette[i] : 0;
        b.U8(qRed(c)).U8(qGreen(c)).U8(qBlue(c));
    }
    b.U8(0).U8(planes).U16(bytesPerLine).U16(1).Zeros(58);
    b.Raw(rle ? PcxRle(lines) : lines);
    if (!palette256.isEmpty()) {
        b.U8(0x0C);
        for (const QRgb c : palette256)
            b.U8(qRed(c)).U8(qGreen(c)).U8(qBlue(c));
    }
    return b.Data;
}

QImage Expected(int width, int height, const TPixelValue& value, const QList<QRgb>& palette)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, palette.isEmpty() ? value(x, y) : palette[int(value(x, y))]);
    return image;
}

// Compares colours and alpha pixel by pixel.
bool SamePixels(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return false;
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage e = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != e.pixel(x, y)) {
                qWarning("pixel (%d, %d): %08x, expected %08x", x, y, a.pixel(x, y), e.pixel(x, y));
                return false;
            }
    return true;
}

enum TTgaOrigin { BottomLeft = 0, TopLeft = 0x20, TopRight = 0x30 };

QByteArray TgaRle(const QList<QByteArray>& pixels)
{
    QByteArray out;
    for (qsizetype i = 0; i < pixels.size();) {
        qsizetype run = 1;
        while (i + run < pixels.size() && pixels[i + run] == pixels[i] && run < 128)
            ++run;
        if (run > 1) {
            out.append(char(0x80 | (run - 1)));
            out.append(pixels[i]);
            i += run;
            continue;
        }
        qsizetype raw = 1;
        while (i + raw < pixels.size() && raw < 128 &&
               (i + raw + 1 >= pixels.size() || pixels[i + raw] != pixels[i + raw + 1]))
            ++raw;
        out.append(char(raw - 1));
        for (qsizetype k = 0; k < raw; ++k)
            out.append(pixels[i + k]);
        i += raw;
    }
    return out;
}

// A TGA of `type`; `pixel` gives the bytes of the pixel shown at (x, y).
QByteArray Tga(int type, int pixelBits, int width, int height, int descriptor,
               const std::function<QByteArray(int, int)>& pixel, const QByteArray& colourMap = {}, int mapLength = 0,
               int mapBits = 0)
{
    TBytes b;
    b.U8(3)
        .U8(colourMap.isEmpty() ? 0 : 1)
        .U8(type)
        .U16(0)
        .U16(mapLength)
        .U8(mapBits)
        .U16(0)
        .U16(0)
        .U16(width)
        .U16(height)
        .U8(pixelBits)
        .U8(descriptor);
    b.Raw("abc").Raw(colourMap);
    QList<QByteArray> pixels;
    for (int row = 0; row < height; ++row) {
        const int y = descriptor & 0x20 ? row : height - 1 - row;
        for (int col = 0; col < width; ++col)
            pixels.append(pixel(descriptor & 0x10 ? width - 1 - col : col, y));
    }
    if (type >= 9)
        b.Raw(TgaRle(pixels));
    else
        for (const QByteArray& p : pixels)
            b.Raw(p);
    return b.Data;
}

QByteArray Bgr(QRgb c, bool withAlpha = false)
{
    QByteArray bytes;
    bytes.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
    if (withAlpha)
        bytes.append(char(qAlpha(c)));
    return bytes;
}

QRgb Pattern(int x, int y)
{
    return qRgb((x * 40) % 256, (y * 90) % 256, ((x + y) * 25) % 256);
}

} // namespace

class TestDecoders : public QObject {
    Q_OBJECT
private slots:
    void Pcx_data();
    void Pcx();
    void PcxDamaged_data();
    void PcxDamaged();
    void Tga_data();
    void Tga();
    void TgaDamaged_data();
    void TgaDamaged();
    void FileType_data();
    void FileType();
    void QtFormatsDamaged_data();
    void QtFormatsDamaged();
};

void TestDecoders::Pcx_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QImage>("expected");
    const QList<QRgb> sixteen = SixteenColours();
    const QList<QRgb> ramp = GreyRamp256();
    const TPixelValue checker = [](int x, int y) { return quint32((x + y) % 2); };
    const TPixelValue index16 = [](int x, int y) { return quint32((x * 3 + y * 5) % 16); };
    const TPixelValue index4 = [](int x, int y) { return quint32((x + 2 * y) % 4); };
    const TPixelValue index256 = [](int x, int y) { return quint32((x * 37 + y * 101) % 256); };
    const TPixelValue rgb = [](int x, int y) { return quint32(Pattern(x, y)); };
    const TPixelValue argb = [](int x, int y) { return quint32(qRgba(x * 20, y * 30, 200, (x * 50 + 5) % 256)); };
    const TPixelValue solid = [](int, int) { return quint32(qRgb(10, 20, 30)); };
    const QList<QRgb> blackWhite{qRgb(0, 0, 0), qRgb(255, 255, 255)};

    QTest::newRow("1 bit, empty palette: black and white")
        << ::Pcx(1, 1, 11, 3, checker, false, {}) << Expected(11, 3, checker, blackWhite);
    QTest::newRow("1 bit, run-length coded")
        << ::Pcx(1, 1, 11, 3, checker, true, {}) << Expected(11, 3, checker, blackWhite);
    QTest::newRow("1 bit, header palette") << ::Pcx(1, 1, 9, 2, checker, false, {qRgb(255, 0, 0), qRgb(0, 0, 255)})
                                           << Expected(9, 2, checker, {qRgb(255, 0, 0), qRgb(0, 0, 255)});
    QTest::newRow("1 bit in 4 planes: 16 colours")
        << ::Pcx(1, 4, 13, 4, index16, true, sixteen) << Expected(13, 4, index16, sixteen);
    QTest::newRow("2 bits") << ::Pcx(2, 1, 7, 3, index4, false, sixteen) << Expected(7, 3, index4, sixteen);
    QTest::newRow("4 bits") << ::Pcx(4, 1, 7, 3, index16, true, sixteen) << Expected(7, 3, index16, sixteen);
    QTest::newRow("8 bits, palette at the end")
        << ::Pcx(8, 1, 9, 5, index256, true, {}, ramp) << Expected(9, 5, index256, ramp);
    QTest::newRow("8 bits, uncompressed")
        << ::Pcx(8, 1, 9, 5, index256, false, {}, ramp) << Expected(9, 5, index256, ramp);
    QTest::newRow("24 bits in 3 planes") << ::Pcx(8, 3, 6, 4, rgb, true, {}) << Expected(6, 4, rgb, {});
    QTest::newRow("32 bits in 4 planes, alpha") << ::Pcx(8, 4, 5, 3, argb, true, {}) << Expected(5, 3, argb, {});
    // One colour everywhere: the runs of 63 bytes cross the ends of planes and lines.
    QTest::newRow("runs across lines") << ::Pcx(8, 3, 100, 7, solid, true, {}) << Expected(100, 7, solid, {});
}

void TestDecoders::Pcx()
{
    QFETCH(QByteArray, file);
    QFETCH(QImage, expected);
    QVERIFY(SamePixels(DecodePcx(file), expected));
    QVERIFY(SamePixels(DecodeImageFile(file, iftPcx), expected));
}

void TestDecoders::PcxDamaged_data()
{
    QTest::addColumn<QByteArray>("file");
    const TPixelValue rgb = [](int x, int y) { return quint32(Pattern(x, y)); };
    const TPixelValue index256 = [](int x, int) { return quint32(x); };
    const QByteArray good = ::Pcx(8, 3, 6, 4, rgb, true, {});
    const QByteArray paletted = ::Pcx(8, 1, 9, 5, index256, true, {}, GreyRamp256());
    const auto patched = [](QByteArray bytes, int offset, const QByteArray& with) {
        bytes.replace(offset, with.size(), with);
        return bytes;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(128);
    QTest::newRow("half a header") << good.left(60);
    QTest::newRow("not a PCX") << patched(good, 0, "\x0B");
    QTest::newRow("unknown coding") << patched(good, 2, "\x02");
    QTest::newRow("right before left") << patched(good, 4, QByteArray("\x10\0\0\0\x05\0", 6));
    QTest::newRow("2 planes of 8 bits") << patched(good, 65, "\x02");
    QTest::newRow("16 bits") << patched(good, 3, "\x10");
    QTest::newRow("no planes") << patched(good, 65, QByteArray(1, '\0'));
    QTest::newRow("lines shorter than the width") << patched(good, 66, QByteArray("\x02\0", 2));
    QTest::newRow("run-length data cut short") << good.left(good.size() - 5);
    QTest::newRow("run count at the very end") << good.left(128) + QByteArray("\xC5", 1);
    QTest::newRow("uncompressed data cut short") << ::Pcx(8, 3, 6, 4, rgb, false, {}).left(150);
    QTest::newRow("no 256-colour palette") << paletted.left(paletted.size() - 769);
    QTest::newRow("palette marker missing") << patched(paletted, int(paletted.size()) - 769, "\x0D");
    QTest::newRow("65536 × 65536 from a few bytes")
        << patched(good, 8, QByteArray("\xFF\xFF\xFF\xFF", 4)) + QByteArray(1000, char(0xFF));
}

void TestDecoders::PcxDamaged()
{
    QFETCH(QByteArray, file);
    QVERIFY(DecodePcx(file).isNull());
}

void TestDecoders::Tga_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QImage>("expected");
    const auto pattern = [](int x, int y) { return Pattern(x, y); };
    const auto expected = [](int w, int h, const std::function<QRgb(int, int)>& colour) {
        QImage image(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, colour(x, y));
        return image;
    };
    const auto grey = [](int x, int y) { return (x * 30 + y * 7) % 256; };
    const auto alpha = [](int x, int y) { return qRgba(x * 40, y * 60, 90, (x * 60 + y) % 256); };
    // 15-bit colours: 5 bits a channel, widened by repeating the top bits.
    const auto five = [](int v) { return (v << 3) | (v >> 2); };
    const auto rgb555 = [five](int x, int y) { return qRgb(five(x % 32), five((y * 3) % 32), five((x + y) % 32)); };
    const auto bytes555 = [](int x, int y) {
        const int v = ((x % 32) << 10) | (((y * 3) % 32) << 5) | ((x + y) % 32);
        return QByteArray(1, char(v & 0xFF)) + char(v >> 8);
    };
    QByteArray colourMap;
    QList<QRgb> mapColours;
    for (int i = 0; i < 20; ++i) {
        mapColours.append(qRgb(i * 12, 255 - i * 12, 100));
        colourMap.append(Bgr(mapColours.last()));
    }
    const auto mapped = [](int x, int y) { return QByteArray(1, char((x + y * 3) % 20)); };
    const auto mappedColour = [mapColours](int x, int y) { return mapColours[(x + y * 3) % 20]; };

    for (const int type : {2, 10}) {
        const QString kind = type == 2 ? "true colour" : "true colour, run-length coded";
        QTest::newRow(qPrintable(kind + ", 24 bits, from the bottom"))
            << ::Tga(type, 24, 7, 5, BottomLeft, [&](int x, int y) { return Bgr(Pattern(x, y)); })
            << expected(7, 5, pattern);
        QTest::newRow(qPrintable(kind + ", 24 bits, from the top"))
            << ::Tga(type, 24, 7, 5, TopLeft, [&](int x, int y) { return Bgr(Pattern(x, y)); })
            << expected(7, 5, pattern);
        QTest::newRow(qPrintable(kind + ", 24 bits, from the right"))
            << ::Tga(type, 24, 7, 5, TopRight, [&](int x, int y) { return Bgr(Pattern(x, y)); })
            << expected(7, 5, pattern);
        QTest::newRow(qPrintable(kind + ", 32 bits with 8 alpha bits"))
            << ::Tga(type, 32, 6, 4, TopLeft | 8, [&](int x, int y) { return Bgr(alpha(x, y), true); })
            << expected(6, 4, alpha);
        QTest::newRow(qPrintable(kind + ", 32 bits without alpha bits"))
            << ::Tga(type, 32, 6, 4, TopLeft, [&](int x, int y) { return Bgr(alpha(x, y), true); })
            << expected(6, 4, [&](int x, int y) { return alpha(x, y) | 0xFF000000; });
        QTest::newRow(qPrintable(kind + ", 15 bits"))
            << ::Tga(type, 15, 9, 3, BottomLeft, bytes555) << expected(9, 3, rgb555);
    }
    for (const int type : {1, 9})
        QTest::newRow(type == 1 ? "colour-mapped" : "colour-mapped, run-length coded")
            << ::Tga(type, 8, 8, 6, BottomLeft, mapped, colourMap, 20, 24) << expected(8, 6, mappedColour);
    for (const int type : {3, 11})
        QTest::newRow(type == 3 ? "grey" : "grey, run-length coded")
            << ::Tga(type, 8, 8, 6, TopLeft, [&](int x, int y) { return QByteArray(1, char(grey(x, y))); })
            << expected(8, 6, [&](int x, int y) { return qRgb(grey(x, y), grey(x, y), grey(x, y)); });
    // One colour everywhere: the run packets of 128 pixels cross the ends of lines.
    QTest::newRow("runs across lines") << ::Tga(10, 24, 50, 9, BottomLeft, [](int, int) { return Bgr(qRgb(1, 2, 3)); })
                                       << expected(50, 9, [](int, int) { return qRgb(1, 2, 3); });
}

void TestDecoders::Tga()
{
    QFETCH(QByteArray, file);
    QFETCH(QImage, expected);
    QVERIFY(SamePixels(DecodeTga(file), expected));
    QVERIFY(SamePixels(DecodeImageFile(file, iftTga), expected));
}

void TestDecoders::TgaDamaged_data()
{
    QTest::addColumn<QByteArray>("file");
    const auto pixel = [](int x, int y) { return Bgr(Pattern(x, y)); };
    const QByteArray good = ::Tga(2, 24, 7, 5, BottomLeft, pixel);
    const QByteArray packed = ::Tga(10, 24, 7, 5, BottomLeft, pixel);
    const QByteArray mapped = ::Tga(
        1, 8, 4, 2, BottomLeft, [](int x, int) { return QByteArray(1, char(x)); }, QByteArray(9, 'x'), 3, 24);
    const auto patched = [](QByteArray bytes, int offset, const QByteArray& with) {
        bytes.replace(offset, with.size(), with);
        return bytes;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("half a header") << good.left(10);
    QTest::newRow("type 0: no picture") << patched(good, 2, QByteArray(1, '\0'));
    QTest::newRow("type 32") << patched(good, 2, "\x20");
    QTest::newRow("colour map type 2") << patched(good, 1, "\x02");
    QTest::newRow("true colour of 8 bits") << patched(good, 16, "\x08");
    QTest::newRow("colour-mapped without a map") << patched(mapped, 1, QByteArray(1, '\0'));
    QTest::newRow("map entries of 12 bits") << patched(mapped, 7, "\x0C");
    QTest::newRow("index beyond the map") << patched(mapped, int(mapped.size()) - 1, "\x07");
    QTest::newRow("identification cut short") << patched(good.left(19), 0, "\xFF");
    QTest::newRow("pixels cut short") << good.left(good.size() - 1);
    QTest::newRow("run-length data cut short") << packed.left(packed.size() - 2);
    QTest::newRow("65535 × 65535 from a few bytes") << patched(packed, 12, QByteArray("\xFF\xFF\xFF\xFF", 4));
    QTest::newRow("no width") << patched(good, 12, QByteArray(2, '\0'));
}

void TestDecoders::TgaDamaged()
{
    QFETCH(QByteArray, file);
    QVERIFY(DecodeTga(file).isNull());
}

void TestDecoders::FileType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("jpg") << "photo.jpg" << int(iftJpg);
    QTest::newRow("upper case") << "PHOTO.JPG" << int(iftJpg);
    QTest::newRow("gif") << "a.Gif" << int(iftGif);
    QTest::newRow("jif") << "a.jif" << int(iftJif);
    QTest::newRow("bmp") << "a.bmp" << int(iftBmp);
    QTest::newRow("dib") << "a.dib" << int(iftDib);
    QTest::newRow("rle") << "a.rle" << int(iftRle);
    QTest::newRow("tga") << "a.tga" << int(iftTga);
    QTest::newRow("pcx") << "a.pcx" << int(iftPcx);
    QTest::newRow("last dot counts") << "a.pcx.bmp" << int(iftBmp);
    QTest::newRow("jpeg is not jpg") << "a.jpeg" << int(iftOther);
    QTest::newRow("no extension") << "pcx" << int(iftOther);
    QTest::newRow("wmf") << "a.wmf" << int(iftOther);
}

void TestDecoders::FileType()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QCOMPARE(int(ImageFileType(name)), type);
}

void TestDecoders::QtFormatsDamaged_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("type");
    // A BMP header claiming 30000 × 30000 pixels of 24 bits, with 16 bytes of pixels.
    TBytes bmp;
    bmp.Raw("BM")
        .U32(70)
        .U32(0)
        .U32(54)
        .U32(40)
        .U32(30000)
        .U32(30000)
        .U16(1)
        .U16(24)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0)
        .Zeros(16);
    QTest::newRow("bmp: huge from a few bytes") << bmp.Data << int(iftBmp);
    QTest::newRow("bmp: header only") << bmp.Data.left(30) << int(iftBmp);
    QTest::newRow("dib: empty") << QByteArray() << int(iftDib);
    QTest::newRow("dib: huge from a few bytes") << bmp.Data.mid(14) << int(iftDib);
    QTest::newRow("jpeg: signature only") << QByteArray("\xFF\xD8\xFF\xE0", 4) << int(iftJpg);
    QTest::newRow("gif: header only") << QByteArray("GIF89a\x10\x00\x10\x00", 10) << int(iftGif);
    QTest::newRow("gif: 65535 × 65535 from a few bytes")
        << QByteArray("GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00,\0\0\0\0\xFF\xFF\xFF\xFF\0\x02\x02\x44\x01\0;", 30)
        << int(iftGif);
    QTest::newRow("other: text") << QByteArray("hello") << int(iftOther);
}

void TestDecoders::QtFormatsDamaged()
{
    QFETCH(QByteArray, file);
    QFETCH(int, type);
    QVERIFY(DecodeImageFile(file, TImageFileType(type)).isNull());
}

QObject* NewTestDecoders()
{
    return new TestDecoders;
}

#include "TestDecoders.moc"
