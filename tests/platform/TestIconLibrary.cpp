// The icon library reader and writer: real programs, libraries and icon files compared with
// icoutils (wrestool, icotool), libraries written here read back, and damaged files.

#include "platform/IconLibrary.h"
#include "platform/IconLibraryWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Shell32 = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
const QString NsisStubs = "/usr/share/nsis/Stubs/";
const QString NsisIcons = "/usr/share/nsis/Contrib/Graphics/Icons/";

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A small .ico made here: one picture per size given, each a distinct pattern.
QByteArray MakeIco(QList<int> sizes)
{
    QList<QByteArray> images;
    for (int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                image.setPixel(x, y, x == y ? qRgba(0, 0, 0, 0) : qRgba(x * 7 % 256, y * 5 % 256, size, 255));
        QByteArray single;
        QBuffer buffer(&single);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "ICO");
        images.append(single);
    }
    // Join the single-image files into one directory.
    QByteArray header(6, '\0'), body;
    header[2] = 1;
    header[4] = char(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (const QByteArray& single : images) {
        const quint32 size = quint8(single[14]) | quint8(single[15]) << 8 | quint8(single[16]) << 16;
        const quint32 start = quint8(single[18]) | quint8(single[19]) << 8;
        QByteArray entry = single.mid(6, 16);
        for (int i = 0; i < 4; ++i)
            entry[12 + i] = char(offset >> (8 * i));
        header.append(entry);
        body.append(single.mid(start, size));
        offset += size;
    }
    return header + body;
}

// A 16-pixel .ico of one bitmap of `bitCount` bits a pixel, red all over, whose AND mask marks
// the left half transparent.
QByteArray MaskedIco(int bitCount)
{
    const int edge = 16;
    QByteArray bitmap;
    auto append32 = [&bitmap](quint32 value) {
        for (int i = 0; i < 4; ++i)
            bitmap.append(char(value >> (8 * i)));
    };
    append32(40);
    append32(edge);
    append32(edge * 2); // the colour and mask bitmaps stacked
    bitmap.append("\1\0", 2);
    bitmap.append(char(bitCount)).append('\0');
    for (int i = 0; i < 6; ++i)
        append32(0);
    const QByteArray red("\0\0\xFF", 3); // blue, green, red
    if (bitCount <= 8) {
        bitmap.append(red + '\0'); // colour 0, the one every pixel takes
        bitmap.append(QByteArray(4 * ((1 << bitCount) - 1), '\0'));
    }
    const int stride = (edge * bitCount + 31) / 32 * 4;
    for (int y = 0; y < edge; ++y) {
        const QByteArray row = bitCount == 24 ? red.repeated(edge) : QByteArray(edge * bitCount / 8, '\0');
        bitmap.append(row + QByteArray(stride - row.size(), '\0'));
    }
    for (int y = 0; y < edge; ++y)
        bitmap.append(QByteArray("\xFF\0\0\0", 4)); // pixels 0 to 7 of each row masked
    QByteArray ico("\0\0\1\0\1\0", 6);
    ico.append(char(edge)).append(char(edge)).append(QByteArray(2, '\0'));
    ico.append("\1\0", 2).append(char(bitCount)).append('\0');
    for (const quint32 value : {quint32(bitmap.size()), quint32(6 + 16)})
        for (int i = 0; i < 4; ++i)
            ico.append(char(value >> (8 * i)));
    return ico + bitmap;
}

QByteArray MakeLibrary(const QList<QByteArray>& icons)
{
    const TIconLibraryResult result = MakeIconLibrary(icons, {});
    return result.Library;
}

void Put16(QByteArray& bytes, int offset, quint16 value)
{
    bytes[offset] = char(value);
    bytes[offset + 1] = char(value >> 8);
}

int PeHeader(const QByteArray& bytes)
{
    return quint8(bytes[0x3C]) | quint8(bytes[0x3D]) << 8;
}

// Pictures agree when every pixel that is not transparent in both differs by at most one step
// per channel (premultiplication rounds).
bool SamePicture(const QImage& ours, const QImage& theirs)
{
    if (ours.size() != theirs.size())
        return false;
    const QImage a = ours.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = theirs.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            if (qAbs(qRed(p) - qRed(q)) > 1 || qAbs(qGreen(p) - qGreen(q)) > 1 || qAbs(qBlue(p) - qBlue(q)) > 1 ||
                qAbs(qAlpha(p) - qAlpha(q)) > 1)
                return false;
        }
    return true;
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

} // namespace

