// The picture object on a calendar page: creation values, AutoSize and Stretch, its menu, the
// picture browser run through the scripted dialogs, painting, its record in a calendar file
// (bitmap, icon and metafile pictures read and written back byte for byte) and printing
// (bitmaps as images, metafiles as vectors) at its place whatever the zoom.

#include "../common/FileBytes.h"
#include "CalendarFixtures.h"
#include "../common/PdfTools.h"
#include "calendar/CalendarPanel32.h"
#include "imaging/Picture.h"
#include "objects/GImage.h"
#include "objects/GImageBrowser.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platformui/ScriptedUiServices.h"
#include "print/ReportPrinter.h"
#include "stream/ValueType.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Str(const QByteArray& text)
{
    return char(text.size()) + text;
}

QByteArray Le32(quint32 v)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

QByteArray Int8(int value)
{
    return QByteArray(1, char(vaInt8)) + char(value);
}

QByteArray Boolean(bool value)
{
    return QByteArray(1, char(value ? vaTrue : vaFalse));
}

QByteArray Binary(const QByteArray& data)
{
    return QByteArray(1, char(vaBinary)) + Le32(quint32(data.size())) + data;
}

// A 60 × 40 bitmap: red left half, blue right half.
QImage TwoColours(QSize size = {60, 40})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    return image;
}

QByteArray BmpFile(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray Le16(int v)
{
    return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF);
}

// A placeable WMF of 1 × 0.5 inches (1440 units an inch) filled with a red rectangle.
QByteArray RedWmf()
{
    QByteArray records;
    const auto record = [&records](int function, const QList<int>& words) {
        records += Le32(quint32(3 + words.size())) + Le16(function);
        for (const int w : words)
            records += Le16(w);
    };
    record(0x02FC, {0, 0x00FF, 0, 0}); // red solid brush
    record(0x02FA, {5, 0, 0, 0, 0});   // no pen
    record(0x012D, {0});
    record(0x012D, {1});
    record(0x041B, {720, 1440, 0, 0});
    record(0, {});
    const QByteArray meta =
        Le16(1) + Le16(9) + Le16(0x300) + Le32(quint32((18 + records.size()) / 2)) + Le16(2) + Le32(0) + Le16(0);
    QByteArray header = Le32(0x9AC6CDD7) + Le16(0) + Le16(0) + Le16(0) + Le16(1440) + Le16(720) + Le16(1440) + Le32(0);
    int checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint8(header[2 * i]) | (quint8(header[2 * i + 1]) << 8);
    return header + Le16(checksum) + meta + records;
}

// A 2 × 2 icon of 32 bits, all green.
QByteArray GreenIcon()
{
    QByteArray image =
        Le32(40) + Le32(2) + Le32(4) + Le16(1) + Le16(32) + Le32(0) + Le32(24) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
    for (int i = 0; i < 4; ++i)
        image += QByteArray("\x00\xFF\x00\xFF", 4);
    image += QByteArray(8, '\0');
    return Le16(0) + Le16(1) + Le16(1) + QByteArray("\x02\x02\x00\x00", 4) + Le16(1) + Le16(32) +
           Le32(quint32(image.size())) + Le32(22) + image;
}

// A 2 × 1 PCX of 24 bits, uncompressed: red, blue.
QByteArray RedBluePcx()
{
    QByteArray header(128, '\0');
    header[0] = 0x0A;
    header[1] = 5;
    header[3] = 8;                                             // bits per pixel in a plane
    header[8] = 1;                                             // right edge: x 0..1
    header[65] = 3;                                            // planes
    header[66] = 2;                                            // bytes per line and plane
    return header + QByteArray("\xFF\x00\x00\x00\x00\xFF", 6); // red plane, green, blue
}

// A 2 × 1 TGA of 24 bits (type 2), top row first: red, blue.
QByteArray RedBlueTga()
{
    QByteArray header(18, '\0');
    header[2] = 2;
    header[12] = 2;
    header[14] = 1;
    header[16] = 24;
    header[17] = 0x20;
    return header + QByteArray("\x00\x00\xFF\xFF\x00\x00", 6);
}

