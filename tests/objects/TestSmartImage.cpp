// The preview image control of the picture browser: where it draws a picture for each
// combination of Stretch, MaintainAspect and Center, loading by file type, transparency, and
// icons drawn with their mask's edge outlined in the control's colour.

#include "imaging/Picture.h"
#include "objects/SmartImage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TestSmartImage : public QObject {
    Q_OBJECT
private slots:
    void DestinationRect_data();
    void DestinationRect();
    void LoadFromFile_data();
    void LoadFromFile();
    void TransparentLetsTheBackgroundThrough();
    void IconIsOutlined_data();
    void IconIsOutlined();
    void TransparentIsLockedWhileAnIconIsLoaded_data();
    void TransparentIsLockedWhileAnIconIsLoaded();
    void ColourChangeRebuildsTheOutline_data();
    void ColourChangeRebuildsTheOutline();
};

namespace {

const QColor Background(Qt::green);
const QColor Outline(Qt::blue);
const QColor Square(Qt::red);

QByteArray Le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    bytes[0] = char(value & 0xFF);
    bytes[1] = char(value >> 8);
    return bytes;
}

QByteArray Le32(quint32 value)
{
    return Le16(quint16(value & 0xFFFF)) + Le16(quint16(value >> 16));
}

// The data block of an icon picture holding the .ico file `ico`.
QByteArray IconBlock(const QByteArray& ico)
{
    return QByteArray("\x05TIcon") + ico;
}

// A 16 × 16 icon, transparent but for `square` in the square colour, as Qt writes it (32 bits
// with alpha).
QByteArray AlphaIcon(QRect square)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x)
            image.setPixelColor(x, y, Square);
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "ico");
    return IconBlock(ico);
}

// A 16 × 16 icon of 8 bits per pixel (two colours: black, red) whose AND mask leaves only
// `square` opaque; the masked pixels hold black, as icon editors leave them.
QByteArray MaskedIcon(QRect square)
{
    QByteArray pixels;
    QByteArray mask;
    for (int y = 15; y >= 0; --y) { // bottom-up
        quint16 maskRow = 0;
        for (int x = 0; x < 16; ++x) {
            const bool opaque = square.contains(x, y);
            pixels += char(opaque ? 1 : 0);
            if (!opaque)
                maskRow |= quint16(0x8000 >> x);
        }
        mask += char(maskRow >> 8);
        mask += char(maskRow & 0xFF);
        mask += QByteArray(2, '\0'); // rows of the mask end on four bytes
    }
    const QByteArray colourTable = QByteArray(4, '\0') + QByteArray("\x00\x00\xFF\x00", 4); // blue, green, red, 0
    const QByteArray image = Le32(40) + Le32(16) + Le32(32) + Le16(1) + Le16(8) + Le32(0) +
                             Le32(quint32(pixels.size() + mask.size())) + Le32(0) + Le32(0) + Le32(2) + Le32(0) +
                             colourTable + pixels + mask;
    return IconBlock(Le16(0) + Le16(1) + Le16(1) + QByteArray("\x10\x10\x02\x00", 4) + Le16(1) + Le16(8) +
                     Le32(quint32(image.size())) + Le32(22) + image);
}

TPicture IconPicture(const QByteArray& block)
{
    const std::optional<TPicture> picture = TPicture::FromDataBlock(block);
    return picture ? *picture : TPicture();
}

void SetColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

// The control drawn over the background colour.
QImage Shown(TSmartImage& image)
{
    QImage shown(image.size(), QImage::Format_RGB32);
    shown.fill(Background);
    image.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    return shown;
}

} // namespace