class TestIconLibrary : public QObject {
    Q_OBJECT

private slots:
    void RealFilesAgreeWithIcoutils_data();
    void RealFilesAgreeWithIcoutils();
    void IconFilesCountAsOneIcon_data();
    void IconFilesCountAsOneIcon();
    void WrittenLibrariesReadBack();
    void PictureFitsTheSizeAsked_data();
    void PictureFitsTheSizeAsked();
    void WriterRefusesWhatIsNotAnIcon_data();
    void WriterRefusesWhatIsNotAnIcon();
    void DamagedFilesHaveNoIcons_data();
    void DamagedFilesHaveNoIcons();
    void MaskMakesPixelsTransparent_data();
    void MaskMakesPixelsTransparent();
    void DamagedPicturesAreNull_data();
    void DamagedPicturesAreNull();
    void ShippedLibrariesHoldTheirIcons_data();
    void ShippedLibrariesHoldTheirIcons();
};

void TestIconLibrary::RealFilesAgreeWithIcoutils_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("expectedCount");
    // icotool reads the group wrestool takes out, so the pictures can be compared.
    QTest::addColumn<bool>("comparable");
    QTest::newRow("PE32 stub") << NsisStubs + "zlib-x86-ansi" << 1 << true;
    QTest::newRow("PE32+ stub") << NsisStubs + "lzma-amd64-unicode" << 1 << true;
    QTest::newRow("shell32.dll") << Shell32 << 184 << true;
    QTest::newRow("shipped NE library") << QCoreApplication::applicationDirPath() + "/holiday.icl" << 32 << true;
    // A small 16-bit DLL as resource compilers lay them out: a bitmap, a cursor, a resource of a
    // named type, three icon images and two groups, the second named; images from nsis-common.
    QTest::newRow("NE with other resources") << QString(ICON_TEST_DATA "/mixed-resources.dll") << 2 << true;
    // A real NE module, cut from Wine's display.drv16: one group of ten images up to 256 pixels.
    // wrestool's copy of the group miscounts its 256-pixel image and icotool refuses it, so only
    // the count is compared and the pictures must decode.
    QTest::newRow("NE from Wine") << QString(ICON_TEST_DATA "/wine-display.drv16") << 1 << false;
    // A real NE file of another kind: its resource table holds fonts only.
    QTest::newRow("NE font file") << "/usr/share/wine/fonts/sserife.fon" << 0 << true;
}