QByteArray BitmapBlock()
{
    const QByteArray bmp = BmpFile(TwoColours());
    return Str("TBitmap") + Le32(quint32(bmp.size())) + bmp;
}

QByteArray MetafileBlock()
{
    const QByteArray wmf = RedWmf();
    return Str("TMetafile") + Le32(quint32(wmf.size() + 4)) + wmf;
}

QByteArray IconBlock()
{
    return Str("TIcon") + GreenIcon();
}

// The record of a picture object property by property: the inherited ones, then AutoSize
// (only when set), BorderStyle (always), Picture.Data (when there is a picture) and Stretch
// (only when cleared).
QByteArray ImageRecord(const QByteArray& name, bool autoSize, bool border, const QByteArray& block,
                       QSize size = {60, 40})
{
    QByteArray record = "TPF0" + Str("TGImage") + Str(name) + Str("Left") + Int8(40) + Str("Top") + Int8(30) +
                        Str("Width") + Int8(size.width()) + Str("Height") + Int8(size.height()) + Str("Locked") +
                        Boolean(false) + Str("Unselectable") + Boolean(false);
    if (autoSize)
        record += Str("AutoSize") + Boolean(true);
    record += Str("BorderStyle") + char(vaIdent) + Str(border ? "bsSingle" : "bsNone");
    if (!block.isEmpty())
        record += Str("Picture.Data") + Binary(block);
    if (autoSize)
        record += Str("Stretch") + Boolean(false);
    return record + QByteArray(2, '\0');
}

// A page with one picture object, placed at `rect`.
// A data folder of its own for MV.ini, which keeps the picture browser's folder.
struct TDataFolder {
    QTemporaryDir Dir;
    TDataFolder() { OverrideDataFolder(Dir.path() + "/"); }
    ~TDataFolder() { OverrideDataFolder(QString()); }
};

struct TPictureFixture {
    TDataFolder Data;
    TOwner Owner;
    TCalendarPanel32 Page{&Owner};
    TGImage* Image = nullptr;
    TScriptedUiServices Ui;

    explicit TPictureFixture(const QRect& rect = {96, 96, 120, 80})
    {
        InstallUiServices(&Ui);
        Image = new TGImage(&Owner);
        Image->Loaded();
        Page.PlaceObject(*Image, rect);
    }
    ~TPictureFixture() { InstallUiServices(nullptr); }
};

QImage Painted(TGImage& image)
{
    QImage shown(image.size(), QImage::Format_RGB32);
    shown.fill(Qt::green);
    QPainter painter(&shown);
    image.Draw(painter, image.size(), true);
    return shown;
}

QStringList MenuTexts(QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}

QColor At(const QImage& page, double x, double y)
{
    return page.pixelColor(int(x * 72), int(y * 72));
}

// The darkest value on the page along the horizontal line at y between x1 and x2 inches.
int DarkestAlong(const QImage& page, double x1, double x2, double y)
{
    int darkest = 255;
    for (int x = int(x1 * 72); x <= int(x2 * 72); ++x)
        darkest = qMin(darkest, page.pixelColor(x, int(y * 72)).value());
    return darkest;
}

} // namespace

class TestPictureObjects : public QObject {
    Q_OBJECT
private slots:
    void CreationValues();
    void StretchAndAutoSizeExcludeEachOther_data();
    void StretchAndAutoSizeExcludeEachOther();
    void AutoSizeTakesThePictureSizeTimesTheZoom();
    void MenuItemsAndCheckMarks();
    void Painting_data();
    void Painting();
    void BrowserLoadsAFileOnOk_data();
    void BrowserLoadsAFileOnOk();
    void BrowserLeavesThePicture_data();
    void BrowserLeavesThePicture();
    void BrowserOptionsAndMask();
    void BrowserShowsItsFolderWhole();
    void BrowserStartsInTheLastPicturesFolder_data();
    void BrowserStartsInTheLastPicturesFolder();
    void HandWrittenFileIsReadAndWrittenBackUnchanged_data();
    void HandWrittenFileIsReadAndWrittenBackUnchanged();
    void DamagedPictureLeavesTheObjectOut();
    void CloneKeepsPictureAndOptions();
    void PrintsAtItsPlace_data();
    void PrintsAtItsPlace();
};

