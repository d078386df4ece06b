// The preview image control of the picture browser: where it draws a picture for each
// combination of Stretch, MaintainAspect and Center, loading by file type, and transparency.

#include "imaging/Picture.h"
#include "objects/SmartImage.h"

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
};

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

QObject* NewTestSmartImage()
{
    return new TestSmartImage;
}

#include "TestSmartImage.moc"