// Counts and, for every icon with a 32-pixel image, the picture: wrestool takes the groups out
// as .ico files, icotool the 32-pixel image with the most colours. Each tool works on the whole
// file at once: started once for each of hundreds of groups, they would take most of the time.
void TestIconLibrary::RealFilesAgreeWithIcoutils()
{
    QFETCH(QString, fileName);
    QFETCH(int, expectedCount);
    QFETCH(bool, comparable);
    if (QStandardPaths::findExecutable("wrestool").isEmpty() || QStandardPaths::findExecutable("icotool").isEmpty())
        QSKIP("icoutils is not installed (scripts/setup.sh installs it)");
    if (!QFile::exists(fileName))
        QSKIP(qPrintable(fileName + " is missing (scripts/setup.sh installs nsis-common, libwine and fonts-wine)"));
    const QByteArray file = ReadAll(fileName);
    const QStringList groups = Run("wrestool", {"-l", "-t14", fileName}).split('\n', Qt::SkipEmptyParts);
    if (expectedCount >= 0)
        QCOMPARE(groups.size(), expectedCount);
    QCOMPARE(IconCount(file), groups.size());
    if (groups.isEmpty())
        return;

    // wrestool names each group's file after the library, the type and the group, with the
    // group's language added in some files and not in others.
    QTemporaryDir folder;
    Run("wrestool", {"-x", "-t14", "-o", folder.path(), fileName});
    const QRegularExpression name("--name=(?:'([^']*)'|(\\d+))(?: --language=(\\d+))?");
    QStringList groupNames, icos;
    for (const QString& line : groups) {
        const QRegularExpressionMatch match = name.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const QString group = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        const QString stem = folder.filePath(QFileInfo(fileName).fileName() + "_14_" + group);
        const QString withLanguage = stem + "_" + match.captured(3) + ".ico";
        groupNames << group;
        icos << (!match.captured(3).isEmpty() && QFile::exists(withLanguage) ? withLanguage : stem + ".ico");
        QVERIFY2(QFile::exists(icos.last()), qPrintable(icos.last()));
    }

    // The images of every group, listed by one shell, each group's after a line with its file.
    const QString script = "for ico; do echo \"== $ico\"; icotool -l \"$ico\"; done";
    QHash<QString, QStringList> listings;
    QString current;
    for (const QString& line : Run("sh", QStringList{"-c", script, "sh"} + icos).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith("== "))
            current = line.mid(3);
        else
            listings[current] << line;
    }
    // icotool names each picture after its .ico file, its index and its size and depth; one it
    // refuses has no file.
    const QString pictures = folder.filePath("png");
    QVERIFY(QDir().mkpath(pictures));
    Run("icotool", QStringList{"-x", "-o", pictures} + icos);

    const QRegularExpression entry("--index=(\\d+) --width=32 --height=32 --bit-depth=(\\d+)");
    int compared = 0;
    for (int index = 0; index < icos.size(); ++index) {
        int bestIndex = 0, bestDepth = -1;
        for (const QString& line : listings.value(icos[index])) {
            const QRegularExpressionMatch image = entry.match(line);
            if (image.hasMatch() && image.captured(2).toInt() > bestDepth) {
                bestIndex = image.captured(1).toInt();
                bestDepth = image.captured(2).toInt();
            }
        }
        if (bestDepth < 0 || bestDepth == 16)
            continue; // no 32-pixel image, or one that neither side decodes alike
        const QImage theirs(QDir(pictures).filePath(QString("%1_%2_32x32x%3.png")
                                                        .arg(QFileInfo(icos[index]).completeBaseName())
                                                        .arg(bestIndex)
                                                        .arg(bestDepth)));
        if (theirs.isNull()) {
            // icotool refuses bitmaps whose header miscounts their size; such icons are shown
            // all the same.
            QVERIFY2(!IconPicture(file, index).isNull(), qPrintable(groupNames[index]));
            continue;
        }
        QVERIFY2(SamePicture(IconPicture(file, index), theirs),
                 qPrintable(QString("icon %1 (%2)").arg(index).arg(groupNames[index])));
        ++compared;
    }
    QVERIFY(compared > 0 || !comparable);
}

void TestIconLibrary::IconFilesCountAsOneIcon_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("nsis1-install") << NsisIcons + "nsis1-install.ico";
    QTest::newRow("modern-install") << NsisIcons + "modern-install.ico";
    QTest::newRow("pixel-install") << NsisIcons + "pixel-install.ico";
    QTest::newRow("uninstaller stub, an icon file") << NsisStubs + "uninst";
}

void TestIconLibrary::IconFilesCountAsOneIcon()
{
    QFETCH(QString, fileName);
    if (!QFile::exists(fileName))
        QSKIP(qPrintable(fileName + " is missing (scripts/setup.sh installs nsis-common)"));
    const QByteArray file = ReadAll(fileName);
    QCOMPARE(IconCount(file), 1);
    const QImage picture = IconPicture(file, 0);
    QCOMPARE(picture.size(), QSize(32, 32));
    QImage reference;
    QVERIFY(reference.loadFromData(file, "ICO"));
    // Qt's reader gives the first image; compare when that is the one at the asked size.
    if (reference.size() == QSize(32, 32) && reference.depth() == 32)
        QVERIFY(SamePicture(picture, reference));
    QVERIFY(IconPicture(file, 1).isNull());
    QVERIFY(IconPicture(file, -1).isNull());
    QCOMPARE(IconFile(file, 0).size(), file.size());
}

void TestIconLibrary::WrittenLibrariesReadBack()
{
    const QList<QByteArray> icons{MakeIco({32, 16}), MakeIco({16}), MakeIco({48, 32})};
    const QByteArray library = MakeLibrary(icons);
    QCOMPARE(IconCount(library), 3);
    for (int index = 0; index < icons.size(); ++index) {
        const QByteArray ico = IconFile(library, index);
        QCOMPARE(IconCount(ico), 1);
        // The images come back in their order; NE rounds each length up to its alignment unit.
        for (int image = 0; image < quint8(icons[index][4]); ++image) {
            QCOMPARE(ico.mid(6 + 16 * image, 8), icons[index].mid(6 + 16 * image, 8));
        }
        QVERIFY(SamePicture(IconPicture(library, index), IconPicture(icons[index], 0)));
    }
    QVERIFY(IconPicture(library, 3).isNull());
}