void TestPictureObjects::CreationValues()
{
    TOwner owner;
    TGImage image(&owner);
    QCOMPARE(image.size(), QSize(105, 105));
    QVERIFY(image.Stretch());
    QVERIFY(!image.AutoSize());
    QCOMPARE(image.BorderStyle(), bsNone);
    QVERIFY(image.Picture().IsEmpty());
}

void TestPictureObjects::StretchAndAutoSizeExcludeEachOther_data()
{
    QTest::addColumn<bool>("autoSizeFirst");
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("value");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("autoSize");
    QTest::newRow("SetStretch(True) clears AutoSize") << true << "stretch" << true << true << false;
    QTest::newRow("SetStretch(False) sets AutoSize") << false << "stretch" << false << false << true;
    QTest::newRow("SetAutoSize(True) clears Stretch") << false << "autosize" << true << false << true;
    QTest::newRow("SetAutoSize(False) sets Stretch") << true << "autosize" << false << true << false;
    QTest::newRow("SetStretch(True) when already stretched") << false << "stretch" << true << true << false;
}

void TestPictureObjects::StretchAndAutoSizeExcludeEachOther()
{
    QFETCH(bool, autoSizeFirst);
    QFETCH(QString, call);
    QFETCH(bool, value);
    QFETCH(bool, stretch);
    QFETCH(bool, autoSize);
    TPictureFixture f;
    f.Image->SetAutoSize(autoSizeFirst);
    if (call == "stretch")
        f.Image->SetStretch(value);
    else
        f.Image->SetAutoSize(value);
    QCOMPARE(f.Image->Stretch(), stretch);
    QCOMPARE(f.Image->AutoSize(), autoSize);
}

void TestPictureObjects::AutoSizeTakesThePictureSizeTimesTheZoom()
{
    TPictureFixture f;
    f.Image->SetPicture(TPicture::FromImage(TwoColours({60, 42})));
    QCOMPARE(f.Image->size(), QSize(120, 80)); // stretched: the box stays
    f.Page.SetZoom(0.5f);
    f.Image->SetAutoSize(true);
    QCOMPARE(f.Image->size(), QSize(30, 21));
    QCOMPARE(f.Image->DocumentBounds().size(), QSize(60, 42));
    // Back to "Stretch to Fit": the current size stays.
    f.Image->SetStretch(true);
    QCOMPARE(f.Image->size(), QSize(30, 21));
    // Resizing an auto-sized object gives the picture's size back.
    f.Image->SetAutoSize(true);
    f.Image->SetBounds(f.Image->Left(), f.Image->Top(), 90, 90);
    QCOMPARE(f.Image->size(), QSize(30, 21));
    f.Page.SetZoom(1.0f);
    QCOMPARE(f.Image->size(), QSize(60, 42));
}

void TestPictureObjects::MenuItemsAndCheckMarks()
{
    TPictureFixture f;
    QMenu& menu = *f.Image->ObjectMenu();
    const QStringList texts = MenuTexts(menu);
    QCOMPARE(texts.mid(texts.size() - 6),
             (QStringList{"-", "Load Image From Disk", "-", "Border", "Stretch to Fit", "AutoSize"}));
    const auto item = [&menu](const QString& text) {
        for (QAction* action : menu.actions())
            if (action->text() == text)
                return action;
        return static_cast<QAction*>(nullptr);
    };
    f.Image->PopupMenuOpening();
    QVERIFY(!item("Border")->isChecked());
    QVERIFY(item("Stretch to Fit")->isChecked());
    QVERIFY(!item("AutoSize")->isChecked());
    int changes = 0;
    f.Page.LabelChangedEvent = [&changes](TComponent*) { ++changes; };
    item("Border")->trigger();
    QCOMPARE(f.Image->BorderStyle(), bsSingle);
    item("AutoSize")->trigger();
    QVERIFY(f.Image->AutoSize());
    item("Stretch to Fit")->trigger();
    QVERIFY(f.Image->Stretch());
    QVERIFY(changes >= 3); // each command marks the calendar modified
    f.Image->PopupMenuOpening();
    QVERIFY(item("Border")->isChecked());
    QVERIFY(item("Stretch to Fit")->isChecked());
    QVERIFY(!item("AutoSize")->isChecked());
    item("Border")->trigger();
    QCOMPARE(f.Image->BorderStyle(), bsNone);
}