void TestSmartImage::DestinationRect_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("aspect");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRect>("expected"); // in a 100 × 80 control
    QTest::newRow("own size at the corner") << QSize(40, 20) << false << true << false << QRect(0, 0, 40, 20);
    QTest::newRow("own size, centred") << QSize(40, 20) << false << true << true << QRect(30, 30, 40, 20);
    QTest::newRow("stretched") << QSize(40, 20) << true << false << false << QRect(0, 0, 100, 80);
    QTest::newRow("aspect, width-limited") << QSize(40, 20) << true << true << false << QRect(0, 0, 100, 50);
    QTest::newRow("aspect, width-limited, centred") << QSize(40, 20) << true << true << true << QRect(0, 15, 100, 50);
    QTest::newRow("aspect, height-limited") << QSize(20, 40) << true << true << false << QRect(0, 0, 40, 80);
    QTest::newRow("aspect, height-limited, centred") << QSize(20, 40) << true << true << true << QRect(30, 0, 40, 80);
    // 100 × 3/7 = 42.86: the nearest integer.
    QTest::newRow("aspect rounds to nearest") << QSize(70, 30) << true << true << false << QRect(0, 0, 100, 43);
    QTest::newRow("larger than the control") << QSize(300, 200) << false << true << false << QRect(0, 0, 300, 200);
}

void TestSmartImage::DestinationRect()
{
    QFETCH(QSize, picture);
    QFETCH(bool, stretch);
    QFETCH(bool, aspect);
    QFETCH(bool, center);
    QFETCH(QRect, expected);
    TSmartImage image;
    QImage bitmap(picture, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    image.SetPicture(TPicture::FromImage(bitmap));
    image.SetStretch(stretch);
    image.SetMaintainAspect(aspect);
    image.SetCenter(center);
    QCOMPARE(image.DestinationRect(QSize(100, 80)), expected);
}

void TestSmartImage::LoadFromFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format"); // Qt's writer for the bytes; empty: not a picture
    QTest::addColumn<bool>("loads");
    QTest::newRow("JPG") << "photo.JPG" << QByteArray("jpeg") << true;
    QTest::newRow("JIF") << "photo.jif" << QByteArray("jpeg") << true;
    QTest::newRow("DIB") << "bitmap.dib" << QByteArray("bmp") << true;
    QTest::newRow("RLE") << "bitmap.rle" << QByteArray("bmp") << true;
    QTest::newRow("TGA by its name, not its content") << "bitmap.tga" << QByteArray("bmp") << false;
    QTest::newRow("PCX of garbage") << "broken.pcx" << QByteArray() << false;
    QTest::newRow("missing file") << "" << QByteArray() << false;
}

void TestSmartImage::LoadFromFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.filePath(name.isEmpty() ? "missing.pcx" : name);
    if (!name.isEmpty()) {
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        if (format.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\x0A garbage that is no PCX");
        } else {
            QVERIFY(picture.save(path, format.constData()));
        }
    }
    TSmartImage image;
    image.SetPicture(TPicture::FromImage(QImage(3, 3, QImage::Format_RGB32)));
    QCOMPARE(image.LoadFromFile(path), loads);
    QCOMPARE(image.Picture().IsEmpty(), !loads);
    if (loads)
        QCOMPARE(image.Picture().Size(), QSize(8, 6));
}

void TestSmartImage::TransparentLetsTheBackgroundThrough()
{
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    bitmap.setPixel(2, 2, qRgb(255, 0, 0));
    TSmartImage image;
    image.resize(4, 4);
    image.SetPicture(TPicture::FromImage(bitmap));
    image.SetTransparent(true);
    QImage shown(4, 4, QImage::Format_RGB32);
    shown.fill(Qt::green);
    image.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::green));
    QCOMPARE(shown.pixelColor(2, 2), QColor(Qt::red));
    image.SetTransparent(false);
    shown.fill(Qt::green);
    image.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::white));
}

void TestSmartImage::IconIsOutlined_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QRect>("square"); // the icon's opaque pixels
    QTest::addColumn<int>("scale");    // the control is this many times the icon's size, stretched
    QTest::newRow("alpha, square in the middle") << AlphaIcon(QRect(5, 5, 6, 6)) << QRect(5, 5, 6, 6) << 1;
    QTest::newRow("alpha, square in the corner") << AlphaIcon(QRect(0, 0, 4, 4)) << QRect(0, 0, 4, 4) << 1;
    QTest::newRow("alpha, single pixel at the far edge") << AlphaIcon(QRect(15, 8, 1, 1)) << QRect(15, 8, 1, 1) << 1;
    QTest::newRow("alpha, fully opaque") << AlphaIcon(QRect(0, 0, 16, 16)) << QRect(0, 0, 16, 16) << 1;
    QTest::newRow("AND mask, bar") << MaskedIcon(QRect(4, 6, 8, 3)) << QRect(4, 6, 8, 3) << 1;
    QTest::newRow("AND mask, stretched twice") << MaskedIcon(QRect(4, 6, 8, 3)) << QRect(4, 6, 8, 3) << 2;
}