void TestIconLibrary::PictureFitsTheSizeAsked_data()
{
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("chosen");
    QTest::newRow("exact among others") << QList<int>{16, 32, 48} << 32 << 32;
    QTest::newRow("nearest larger") << QList<int>{16, 48, 64} << 32 << 48;
    QTest::newRow("only smaller: the largest") << QList<int>{8, 16} << 32 << 16;
    QTest::newRow("small size asked") << QList<int>{16, 32} << 16 << 16;
}

void TestIconLibrary::PictureFitsTheSizeAsked()
{
    QFETCH(QList<int>, sizes);
    QFETCH(int, asked);
    QFETCH(int, chosen);
    const QByteArray ico = MakeIco(sizes);
    const QByteArray single = MakeIco({chosen});
    QImage expected;
    QVERIFY(expected.loadFromData(single, "ICO"));
    expected = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   .scaled(asked, asked, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage picture = IconPicture(ico, 0, asked);
    QCOMPARE(picture.size(), QSize(asked, asked));
    QVERIFY(SamePicture(picture, expected));
}

void TestIconLibrary::WriterRefusesWhatIsNotAnIcon_data()
{
    QTest::addColumn<QList<QByteArray>>("icons");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing") << QList<QByteArray>{} << "no icon files given";
    QTest::newRow("text") << QList<QByteArray>{MakeIco({16}), "hello"} << "b.ico: not an icon file";
    QTest::newRow("a library") << QList<QByteArray>{MakeLibrary({MakeIco({16})})} << "a.ico: not an icon file";
}

void TestIconLibrary::WriterRefusesWhatIsNotAnIcon()
{
    QFETCH(QList<QByteArray>, icons);
    QFETCH(QString, error);
    const TIconLibraryResult result = MakeIconLibrary(icons, {"a.ico", "b.ico"});
    QCOMPARE(result.Error, error);
    QVERIFY(result.Library.isEmpty());
}

void TestIconLibrary::DamagedFilesHaveNoIcons_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    const QByteArray library = MakeLibrary({MakeIco({32}), MakeIco({16})});
    constexpr int ne = 0x40, table = 0x80;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("text") << QByteArray("just some text\n") << 0;
    QTest::newRow("MZ alone") << QByteArray("MZ") << 0;
    QTest::newRow("header offset past the end") << library.left(0x3C) + QByteArray("\xff\xff\x00\x00", 4) << 0;
    QByteArray noTable = library;
    Put16(noTable, ne + 0x24, 0xFFF0);
    QTest::newRow("NE table past the end") << noTable << 0;
    QByteArray shift = library;
    Put16(shift, table, 31);
    QTest::newRow("NE shift too large") << shift << 0;
    QTest::newRow("NE table cut short") << library.left(table + 12) << 0;
    QByteArray endless = library;
    Put16(endless, table + 4, 0xFFFF);
    QTest::newRow("NE more entries than the file holds") << endless << 0;
    QByteArray outside = library;
    Put16(outside, table + 10, 0xFFFF); // the first group's offset
    QTest::newRow("NE group outside the file") << outside << 1;
    QByteArray shortGroup = library;
    shortGroup[(quint8(library[table + 10]) | quint8(library[table + 11]) << 8) * 16 + 4] = char(200);
    QTest::newRow("group with more images than its data") << shortGroup << 1;
    QTest::newRow("ICO header alone") << QByteArray("\0\0\1\0\1\0", 6) << 0;
    QByteArray icoOutside = MakeIco({16});
    icoOutside[6 + 12 + 2] = char(0x7F);
    QTest::newRow("ICO image outside the file") << icoOutside << 0;
    QByteArray icoNone = MakeIco({16});
    icoNone[4] = 0;
    QTest::newRow("ICO without images") << icoNone << 0;

    const QByteArray stub = ReadAll(NsisStubs + "zlib-x86-ansi");
    if (stub.isEmpty())
        return;
    const int pe = PeHeader(stub);
    QByteArray sections = stub;
    Put16(sections, pe + 6, 0xFFFF);
    QTest::newRow("PE with too many sections") << sections << 0;
    QByteArray magic = stub;
    Put16(magic, pe + 24, 0x1234);
    QTest::newRow("PE optional header unknown") << magic << 0;
    QTest::newRow("PE cut before its resources") << stub.left(stub.size() / 2) << 0;
    QTest::newRow("PE cut inside its headers") << stub.left(pe + 30) << 0;
}