void TestPictureObjects::Painting_data()
{
    QTest::addColumn<QByteArray>("block"); // empty: no picture
    QTest::addColumn<bool>("border");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QColor>>("colours");
    const QList<QPoint> corners{{0, 0}, {119, 79}, {30, 40}, {90, 40}};
    QTest::newRow("no picture: a framed white box")
        << QByteArray() << false << corners << QList<QColor>{Qt::black, Qt::black, Qt::white, Qt::white};
    QTest::newRow("bitmap scaled to the box")
        << BitmapBlock() << false << corners << QList<QColor>{Qt::red, Qt::blue, Qt::red, Qt::blue};
    QTest::newRow("bitmap with a border")
        << BitmapBlock() << true << corners << QList<QColor>{Qt::black, Qt::black, Qt::red, Qt::blue};
    QTest::newRow("metafile scaled to the box")
        << MetafileBlock() << false << corners << QList<QColor>{Qt::red, Qt::red, Qt::red, Qt::red};
    QTest::newRow("icon scaled to the box")
        << IconBlock() << false << corners << QList<QColor>{Qt::green, Qt::green, Qt::green, Qt::green};
}

void TestPictureObjects::Painting()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, border);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QColor>, colours);
    TPictureFixture f;
    if (!block.isEmpty())
        f.Image->SetPicture(*TPicture::FromDataBlock(block));
    f.Image->SetBorderStyle(border ? bsSingle : bsNone);
    const QImage shown = Painted(*f.Image);
    for (int i = 0; i < points.size(); ++i)
        QCOMPARE(shown.pixelColor(points[i]), colours[i]);
    // Nothing at all while the page's painting is suspended.
    f.Page.SetPaintingSuspended(true);
    QImage suspended(f.Image->size(), QImage::Format_RGB32);
    suspended.fill(Qt::green);
    f.Image->render(&suspended, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(suspended.pixelColor(30, 40), QColor(Qt::green));
}

void TestPictureObjects::BrowserLoadsAFileOnOk_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("bitmap, stretched") << "two.bmp" << BmpFile(TwoColours()) << false << int(TGraphicKind::Bitmap)
                                       << QSize(120, 80);
    QTest::newRow("bitmap, auto-sized") << "TWO.BMP" << BmpFile(TwoColours()) << true << int(TGraphicKind::Bitmap)
                                        << QSize(60, 40);
    QTest::newRow("icon becomes a bitmap")
        << "green.ico" << GreenIcon() << true << int(TGraphicKind::Bitmap) << QSize(2, 2);
    QTest::newRow("metafile stays a metafile")
        << "red.wmf" << RedWmf() << true << int(TGraphicKind::Metafile) << QSize(96, 48);
    QTest::newRow("PCX through our decoder")
        << "two.PCX" << RedBluePcx() << true << int(TGraphicKind::Bitmap) << QSize(2, 1);
    QTest::newRow("TGA through our decoder")
        << "two.tga" << RedBlueTga() << true << int(TGraphicKind::Bitmap) << QSize(2, 1);
    // Both options unticked: AutoSize is taken last, so Stretch comes back on.
    QTest::newRow("neither option") << "two.bmp" << BmpFile(TwoColours()) << false << int(TGraphicKind::Bitmap)
                                    << QSize(120, 80);
}

