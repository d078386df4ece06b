// Picture data blocks as calendar files hold them: each graphic kind read and written back byte
// for byte, pictures made from bitmaps and WMF files, and a table of damaged blocks.

#include "ImagingFixtures.h"
#include "imaging/Picture.h"

#include <QBuffer>
#include <QPainter>
#include <QtTest>

namespace {

QByteArray Named(const QByteArray& name)
{
    return char(name.size()) + name;
}

QByteArray Sized(const QByteArray& data, int extra = 0)
{
    TBytes b;
    b.U32(quint32(data.size() + extra));
    return b.Data + data;
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Sample()
{
    QImage image(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, 128));
    return image;
}

QByteArray SampleWmf()
{
    return TWmfBuilder()
        .Brush(0, qRgb(255, 0, 0))
        .Select(0)
        .Rectangle(0, 0, 1440, 720)
        .Placeable(QRect(0, 0, 1440, 720), 1440);
}

TBytes IconFile(const QByteArray& bmpInfo)
{
    TBytes b;
    b.U16(0).U16(1).U16(1).U8(2).U8(2).U8(0).U8(0).U16(1).U16(32).U32(quint32(bmpInfo.size())).U32(22).Raw(bmpInfo);
    return b;
}

// A 2 × 2 icon image of 32 bits: the header with doubled height, four pixels, the AND mask.
QByteArray IconImage()
{
    TBytes b;
    b.U32(40).U32(2).U32(4).U16(1).U16(32).U32(0).U32(16 + 8).U32(0).U32(0).U32(0).U32(0);
    for (int i = 0; i < 4; ++i)
        b.U8(0).U8(0).U8(255).U8(255);
    b.Zeros(8);
    return b.Data;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    void ReadsAndWritesBack_data();
    void ReadsAndWritesBack();
    void Damaged_data();
    void Damaged();
    void FromImage();
    void FromWmf();
    void FromBmpKeepsTheFile();
};

void TestPicture::ReadsAndWritesBack_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    const QByteArray bmp = Encoded(Sample(), "BMP");
    const QByteArray icon = IconFile(IconImage()).Data;
    TBytes emf;
    emf.U32(1).U32(108).Zeros(16).U32(0).U32(0).U32(2540).U32(5080).U32(0x464D4520).Zeros(64);
    QTest::newRow("bitmap") << Named("TBitmap") + Sized(bmp) << int(TGraphicKind::Bitmap) << QSize(6, 4);
    QTest::newRow("empty bitmap") << Named("TBitmap") + Sized({}) << int(TGraphicKind::Bitmap) << QSize();
    QTest::newRow("metafile (WMF)") << Named("TMetafile") + Sized(SampleWmf(), 4) << int(TGraphicKind::Metafile)
                                    << QSize(96, 48);
    QTest::newRow("metafile (EMF)") << Named("TMetafile") + Sized(emf.Data, 4) << int(TGraphicKind::Metafile)
                                    << QSize(96, 192);
    QTest::newRow("empty metafile") << Named("TMetafile") + Sized({}, 4) << int(TGraphicKind::Metafile) << QSize();
    QTest::newRow("icon") << Named("TIcon") + icon << int(TGraphicKind::Icon) << QSize(2, 2);
    QTest::newRow("icon with its size in front")
        << Named("TIcon") + Sized(icon) << int(TGraphicKind::Icon) << QSize(2, 2);
    QTest::newRow("JPEG") << Named("TJPEGImage") + Sized(Encoded(Sample(), "JPG")) << int(TGraphicKind::Jpeg)
                          << QSize(6, 4);
}

void TestPicture::ReadsAndWritesBack()
{
    QFETCH(QByteArray, block);
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QString error;
    const std::optional<TPicture> picture = TPicture::FromDataBlock(block, &error);
    QVERIFY2(picture, qPrintable(error));
    QCOMPARE(int(picture->Kind()), kind);
    QCOMPARE(picture->Size(), size);
    QCOMPARE(picture->DataBlock(), block);
}