void TestIconLibrary::DamagedFilesHaveNoIcons()
{
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QCOMPARE(IconCount(file), count);
    for (int index = -1; index <= count; ++index) {
        const QImage picture = IconPicture(file, index);
        QVERIFY(picture.isNull() || picture.size() == QSize(32, 32));
    }
    QVERIFY(IconPicture(file, count).isNull());
}

void TestIconLibrary::MaskMakesPixelsTransparent_data()
{
    QTest::addColumn<int>("bitCount");
    QTest::newRow("16 colours") << 4;
    QTest::newRow("256 colours") << 8;
    QTest::newRow("24-bit") << 24;
}

// Icons without an alpha channel mark their transparent pixels in the AND mask, at every depth.
void TestIconLibrary::MaskMakesPixelsTransparent()
{
    QFETCH(int, bitCount);
    const QImage picture = IconPicture(MaskedIco(bitCount), 0, 16);
    QCOMPARE(picture.size(), QSize(16, 16));
    for (const int y : {0, 7, 15}) {
        QCOMPARE(qAlpha(picture.pixel(0, y)), 0);
        QCOMPARE(qAlpha(picture.pixel(7, y)), 0);
        QCOMPARE(picture.pixel(8, y), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(15, y), qRgb(255, 0, 0));
    }
}

void TestIconLibrary::DamagedPicturesAreNull_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray ico = MakeIco({16});
    const int image = 6 + 16;
    QByteArray wide = ico;
    wide[image + 5] = char(0x75); // 30000 pixels wide
    QTest::newRow("bitmap too wide") << wide;
    QByteArray flat = ico;
    flat[image + 8] = 0;
    QTest::newRow("bitmap without height") << flat;
    QByteArray depth = ico;
    depth[image + 14] = 16;
    QTest::newRow("16-bit bitmap") << depth;
    QByteArray header = ico;
    header[image] = 12;
    QTest::newRow("old small bitmap header") << header;
    QByteArray png = QByteArray("\0\0\1\0\1\0", 6) + QByteArray(8, '\0') + QByteArray("\x28\0\0\0\x16\0\0\0", 8);
    png += QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x06\0\0\0", 29) +
           QByteArray(11, '\0');
    QTest::newRow("PNG of 100000 pixels") << png;
    QByteArray shortBits = ico.left(image + 60);
    Put16(shortBits, 6 + 8, 60);
    Put16(shortBits, 6 + 10, 0);
    QTest::newRow("bitmap cut short") << shortBits;
}

void TestIconLibrary::DamagedPicturesAreNull()
{
    QFETCH(QByteArray, file);
    QCOMPARE(IconCount(file), 1);
    QVERIFY(IconPicture(file, 0).isNull());
}

void TestIconLibrary::ShippedLibrariesHoldTheirIcons_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"activity.icl", "events.icl", "holiday.icl", "misc1.icl", "misc2.icl"})
        QTest::newRow(name) << QString(name);
}

void TestIconLibrary::ShippedLibrariesHoldTheirIcons()
{
    QFETCH(QString, name);
    const QByteArray file = ReadAll(QCoreApplication::applicationDirPath() + "/" + name);
    const int count = IconCount(file);
    QVERIFY2(count >= 16 && count <= 40, qPrintable(QString::number(count)));
    QList<QImage> seen;
    for (int index = 0; index < count; ++index) {
        const QImage picture = IconPicture(file, index);
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY2(!seen.contains(picture), qPrintable(QString("icon %1 repeats an earlier one").arg(index)));
        seen.append(picture);
        QCOMPARE(IconPicture(file, index, 16).size(), QSize(16, 16));
    }
}

QTEST_MAIN(TestIconLibrary)
#include "TestIconLibrary.moc"
