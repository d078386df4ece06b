// The decoders against a reference decoder (GraphicsMagick's) on real files: one source picture converted with
// GraphicsMagick and ImageMagick into every format and coding the picture browser lists, and the
// bitmaps and icons of Debian's nsis-common, each decoded here to the pixels the reference
// decoder gives (within a small tolerance for JPEG).

#include "imaging/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString GraphicsMagick = "gm";
const QString ImageMagick = "convert-im6.q16";
const QString NsisGraphics = "/usr/share/nsis/Contrib/Graphics";

// Runs a converter; its standard output, or empty when it fails.
QByteArray Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The reference decoding of `file` (GraphicsMagick's) as 8-bit RGB on white. ImageMagick 6 is
// no reference for TGA: it reads the run-length coded files it writes upside down.
QImage Reference(const QString& file)
{
    return QImage::fromData(
        Run(GraphicsMagick, {"convert", file + "[0]", "-background", "white", "-flatten", "-depth", "8", "ppm:-"}),
        "PPM");
}

QImage OnWhite(const QImage& image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

// A 37 × 23 picture with smooth gradients, hard edges and a few pure colours.
QImage SourcePicture()
{
    QImage image(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7, y * 11, (x * y) % 256));
    QPainter painter(&image);
    painter.fillRect(4, 4, 8, 6, Qt::red);
    painter.fillRect(20, 10, 9, 9, Qt::blue);
    painter.fillRect(30, 2, 5, 5, Qt::white);
    return image;
}

struct TDifference {
    int Max = 0;
    double Mean = 0;
};

TDifference Compare(const QImage& a, const QImage& b)
{
    TDifference d;
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (const int diff : {qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))}) {
                d.Max = qMax(d.Max, diff);
                sum += diff;
            }
        }
    d.Mean = double(sum) / (3.0 * a.width() * a.height());
    return d;
}

} // namespace

class TestReferenceDecoders : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void SameAsTheReference_data();
    void SameAsTheReference();

private:
    QTemporaryDir m_Dir;
};

void TestReferenceDecoders::initTestCase()
{
    for (const QString& tool : {GraphicsMagick, ImageMagick})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(tool + " is missing: scripts/setup.sh installs graphicsmagick and imagemagick"));
    QVERIFY2(QDir(NsisGraphics).exists(), "nsis-common is missing: scripts/setup.sh installs it");
    QVERIFY(SourcePicture().save(m_Dir.filePath("source.ppm")));
}

void TestReferenceDecoders::SameAsTheReference_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("maxDifference");
    QTest::addColumn<double>("meanDifference");
    const QString source = m_Dir.filePath("source.ppm");
    // name, converter, arguments between the source and the output
    const QList<std::tuple<QString, QString, QStringList>> made{
        {"truecolour.bmp", GraphicsMagick, {}},
        {"palette.bmp", ImageMagick, {"-colors", "200", "-type", "palette"}},
        {"rle8.bmp", ImageMagick, {"-colors", "200", "-type", "palette", "-compress", "RLE"}},
        {"rle8.rle", ImageMagick, {"-colors", "200", "-type", "palette", "-compress", "RLE"}},
        {"sixteen.bmp", ImageMagick, {"-colors", "16", "-type", "palette"}},
        {"mono.bmp", GraphicsMagick, {"-monochrome"}},
        {"truecolour.dib", GraphicsMagick, {}},
        {"photo.jpg", GraphicsMagick, {"-quality", "90"}},
        {"photo.jif", ImageMagick, {"-quality", "75"}},
        {"picture.gif", GraphicsMagick, {}},
        {"truecolour.pcx", GraphicsMagick, {}},
        {"palette.pcx", GraphicsMagick, {"-colors", "200", "-type", "palette"}},
        {"sixteen.pcx", ImageMagick, {"-colors", "16", "-type", "palette"}},
        {"mono.pcx", GraphicsMagick, {"-monochrome"}},
        {"truecolour.tga", GraphicsMagick, {}},
        {"truecolour-rle.tga", ImageMagick, {"-compress", "RLE"}},
        {"mapped.tga", ImageMagick, {"-colors", "200", "-type", "palette"}},
        {"mapped-rle.tga", ImageMagick, {"-colors", "200", "-type", "palette", "-compress", "RLE"}},
        {"grey.tga", GraphicsMagick, {"-type", "grayscale"}},
        {"grey-rle.tga", ImageMagick, {"-type", "grayscale", "-compress", "RLE"}},
        {"icon.ico", ImageMagick, {"-resize", "32x32!"}},
    };
    for (const auto& [name, converter, arguments] : made) {
        const QString file = m_Dir.filePath(name);
        // .dib, .rle and .jif are not names the converters know: write the format by prefix.
        const QString format = name.endsWith(".dib") || name.endsWith(".rle") ? "bmp3:"
                               : name.endsWith(".jif")                        ? "jpeg:"
                                                                              : "";
        QStringList command = converter == GraphicsMagick ? QStringList{"convert"} : QStringList{};
        command << source << arguments << format + file;
        Run(converter, command);
        const bool lossy = name.endsWith(".jpg") || name.endsWith(".jif");
        QTest::newRow(qPrintable(name)) << file << (lossy ? 48 : 1) << (lossy ? 3.0 : 0.01);
    }
    QDir graphics(NsisGraphics);
    for (const QString& folder : graphics.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        for (const QString& name :
             QDir(graphics.filePath(folder)).entryList({"*.bmp", "*.ico"}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable("nsis " + folder + "/" + name))
                << graphics.filePath(folder + "/" + name) << 1 << 0.01;
}

void TestReferenceDecoders::SameAsTheReference()
{
    QFETCH(QString, file);
    QFETCH(int, maxDifference);
    QFETCH(double, meanDifference);
    QFile input(file);
    QVERIFY2(input.open(QIODevice::ReadOnly), qPrintable(file + " was not made"));
    const QByteArray bytes = input.readAll();
    const QImage decoded = file.endsWith(".ico") ? DecodeIcon(bytes) : DecodeImageFile(bytes, ImageFileType(file));
    QVERIFY(!decoded.isNull());
    const QImage expected = Reference(file);
    QVERIFY(!expected.isNull());
    QCOMPARE(decoded.size(), expected.size());
    const TDifference difference = Compare(OnWhite(decoded), expected);
    QVERIFY2(difference.Max <= maxDifference && difference.Mean <= meanDifference,
             qPrintable(QString("largest difference %1, mean %2").arg(difference.Max).arg(difference.Mean)));
}

QObject* NewTestReferenceDecoders()
{
    return new TestReferenceDecoders;
}

#include "TestReferenceDecoders.moc"