void TestPicture::Damaged_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("error");
    const QByteArray bmp = Encoded(Sample(), "BMP");
    const QString shorter = "The picture data is shorter than its size says.";
    QTest::newRow("empty") << QByteArray() << "The picture data ends before its class name.";
    QTest::newRow("name cut short") << QByteArray("\x07TBit") << "The picture data ends before its class name.";
    QTest::newRow("unknown class") << Named("TPngImage") + Sized(bmp)
                                   << "The picture data holds a graphic of the unknown class \"TPngImage\".";
    QTest::newRow("no size") << Named("TBitmap") + QByteArray("\x10\0", 2) << shorter;
    QTest::newRow("bitmap cut short") << Named("TBitmap") + Sized(bmp).chopped(1) << shorter;
    QTest::newRow("size of 4 GB") << Named("TBitmap") + QByteArray("\xFF\xFF\xFF\xFF", 4) + bmp << shorter;
    QTest::newRow("bytes after the bitmap") << Named("TBitmap") + Sized(bmp) + "x"
                                            << "The picture data is longer than its size says.";
    QTest::newRow("bitmap without BM") << Named("TBitmap") + Sized(bmp.mid(14))
                                       << "The bitmap in the picture data cannot be read.";
    QTest::newRow("bitmap of garbage") << Named("TBitmap") + Sized("BMxxxxxxxxxxxxxxxx")
                                       << "The bitmap in the picture data cannot be read.";
    QTest::newRow("metafile size not counting itself")
        << Named("TMetafile") + Sized(SampleWmf()) << "The picture data is longer than its size says.";
    QTest::newRow("plain WMF in a metafile")
        << Named("TMetafile") + Sized(SampleWmf().mid(22), 4)
        << "The metafile in the picture data is neither a placeable WMF nor an EMF.";
    QTest::newRow("metafile of garbage") << Named("TMetafile") + Sized("garbage!", 4)
                                         << "The metafile in the picture data is neither a placeable WMF nor an EMF.";
    QTest::newRow("icon of garbage") << Named("TIcon") + "garbage"
                                     << "The icon in the picture data cannot be read.";
    QTest::newRow("icon cut short") << Named("TIcon") + IconFile(IconImage()).Data.chopped(20)
                                    << "The icon in the picture data cannot be read.";
}

void TestPicture::Damaged()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, error);
    QString actual;
    QVERIFY(!TPicture::FromDataBlock(block, &actual));
    QCOMPARE(actual, error);
}

void TestPicture::FromImage()
{
    QImage transparent(3, 2, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    transparent.setPixel(0, 0, qRgb(0, 0, 255));
    const TPicture picture = TPicture::FromImage(transparent);
    QVERIFY(picture.IsBitmap());
    QCOMPARE(picture.Size(), QSize(3, 2));
    QCOMPARE(picture.Image().pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(picture.Image().pixel(2, 1), qRgb(255, 255, 255)); // transparent shows white
    const std::optional<TPicture> again = TPicture::FromDataBlock(picture.DataBlock());
    QVERIFY(again);
    QCOMPARE(again->DataBlock(), picture.DataBlock());
    QVERIFY(picture.DataBlock().startsWith(Named("TBitmap")));
    QVERIFY(TPicture::FromImage(QImage()).IsEmpty());
}

void TestPicture::FromWmf()
{
    const QByteArray plain = SampleWmf().mid(22);
    const std::optional<TPicture> picture = TPicture::FromWmf(plain);
    QVERIFY(!picture); // no window: no box
    const QByteArray withWindow = TWmfBuilder().WindowExt(1440, 1440).Rectangle(0, 0, 1440, 1440).Plain();
    const std::optional<TPicture> placed = TPicture::FromWmf(withWindow);
    QVERIFY(placed);
    QVERIFY(placed->IsMetafile());
    QCOMPARE(placed->Size(), QSize(96, 96));
    QVERIFY(placed->Wmf().endsWith(withWindow));
    QCOMPARE(placed->DataBlock().mid(10, 4), Sized({}, int(placed->Wmf().size()) + 4).left(4));
    // Drawn as vectors: the white rectangle with its black frame fills the target.
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    placed->Draw(painter, QRectF(0, 0, 50, 50));
    painter.end();
    QCOMPARE(image.pixel(25, 25), qRgb(255, 255, 255));
}

void TestPicture::FromBmpKeepsTheFile()
{
    // An 8-bit run-length coded BMP of 4 × 2, bottom row first: red red blue blue, then blue
    // blue red red.
    TBytes rle;
    rle.Raw("BM")
        .U32(0)
        .U32(0)
        .U32(14 + 40 + 8)
        .U32(40)
        .U32(4)
        .U32(2)
        .U16(1)
        .U16(8)
        .U32(1)
        .U32(12)
        .U32(0)
        .U32(0)
        .U32(2)
        .U32(0);
    rle.U8(0).U8(0).U8(255).U8(0).U8(255).U8(0).U8(0).U8(0); // red, blue
    rle.U8(2).U8(0).U8(2).U8(1).U8(0).U8(0).U8(2).U8(1).U8(2).U8(0).U8(0).U8(1);
    const std::optional<TPicture> picture = TPicture::FromBmp(rle.Data);
    QVERIFY(picture);
    QCOMPARE(picture->DataBlock(), Named("TBitmap") + Sized(rle.Data));
    QCOMPARE(picture->Size(), QSize(4, 2));
    QCOMPARE(picture->Image().pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(picture->Image().pixel(3, 0), qRgb(255, 0, 0));
    QCOMPARE(picture->Image().pixel(0, 1), qRgb(255, 0, 0));
    QCOMPARE(picture->Image().pixel(3, 1), qRgb(0, 0, 255));
    QVERIFY(!TPicture::FromBmp("BM not a bitmap"));
    QVERIFY(!TPicture::FromBmp(rle.Data.mid(14))); // a packed DIB is no BMP file
}

QObject* NewTestPicture()
{
    return new TestPicture;
}

#include "TestPicture.moc"