void TestPictureObjects::BrowserLoadsAFileOnOk()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, autoSize);
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    WriteBytes(dir.filePath(file), bytes);
    TPictureFixture f;
    int changes = 0;
    f.Page.LabelChangedEvent = [&changes](TComponent*) { ++changes; };
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        auto& browser = dynamic_cast<TGImageBrowser&>(dialog);
        browser.SetFolder(dir.path());
        if (!browser.SelectFile(file))
            return int(QDialog::Rejected);
        if (QTest::currentDataTag() == QString("neither option"))
            browser.SetStretchChecked(false);
        else
            browser.findChild<QCheckBox*>(autoSize ? "AutoSizeCheck" : "StretchCheck")->setChecked(true);
        return int(QDialog::Accepted);
    });
    f.Image->LoadImage();
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TGImageBrowser"});
    QCOMPARE(int(f.Image->Picture().Kind()), kind);
    QCOMPARE(f.Image->AutoSize(), autoSize);
    QCOMPARE(f.Image->Stretch(), !autoSize);
    QCOMPARE(f.Image->size(), size);
    if (size == QSize(2, 1)) {
        QCOMPARE(f.Image->Picture().Image().pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(f.Image->Picture().Image().pixel(1, 0), qRgb(0, 0, 255));
    }
    QVERIFY(changes > 0);
    QVERIFY(f.Ui.Messages.isEmpty());
    // The next browser starts in this picture's folder.
    QCOMPARE(TGImageBrowser::RememberedFolder(), QDir(dir.path()).absolutePath());
}

void TestPictureObjects::BrowserLeavesThePicture_data()
{
    QTest::addColumn<QString>("file"); // selected in the browser; empty: none
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("cancel") << "two.bmp" << false << QStringList{};
    QTest::newRow("Ok without a file") << "" << true << QStringList{};
    QTest::newRow("damaged bitmap: told") << "broken.bmp" << true << QStringList{"Error loading file!"};
    QTest::newRow("damaged metafile: told") << "broken.wmf" << true << QStringList{"Error loading file!"};
    QTest::newRow("damaged PCX: an empty preview") << "broken.pcx" << true << QStringList{};
}

void TestPictureObjects::BrowserLeavesThePicture()
{
    QFETCH(QString, file);
    QFETCH(bool, ok);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    WriteBytes(dir.filePath("two.bmp"), BmpFile(TwoColours()));
    for (const QString name : {"broken.bmp", "broken.wmf", "broken.pcx"})
        WriteBytes(dir.filePath(name), "BM\x0A garbage");
    TPictureFixture f;
    const TPicture before = *TPicture::FromDataBlock(MetafileBlock());
    f.Image->SetPicture(before);
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        auto& browser = dynamic_cast<TGImageBrowser&>(dialog);
        browser.SetFolder(dir.path());
        if (!file.isEmpty() && !browser.SelectFile(file))
            return int(QDialog::Rejected);
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    });
    f.Image->LoadImage();
    QVERIFY(f.Image->Picture() == before);
    QCOMPARE(TGImageBrowser::RememberedFolder(), QString());
    QStringList shown;
    for (const auto& message : f.Ui.Messages)
        shown << message.Text;
    QCOMPARE(shown, messages);
}

void TestPictureObjects::BrowserOptionsAndMask()
{
    QTemporaryDir dir;
    for (const QString name :
         {"a.bmp", "B.DIB", "c.jpg", "d.JIF", "e.pcx", "f.rle", "g.tga", "h.wmf", "i.ico", "j.png", "k.gif", "l.txt"})
        WriteBytes(dir.filePath(name), "x");
    QDir(dir.path()).mkdir("sub");
    TGImageBrowser browser;
    QCOMPARE(browser.windowTitle(), QString("Load Image File "));
    browser.SetFolder(dir.path());
    QStringList listed;
    auto* files = browser.findChild<QListWidget*>("FileListBox1");
    for (int i = 0; i < files->count(); ++i)
        listed << files->item(i)->text();
    QCOMPARE(listed, (QStringList{"a.bmp", "B.DIB", "c.jpg", "d.JIF", "e.pcx", "f.rle", "g.tga", "h.wmf", "i.ico"}));
    auto* folders = browser.findChild<QListWidget*>("DirectoryListBox1");
    QCOMPARE(folders->item(folders->count() - 1)->text(), QString("sub"));
    emit folders->itemActivated(folders->item(folders->count() - 1));
    QCOMPARE(browser.Folder(), QDir(dir.filePath("sub")).absolutePath());
    // Ticking one option unticks the other.
    browser.SetStretchChecked(true);
    browser.SetAutoSizeChecked(true);
    QVERIFY(!browser.StretchChecked());
    browser.SetStretchChecked(true);
    QVERIFY(!browser.AutoSizeChecked());
}