void TestSmartImage::IconIsOutlined()
{
    QFETCH(QByteArray, block);
    QFETCH(QRect, square);
    QFETCH(int, scale);
    const TPicture picture = IconPicture(block);
    QCOMPARE(int(picture.Kind()), int(TGraphicKind::Icon));
    TSmartImage image;
    SetColour(image, Outline);
    image.resize(20 * scale, 20 * scale); // room beside the icon unless stretched
    image.SetStretch(scale > 1);
    if (scale > 1)
        image.resize(16 * scale, 16 * scale);
    image.SetPicture(picture);
    QCOMPARE(image.PrivateBitmap().size(), QSize(16, 16));
    const QImage shown = Shown(image);
    const QRect icon(0, 0, 16, 16);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint at(x / scale, y / scale);
            QColor expected = Background;
            if (square.contains(at))
                expected = Square;
            else if (icon.contains(at) && square.adjusted(-1, -1, 1, 1).contains(at))
                expected = Outline;
            if (shown.pixelColor(x, y) != expected)
                QFAIL(qPrintable(QString("pixel (%1, %2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(shown.pixelColor(x, y).name(), expected.name())));
        }
    }
}

void TestSmartImage::TransparentIsLockedWhileAnIconIsLoaded_data()
{
    QTest::addColumn<bool>("before"); // Transparent before the icon is loaded
    QTest::newRow("was opaque") << false;
    QTest::newRow("was transparent") << true;
}

void TestSmartImage::TransparentIsLockedWhileAnIconIsLoaded()
{
    QFETCH(bool, before);
    TSmartImage image;
    image.resize(20, 20);
    image.SetTransparent(before);
    image.SetPicture(IconPicture(AlphaIcon(QRect(5, 5, 6, 6))));
    QVERIFY(image.Transparent());
    image.SetTransparent(false);
    QVERIFY(image.Transparent());
    QCOMPARE(Shown(image).pixelColor(0, 0), Background);

    // A bitmap brings the setting back and frees it; the icon's outline is gone.
    QImage bitmap(16, 16, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    image.SetPicture(TPicture::FromImage(bitmap));
    QVERIFY(image.PrivateBitmap().isNull());
    QCOMPARE(image.Transparent(), before);
    image.SetTransparent(false);
    QVERIFY(!image.Transparent());
    QCOMPARE(Shown(image).pixelColor(0, 0), QColor(Qt::white));
    image.SetTransparent(true);
    QVERIFY(image.Transparent());
    QCOMPARE(Shown(image).pixelColor(0, 0), Background);
}

void TestSmartImage::ColourChangeRebuildsTheOutline_data()
{
    QTest::addColumn<bool>("throughParent"); // the parent's colour, which the control takes
    QTest::newRow("control's own colour") << false;
    QTest::newRow("parent's colour") << true;
}

void TestSmartImage::ColourChangeRebuildsTheOutline()
{
    QFETCH(bool, throughParent);
    QWidget parent;
    auto* image = new TSmartImage(&parent);
    image->resize(20, 20);
    QWidget& coloured = throughParent ? parent : static_cast<QWidget&>(*image);
    SetColour(coloured, Outline);
    image->SetPicture(IconPicture(AlphaIcon(QRect(5, 5, 6, 6))));
    QCOMPARE(Shown(*image).pixelColor(4, 4), Outline);
    SetColour(coloured, Qt::yellow);
    QCOMPARE(image->PrivateBitmap().pixelColor(4, 4), QColor(Qt::yellow));
    const QImage shown = Shown(*image);
    QCOMPARE(shown.pixelColor(4, 4), QColor(Qt::yellow));
    QCOMPARE(shown.pixelColor(11, 8), QColor(Qt::yellow));
    QCOMPARE(shown.pixelColor(8, 8), Square);
    QCOMPARE(shown.pixelColor(2, 2), Background);
}

QObject* NewTestSmartImage()
{
    return new TestSmartImage;
}

#include "TestSmartImage.moc"
