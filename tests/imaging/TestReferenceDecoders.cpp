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

// Runs a converter; false when it fails.
bool Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Runs GraphicsMagick once for all `commands` (one per line, arguments quoted as a Unix shell
// would), which costs one start-up instead of one for each picture.
bool RunGraphicsMagickBatch(const QStringList& commands, const QString& scriptFile)
{
    QFile script(scriptFile);
    return script.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           script.write(commands.join('\n').toUtf8() + '\n') > 0 && script.flush() &&
           Run(GraphicsMagick, {"batch", "-escape", "unix", scriptFile});
}

QString Quoted(const QString& argument)
{
    return '"' + argument + '"';
}

// The command making the reference decoding of `file` (GraphicsMagick's) as 8-bit RGB on white,
// written to `reference`. ImageMagick 6 is no reference for TGA: it reads the run-length coded
// files it writes upside down.
QString ReferenceCommand(const QString& file, const QString& reference)
{
    return "convert " + Quoted(file + "[0]") + " -background white -flatten -depth 8 " + Quoted("ppm:" + reference);
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
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("maxDifference");
    QTest::addColumn<double>("meanDifference");
    const QString source = m_Dir.filePath("source.ppm");
    // ImageMagick takes half a second to reduce the colours, GraphicsMagick a tenth of that: the
    // palette pictures ImageMagick writes start from GraphicsMagick's reduced sources.
    const QString colours200 = m_Dir.filePath("colours200.png");
    const QString colours16 = m_Dir.filePath("colours16.png");
    QStringList graphicsMagickConversions{
        "convert " + Quoted(source) + " -colors 200 " + Quoted(colours200),
        "convert " + Quoted(source) + " -colors 16 " + Quoted(colours16),
    };
    // name, converter, input, arguments between the input and the output
    const QList<std::tuple<QString, QString, QString, QStringList>> made{
        {"truecolour.bmp", GraphicsMagick, source, {}},
        {"palette.bmp", ImageMagick, colours200, {"-type", "palette"}},
        {"rle8.bmp", ImageMagick, colours200, {"-type", "palette", "-compress", "RLE"}},
        {"rle8.rle", ImageMagick, colours200, {"-type", "palette", "-compress", "RLE"}},
        {"sixteen.bmp", ImageMagick, colours16, {"-type", "palette"}},
        {"mono.bmp", GraphicsMagick, source, {"-monochrome"}},
        {"truecolour.dib", GraphicsMagick, source, {}},
        {"photo.jpg", GraphicsMagick, source, {"-quality", "90"}},
        {"photo.jif", ImageMagick, source, {"-quality", "75"}},
        {"picture.gif", GraphicsMagick, source, {}},
        {"truecolour.pcx", GraphicsMagick, source, {}},
        {"palette.pcx", GraphicsMagick, source, {"-colors", "200", "-type", "palette"}},
        {"sixteen.pcx", ImageMagick, colours16, {"-type", "palette"}},
        {"mono.pcx", GraphicsMagick, source, {"-monochrome"}},
        {"truecolour.tga", GraphicsMagick, source, {}},
        {"truecolour-rle.tga", ImageMagick, source, {"-compress", "RLE"}},
        {"mapped.tga", ImageMagick, colours200, {"-type", "palette"}},
        {"mapped-rle.tga", ImageMagick, colours200, {"-type", "palette", "-compress", "RLE"}},
        {"grey.tga", GraphicsMagick, source, {"-type", "grayscale"}},
        {"grey-rle.tga", ImageMagick, source, {"-type", "grayscale", "-compress", "RLE"}},
        {"icon.ico", ImageMagick, source, {"-resize", "32x32!"}},
    };
    // name, file, maximum and mean difference
    QList<std::tuple<QString, QString, int, double>> rows;
    QList<QStringList> imageMagickConversions;
    for (const auto& [name, converter, input, arguments] : made) {
        const QString file = m_Dir.filePath(name);
        // .dib, .rle and .jif are not names the converters know: write the format by prefix.
        const QString format = name.endsWith(".dib") || name.endsWith(".rle") ? "bmp3:"
                               : name.endsWith(".jif")                        ? "jpeg:"
                                                                              : "";
        if (converter == GraphicsMagick) {
            QStringList command{"convert", Quoted(input)};
            for (const QString& argument : arguments)
                command << Quoted(argument);
            graphicsMagickConversions << (command << Quoted(format + file)).join(' ');
        } else {
            imageMagickConversions << (QStringList{input} << arguments << format + file);
        }
        const bool lossy = name.endsWith(".jpg") || name.endsWith(".jif");
        rows << std::tuple{name, file, lossy ? 48 : 1, lossy ? 3.0 : 0.01};
    }
    QVERIFY2(RunGraphicsMagickBatch(graphicsMagickConversions, m_Dir.filePath("conversions.txt")),
             "GraphicsMagick could not convert the source picture");
    for (const QStringList& arguments : imageMagickConversions)
        QVERIFY2(Run(ImageMagick, arguments), qPrintable(arguments.last()));
    QDir graphics(NsisGraphics);
    for (const QString& folder : graphics.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        for (const QString& name :
             QDir(graphics.filePath(folder)).entryList({"*.bmp", "*.ico"}, QDir::Files, QDir::Name))
            rows << std::tuple{"nsis " + folder + "/" + name, graphics.filePath(folder + "/" + name), 1, 0.01};

    QStringList referenceCommands;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto& [name, file, maxDifference, meanDifference] = rows[i];
        const QString reference = m_Dir.filePath(QString("reference-%1.ppm").arg(i));
        referenceCommands << ReferenceCommand(file, reference);
        QTest::newRow(qPrintable(name)) << file << reference << maxDifference << meanDifference;
    }
    // A file GraphicsMagick cannot read leaves its reference missing, which its row reports.
    RunGraphicsMagickBatch(referenceCommands, m_Dir.filePath("references.txt"));
}

void TestReferenceDecoders::SameAsTheReference()
{
    QFETCH(QString, file);
    QFETCH(QString, reference);
    QFETCH(int, maxDifference);
    QFETCH(double, meanDifference);
    QFile input(file);
    QVERIFY2(input.open(QIODevice::ReadOnly), qPrintable(file + " was not made"));
    const QByteArray bytes = input.readAll();
    const QImage decoded = file.endsWith(".ico") ? DecodeIcon(bytes) : DecodeImageFile(bytes, ImageFileType(file));
    QVERIFY(!decoded.isNull());
    const QImage expected(reference, "PPM");
    QVERIFY2(!expected.isNull(), "GraphicsMagick gave no reference decoding");
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