void TestPictureObjects::BrowserShowsItsFolderWhole()
{
    QTemporaryDir dir;
    const QString sub = QDir(dir.path()).absoluteFilePath("sub");
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    TDataFolder data;
    TGImageBrowser browser;
    browser.SetFolder(sub);
    auto* drive = browser.findChild<QComboBox*>("DriveComboBox1");
    QCOMPARE(drive->currentText(), sub);
    QCOMPARE(drive->toolTip(), sub);
    // Below it, each folder above it up to the root.
    QStringList listed;
    for (int i = 0; i < drive->count(); ++i)
        listed << drive->itemText(i);
    QCOMPARE(listed.value(1), QDir(dir.path()).absolutePath());
    QCOMPARE(listed.last(), QDir::rootPath());
    QCOMPARE(listed.size(), sub.count('/') + 1);
    // Choosing one goes there.
    emit drive->textActivated(listed.value(1));
    QCOMPARE(browser.Folder(), QDir(dir.path()).absolutePath());
    QCOMPARE(drive->currentText(), browser.Folder());
}

void TestPictureObjects::BrowserStartsInTheLastPicturesFolder_data()
{
    QTest::addColumn<QString>("stored"); // MV.ini's value; "<dir>" stands for an existing folder
    QTest::addColumn<bool>("used");
    QTest::newRow("an existing folder") << "<dir>" << true;
    QTest::newRow("nothing stored") << "" << false;
    QTest::newRow("a folder gone since") << "<dir>/gone" << false;
    QTest::newRow("a file, not a folder") << "<dir>/picture.bmp" << false;
    QTest::newRow("a relative path") << ".." << false;
}

void TestPictureObjects::BrowserStartsInTheLastPicturesFolder()
{
    QFETCH(QString, stored);
    QFETCH(bool, used);
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).absolutePath();
    WriteBytes(dir.filePath("picture.bmp"), BmpFile(TwoColours()));
    TDataFolder data;
    if (!stored.isEmpty())
        QVERIFY(TIniFile(IniFileName()).WriteString("Pictures", "Folder", QString(stored).replace("<dir>", folder)));
    TGImageBrowser browser;
    QCOMPARE(browser.Folder(), used ? folder : QDir::currentPath());
    QCOMPARE(browser.SelectFile("picture.bmp"), used);
}

void TestPictureObjects::HandWrittenFileIsReadAndWrittenBackUnchanged_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("kind");
    QTest::newRow("bitmap") << ImageRecord("Component0", false, false, BitmapBlock()) << int(TGraphicKind::Bitmap);
    QTest::newRow("icon, auto-sized, framed")
        << ImageRecord("Component0", true, true, IconBlock(), {2, 2}) << int(TGraphicKind::Icon);
    QTest::newRow("metafile") << ImageRecord("Component0", false, true, MetafileBlock()) << int(TGraphicKind::Metafile);
    QTest::newRow("no picture") << ImageRecord("Component0", false, false, {}) << int(TGraphicKind::None);
}

void TestPictureObjects::HandWrittenFileIsReadAndWrittenBackUnchanged()
{
    QFETCH(QByteArray, record);
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.MVF");
    {
        TCalendarPanel32 page(nullptr);
        page.SaveToFile(empty);
    }
    QByteArray bytes = FileBytes(empty);
    QVERIFY(bytes.endsWith(QByteArray("\x01\x00", 2)));
    bytes.insert(bytes.size() - 1, record);
    const QString written = dir.filePath("written.MVF");
    WriteBytes(written, bytes);

    TOwner owner;
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(written, &owner);
    QCOMPARE(page.ObjectsLeftOut(), QStringList());
    QCOMPARE(page.Objects().size(), 1);
    auto* image = dynamic_cast<TGImage*>(page.Objects().first());
    QVERIFY(image);
    QCOMPARE(int(image->Picture().Kind()), kind);
    const QString again = dir.filePath("again.MVF");
    page.SaveToFile(again);
    QCOMPARE(FileBytes(again).toHex(), bytes.toHex());
}

void TestPictureObjects::DamagedPictureLeavesTheObjectOut()
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.MVF");
    {
        TCalendarPanel32 page(nullptr);
        page.SaveToFile(empty);
    }
    QByteArray bytes = FileBytes(empty);
    QByteArray block = BitmapBlock();
    block.chop(10); // shorter than its size says
    bytes.insert(bytes.size() - 1, ImageRecord("Component0", false, false, block));
    const QString written = dir.filePath("damaged.MVF");
    WriteBytes(written, bytes);
    TOwner owner;
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(written, &owner);
    QCOMPARE(page.Objects().size(), 0);
    QCOMPARE(page.ObjectsLeftOut(), QStringList{"TGImage"});
}

void TestPictureObjects::CloneKeepsPictureAndOptions()
{
    TPictureFixture f;
    f.Image->SetPicture(*TPicture::FromDataBlock(MetafileBlock()));
    f.Image->SetAutoSize(true);
    f.Image->SetBorderStyle(bsSingle);
    f.Image->Clone();
    QCOMPARE(f.Page.Objects().size(), 2);
    auto* copy = dynamic_cast<TGImage*>(f.Page.Objects().last());
    QVERIFY(copy);
    QVERIFY(copy != f.Image);
    QCOMPARE(copy->Picture().DataBlock(), MetafileBlock());
    QVERIFY(copy->AutoSize());
    QCOMPARE(copy->BorderStyle(), bsSingle);
    QCOMPARE(copy->size(), QSize(96, 48));
    QCOMPARE(copy->Top(), f.Image->Top() + 25);
}

void TestPictureObjects::PrintsAtItsPlace_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("images"); // in the PDF
    QTest::newRow("bitmap at 100 %") << BitmapBlock() << 1.0f << 1;
    QTest::newRow("bitmap at 60 %") << BitmapBlock() << 0.6f << 1;
    QTest::newRow("metafile at 100 %: vectors") << MetafileBlock() << 1.0f << 0;
    QTest::newRow("metafile at 60 %: vectors") << MetafileBlock() << 0.6f << 0;
    QTest::newRow("icon as a bitmap") << IconBlock() << 1.0f << 1;
}

void TestPictureObjects::PrintsAtItsPlace()
{
    QFETCH(QByteArray, block);
    QFETCH(float, zoom);
    QFETCH(int, images);
    // 2 × 1 inches at (1, 2) inches on the page, printed with the page 0.5 inches from the left
    // and 0.25 from the top of the paper: (1.5, 2.25) .. (3.5, 3.25) on paper.
    TPictureFixture f(QRect(96, 192, 192, 96));
    f.Image->SetPicture(*TPicture::FromDataBlock(block));
    f.Image->SetBorderStyle(bsSingle);
    f.Page.SetZoom(zoom);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("picture.pdf");
    {
        TReportPrinter report(pdf);
        report.OnPrint = [&f](TReportPrinter& r) { f.Image->PrintTo(r, 0.5, 0.25); };
        report.Execute();
    }
    const QStringList imageLines = RunTool("pdfimages", {"-list", pdf}).trimmed().split('\n');
    QCOMPARE(imageLines.size() - 2, images);
    const QImage page = PdfPageImage(pdf, dir.path(), 72);
    QVERIFY(!page.isNull());
    const QColor inside = At(page, 1.9, 2.75);
    QVERIFY2((inside.red() > 200 && inside.blue() < 60) || inside.green() > 200, qPrintable(inside.name()));
    QCOMPARE(At(page, 1.4, 2.75), QColor(Qt::white));
    QCOMPARE(At(page, 3.6, 2.75), QColor(Qt::white));
    QCOMPARE(At(page, 1.9, 2.15), QColor(Qt::white));
    // The frame on the paper's rectangle.
    QVERIFY(DarkestAlong(page, 1.47, 1.53, 2.75) < 100);
    QVERIFY(DarkestAlong(page, 3.47, 3.53, 2.75) < 100);
}

QObject* NewTestPictureObjects()
{
    return new TestPictureObjects;
}

#include "TestPictureObjects.moc"
