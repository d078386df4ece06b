// The special-effects text: its shadow table, layout, setters and their side effects, gradient
// bands, drawing by surface, zoom, its stream record inside a calendar file (texture included),
// damaged texture data, and its printed letters as vector paths.

#include "../common/PdfTools.h"
#include "RecordBytes.h"
#include "calendar/CalendarPanel32.h"
#include "effects/GSuperText.h"
#include "platform/MervaneError.h"
#include "print/ReportPrinter.h"
#include "stream/ValueType.h"

#include <QBuffer>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QColor TextGround(0, 200, 0); // what lies under the object in the pixel tests

QByteArray Binary(const QByteArray& data)
{
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(data.size()), size.data());
    return char(vaBinary) + size + data;
}

// A bitmap block: the 4-byte size, then the BMP file.
QByteArray BitmapBlock(const QByteArray& bmp)
{
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(bmp.size()), size.data());
    return size + bmp;
}

QByteArray SmallBmp()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixelColor(0, 0, Qt::blue);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bmp;
}

// The record of a special-effects text made by the page tool, property by property; `image`
// is the texture block (none: not written).
QByteArray ToolRecord(const QByteArray& name, const QByteArray& image = {},
                      const QByteArray& surface = "stGradientFill", const QByteArray& outline = "psSolid")
{
    QByteArray record =
        "TPF0" + Str("TGSuperText") + Str(name) + Str("Left") + Int8(40) + Str("Top") + Int8(30) + Str("Width") +
        Int16(300) + Str("Height") + Int8(90) + Str("Locked") + Boolean(false) + Str("Unselectable") + Boolean(false) +
        Str("ShadowDepth") + Int8(4) + Str("ShadowOrientation") + Ident("sdLeft") + Str("Shadowcolor") +
        Ident("clRed") + Str("BorderStyle") + Ident("bsSingle") + Str("ControlTransparent") + Boolean(false) +
        Str("BGColor") + Ident("clWhite") + Str("Caption") + char(vaString) + Str("Mervane") + Str("Font.Charset") +
        Ident("DEFAULT_CHARSET") + Str("Font.Color") + Ident("clBlack") + Str("Font.Height") + Int8(-64) +
        Str("Font.Name") + char(vaString) + Str("Arial") + Str("Font.Style") + QByteArray(1, char(vaSet)) +
        Str("fsBold") + QByteArray(1, '\0') + Str("FillDirection") + Ident("gdRight") + Str("GradientToColor") +
        Ident("clYellow") + Str("GradientFromColor") + Ident("clBlue");
    if (!image.isEmpty())
        record += Str("Image.Data") + Binary(image);
    record += Str("OutlineColor") + Ident("clBlack") + Str("OutlineStyle") + Ident(outline) + Str("OutlineWidth") +
              Int8(1) + Str("SurfaceType") + Ident(surface) + Str("LastBitmapFileNameandPath") + char(vaString) +
              Str("/textures/stone.bmp") + QByteArray(2, '\0');
    return record;
}

// A calendar file holding `record` as its only object.
QByteArray FileWith(const QString& folder, const QByteArray& record)
{
    const QString empty = folder + "/empty.MVF";
    {
        TCalendarPanel32 page(nullptr);
        page.SaveToFile(empty);
    }
    QByteArray bytes = FileBytes(empty);
    bytes.insert(bytes.size() - 1, record);
    return bytes;
}

// The object drawn over the ground colour at its own size.
QImage Drawn(TGSuperText& text, float zoom = 1.0f)
{
    const TSuperTextLayout layout = text.Layout(text.size(), zoom);
    QImage image(layout.Size, QImage::Format_RGB32);
    image.fill(TextGround);
    QPainter painter(&image);
    text.Draw(painter, layout.Size, zoom, layout);
    return image;
}

int CountPixels(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

} // namespace

class TestSuperText : public QObject {
    Q_OBJECT

private slots:
    void CreationValues();
    void ShadowOffsets_data();
    void ShadowOffsets();
    void LeftShadowMovesTheTextAndCutsTheCaption();
    void SurfaceChangesDropTheTextureAndKeepAnOutline();
    void GradientBandsOfATallObject();
    void TransparentBorderlessObjectShrinksToItsText_data();
    void TransparentBorderlessObjectShrinksToItsText();
    void SurfacesFillTheLetters();
    void TransparentLettersWithoutOutlineAreInvisible();
    void EmptyCaptionDrawsThePlaceholder();
    void HalfZoomHalvesFontShadowAndTiles();
    void HandWrittenFileIsReadAndWrittenBackUnchanged_data();
    void HandWrittenFileIsReadAndWrittenBackUnchanged();
    void DamagedTextureIsRefused_data();
    void DamagedTextureIsRefused();
    void MenuHasItsItems();
    void PrintedLettersAreVectorPaths();
};

void TestSuperText::CreationValues()
{
    TGSuperText text(nullptr);
    QCOMPARE(text.Caption(), QString("Text"));
    QCOMPARE(text.Font().Name(), QString("Arial"));
    QCOMPARE(text.Font().Size(), 48);
    QVERIFY(text.Font().HasStyle(fsBold));
    QCOMPARE(text.SurfaceType(), stGradientFill);
    QCOMPARE(text.FillDirection(), gdRight);
    QVERIFY(text.ControlTransparent());
    QCOMPARE(text.BorderStyle(), bsNone);
    QCOMPARE(text.size(), QSize(142, 33));
    // Built at once: blue at the left, yellow at the right.
    QCOMPARE(text.GradientImage().size(), QSize(142, 33));
    QCOMPARE(text.GradientImage().pixelColor(0, 10), QColor(Qt::blue));
    QCOMPARE(text.GradientImage().pixelColor(141, 10), QColor(Qt::yellow));

    std::unique_ptr<TGSuperText> tool(TGSuperText::CreateForTool(nullptr));
    QCOMPARE(tool->BorderStyle(), bsSingle);
    QVERIFY(!tool->ControlTransparent());
    QCOMPARE(tool->BGColor(), clWhite);
}

void TestSuperText::ShadowOffsets_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("none") << int(sdNone) << QPoint(0, 0);
    QTest::newRow("right") << int(sdRight) << QPoint(6, 0);
    QTest::newRow("left") << int(sdLeft) << QPoint(-6, 0);
    QTest::newRow("down right") << int(sdDownRight) << QPoint(6, 6);
    QTest::newRow("down left") << int(sdDownLeft) << QPoint(-6, 6);
    QTest::newRow("down") << int(sdDown) << QPoint(0, 6);
}

void TestSuperText::ShadowOffsets()
{
    QFETCH(int, orientation);
    QFETCH(QPoint, offset);
    QCOMPARE(TGSuperText::ShadowOffset(6, TShadowOrientation(orientation)), offset);
    TGSuperText text(nullptr);
    text.SetBounds(0, 0, 300, 100);
    text.SetShadowDepth(6);
    text.SetShadowOrientation(TShadowOrientation(orientation));
    const TSuperTextLayout layout = text.Layout(text.size(), 1.0f);
    QCOMPARE(layout.ShadowOrigin - layout.TextOrigin, offset);
}

void TestSuperText::LeftShadowMovesTheTextAndCutsTheCaption()
{
    TGSuperText text(nullptr);
    text.SetControlTransparent(false);
    text.SetSurfaceType(stNormal);
    text.SetOutlineStyle(psClear);
    text.SetShadowDepth(4);
    text.SetShadowOrientation(sdLeft);
    text.SetShadowcolor(clRed);
    const QFont font = text.ZoomedFont(1.0f);
    const QFontMetrics metrics(font);
    // Wide enough for the caption from x = 5, not from x = 9.
    text.SetCaption("WWW");
    const int width = metrics.horizontalAdvance("WWW") + 7;
    text.SetBounds(0, 0, width, 100);
    const TSuperTextLayout layout = text.Layout(text.size(), 1.0f);
    QCOMPARE(layout.TextOrigin.x(), 9);
    QCOMPARE(layout.ShadowOrigin.x(), 5);
    QCOMPARE(TGSuperText::FittedCaption("WWW", font, width - 9), QString("WW"));
    QCOMPARE(TGSuperText::FittedCaption("WWW", font, width - 5), QString("WWW"));
    // Drawn: the red shadow peeks out left of the black letters, nothing stands left of x = 5.
    const QImage image = Drawn(text);
    int leftmostRed = image.width();
    int leftmostBlack = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor(Qt::red))
                leftmostRed = std::min(leftmostRed, x);
            if (image.pixelColor(x, y) == QColor(Qt::black))
                leftmostBlack = std::min(leftmostBlack, x);
        }
    }
    QVERIFY2(leftmostRed >= 5 && leftmostRed < leftmostBlack,
             qPrintable(QString("%1 %2").arg(leftmostRed).arg(leftmostBlack)));
    QVERIFY(leftmostBlack >= 9);
}

void TestSuperText::SurfaceChangesDropTheTextureAndKeepAnOutline()
{
    TGSuperText text(nullptr);
    text.SetSurfaceType(stBrushImage);
    text.SetImage(QImage::fromData(SmallBmp(), "BMP"));
    QVERIFY(!text.Image().isNull());
    text.SetSurfaceType(stNormal);
    QVERIFY(text.Image().isNull());
    text.SetSurfaceType(stBrushImage);
    QVERIFY(text.Image().isNull());

    text.SetOutlineStyle(psClear);
    text.SetSurfaceType(stBrushTransparent);
    QCOMPARE(text.OutlineStyle(), psSolid);
    // Other surfaces leave a clear outline alone.
    text.SetOutlineStyle(psClear);
    text.SetSurfaceType(stNormal);
    QCOMPARE(text.OutlineStyle(), psClear);
}

void TestSuperText::GradientBandsOfATallObject()
{
    TGSuperText text(nullptr);
    text.SetFillDirection(gdDown);
    text.SetGradientFromColor(0x000040);
    text.SetGradientToColor(0x20C0F0);
    const std::vector<TGradientBand> bands = text.GradientBands({50, 100});
    QCOMPARE(int(bands.size()), 256);
    // 100 one-pixel bands cover the rows top to bottom; the others are empty.
    int y = 0;
    for (const TGradientBand& band : bands) {
        if (band.Rect.isEmpty())
            continue;
        QCOMPARE(band.Rect, QRect(0, y, 50, 1));
        ++y;
    }
    QCOMPARE(y, 100);
    QVERIFY(bands[0].Rect.isEmpty());
    QCOMPARE(bands[0].Color, ColorToQColor(0x000040));
    // Band 1 is the top row, one step from the start colour; band 255 is exactly the end.
    QCOMPARE(bands[1].Rect.top(), 0);
    QCOMPARE(bands[1].Color, QColor(65, 1, 0));
    QCOMPARE(bands[255].Color, ColorToQColor(0x20C0F0));
    // The picture the object keeps follows its size and colours.
    text.SetBounds(0, 0, 50, 100);
    QCOMPARE(text.GradientImage().pixelColor(10, 99), bands[254].Color);
    QCOMPARE(text.GradientImage().pixelColor(10, 0), QColor(65, 1, 0));
    // Up runs the other way.
    text.SetFillDirection(gdUp);
    QCOMPARE(text.GradientImage().pixelColor(10, 0), QColor(0xEF, 0xBF, 0x20));
}

void TestSuperText::TransparentBorderlessObjectShrinksToItsText_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("border");
    QTest::addColumn<bool>("shrinks");
    QTest::newRow("transparent, no border") << true << false << true;
    QTest::newRow("transparent, border") << true << true << false;
    QTest::newRow("opaque, no border") << false << false << false;
}

void TestSuperText::TransparentBorderlessObjectShrinksToItsText()
{
    QFETCH(bool, transparent);
    QFETCH(bool, border);
    QFETCH(bool, shrinks);
    TGSuperText text(nullptr);
    text.SetControlTransparent(transparent);
    text.SetBorderStyle(border ? bsSingle : bsNone);
    text.SetBounds(0, 0, 300, 400);
    const int th = QFontMetrics(text.ZoomedFont(1.0f)).height();
    QCOMPARE(text.Layout(text.size(), 1.0f).Size.height(), shrinks ? int(1.2 * th) : 400);
    // Too low for the text: every kind grows to it.
    text.SetBounds(0, 0, 300, 10);
    QCOMPARE(text.Layout(text.size(), 1.0f).Size.height(), th);
}

void TestSuperText::SurfacesFillTheLetters()
{
    TGSuperText text(nullptr);
    text.SetControlTransparent(false);
    text.SetBGColor(clWhite);
    text.SetOutlineStyle(psClear);
    text.SetCaption("IIIIIIIIIIIIII");
    text.SetBounds(0, 0, 300, 90);

    text.SetSurfaceType(stNormal);
    text.Font().SetColor(clRed);
    QVERIFY(CountPixels(Drawn(text), Qt::red) > 300);

    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::magenta);
    text.SetSurfaceType(stBrushImage);
    text.SetImage(tile);
    const QImage textured = Drawn(text);
    QVERIFY(CountPixels(textured, Qt::magenta) > 300);
    QCOMPARE(CountPixels(textured, Qt::red), 0);

    text.SetSurfaceType(stGradientFill);
    const QImage gradient = Drawn(text);
    QCOMPARE(CountPixels(gradient, Qt::magenta), 0);
    // Letters blue at the left, yellow-ish at the right.
    int bluish = 0;
    int yellowish = 0;
    for (int y = 0; y < gradient.height(); ++y) {
        for (int x = 0; x < gradient.width(); ++x) {
            const QColor c = gradient.pixelColor(x, y);
            bluish += x < 60 && c.blue() > 150 && c.red() < 100;
            yellowish += x > 200 && c.red() > 100 && c.blue() < 100;
        }
    }
    QVERIFY(bluish > 50);
    QVERIFY(yellowish > 50);
}

void TestSuperText::TransparentLettersWithoutOutlineAreInvisible()
{
    TGSuperText text(nullptr);
    text.SetControlTransparent(false);
    text.SetBGColor(clWhite);
    text.SetBorderStyle(bsSingle);
    text.SetShadowDepth(3);
    text.SetShadowcolor(clRed);
    text.SetBounds(0, 0, 300, 90);
    text.SetSurfaceType(stBrushTransparent);
    text.SetOutlineWidth(0);
    const QImage image = Drawn(text);
    int other = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            other += c != QColor(Qt::white) && c != QColor(Qt::black) && c.red() < 128;
        }
    }
    // Only background, frame and (antialiased) shadow.
    QCOMPARE(other, 0);
    QVERIFY(CountPixels(image, Qt::red) > 100);
    QCOMPARE(image.pixelColor(0, 40), QColor(Qt::black));
    // With an outline the letters show as black strokes inside.
    text.SetOutlineWidth(1);
    int inkInside = 0;
    const QImage outlined = Drawn(text);
    for (int y = 2; y < outlined.height() - 2; ++y)
        for (int x = 2; x < outlined.width() - 2; ++x)
            inkInside += outlined.pixelColor(x, y).lightness() < 100;
    QVERIFY(inkInside > 50);
}

void TestSuperText::EmptyCaptionDrawsThePlaceholder()
{
    TGSuperText text(nullptr);
    text.SetCaption("");
    text.SetBounds(0, 0, 120, 80);
    const QImage image = Drawn(text);
    QCOMPARE(image.pixelColor(60, 40), QColor(Qt::black)); // where the diagonals cross
    QCOMPARE(image.pixelColor(0, 20), QColor(Qt::black));
    QCOMPARE(image.pixelColor(60, 20), TextGround);
}

void TestSuperText::HalfZoomHalvesFontShadowAndTiles()
{
    TGSuperText text(nullptr);
    text.SetShadowDepth(5);
    text.SetShadowOrientation(sdDownRight);
    text.SetBounds(0, 0, 300, 100);
    QCOMPARE(text.ZoomedFont(0.5f).pixelSize(), text.ZoomedFont(1.0f).pixelSize() / 2);
    const TSuperTextLayout layout = text.Layout({300, 100}, 0.5f);
    QCOMPARE(layout.ShadowOrigin - layout.TextOrigin, QPoint(2, 2));

    // Tiles of 8 pixels, half the 16 of the picture: a checker of 8-pixel squares in the letters.
    QImage tile(16, 16, QImage::Format_RGB32);
    tile.fill(Qt::red);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (x >= 8 || y >= 8)
                tile.setPixelColor(x, y, Qt::blue);
    text.SetShadowDepth(0);
    text.SetOutlineStyle(psClear);
    text.SetCaption("\u2588\u2588"); // full blocks: letters covering their cell
    text.SetSurfaceType(stBrushImage);
    text.SetImage(tile);
    const QImage half = Drawn(text, 0.5f);
    const QImage full = Drawn(text, 1.0f);
    // At zoom 1 the red squares are 8 pixels on a 16-pixel grid, at 0.5 4 pixels on an 8 grid.
    const auto redRun = [](const QImage& image, int y) {
        int longest = 0;
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixelColor(x, y) == QColor(Qt::red) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest;
    };
    QCOMPARE(redRun(full, 18), 8);
    QCOMPARE(redRun(half, 17), 4);
}

void TestSuperText::HandWrittenFileIsReadAndWrittenBackUnchanged_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QByteArray>("surface");
    QTest::addColumn<QByteArray>("outline");
    QTest::newRow("gradient, no texture") << QByteArray() << QByteArray("stGradientFill") << QByteArray("psSolid");
    QTest::newRow("texture") << BitmapBlock(SmallBmp()) << QByteArray("stBrushImage") << QByteArray("psSolid");
    // What the setters would change when the user chooses the surface stays as the file holds it.
    QTest::newRow("transparent letters without outline")
        << QByteArray() << QByteArray("stBrushTransparent") << QByteArray("psClear");
    QTest::newRow("texture under letters of one colour")
        << BitmapBlock(SmallBmp()) << QByteArray("stNormal") << QByteArray("psDash");
}

// A calendar file holding one special-effects text, written here byte by byte, is read and
// written back unchanged.
void TestSuperText::HandWrittenFileIsReadAndWrittenBackUnchanged()
{
    QFETCH(QByteArray, image);
    QFETCH(QByteArray, surface);
    QFETCH(QByteArray, outline);
    QTemporaryDir dir;
    const QByteArray bytes = FileWith(dir.path(), ToolRecord("Component0", image, surface, outline));
    const QString written = dir.filePath("written.MVF");
    WriteBytes(written, bytes);

    TOwner owner;
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(written, &owner);
    QCOMPARE(page.Objects().size(), 1);
    auto* text = dynamic_cast<TGSuperText*>(page.Objects().first());
    QVERIFY(text);
    QCOMPARE(text->Caption(), QString("Mervane"));
    QCOMPARE(text->ShadowDepth(), 4);
    QCOMPARE(text->ShadowOrientation(), sdLeft);
    QCOMPARE(text->Shadowcolor(), clRed);
    QCOMPARE(text->GradientFromColor(), clBlue);
    QCOMPARE(text->Font().Size(), 48);
    QCOMPARE(text->LastBitmapFileNameandPath(), QString("/textures/stone.bmp"));
    const QByteArrayList surfaces{"stNormal", "stBrushTransparent", "stBrushImage", "stGradientFill"};
    QCOMPARE(int(text->SurfaceType()), surfaces.indexOf(surface));
    const QByteArrayList outlines{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear"};
    QCOMPARE(int(text->OutlineStyle()), outlines.indexOf(outline));
    QCOMPARE(text->Image().size(), image.isEmpty() ? QSize(0, 0) : QSize(3, 2));
    if (!image.isEmpty())
        QCOMPARE(text->Image().pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(text->ObjectMenu()->actions().last()->text(), QString("Properties"));
    QVERIFY(page.HasSuperTextObject());
    const QString again = dir.filePath("again.MVF");
    page.SaveToFile(again);
    QCOMPARE(FileBytes(again).toHex(), bytes.toHex());
}

void TestSuperText::DamagedTextureIsRefused_data()
{
    QTest::addColumn<QByteArray>("image");
    const QByteArray bmp = SmallBmp();
    QTest::newRow("size beyond the block") << BitmapBlock(bmp).left(bmp.size());
    QTest::newRow("too short for a size") << QByteArray("\x01\x00", 2);
    QTest::newRow("not a bitmap") << BitmapBlock("GIF89a and more bytes");
    QTest::newRow("cut header") << BitmapBlock(bmp.left(20));
}

void TestSuperText::DamagedTextureIsRefused()
{
    QFETCH(QByteArray, image);
    QTemporaryDir dir;
    const QString written = dir.filePath("damaged.MVF");
    WriteBytes(written, FileWith(dir.path(), ToolRecord("Component0", image, "stBrushImage")));
    TOwner owner;
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(written, &owner);
    QVERIFY(page.Objects().isEmpty());
    QCOMPARE(page.ObjectsLeftOut(), QStringList{"TGSuperText"});
}

void TestSuperText::MenuHasItsItems()
{
    TOwner owner;
    TCalendarPanel32 page(&owner);
    TGSuperText* text = TGSuperText::CreateForTool(nullptr);
    text->Loaded();
    page.PlaceObject(*text, {10, 10, 200, 80});
    QMenu* menu = text->ObjectMenu();
    QStringList captions;
    for (QAction* item : menu->actions())
        captions += item->text();
    // A separator, then the items of this kind.
    QCOMPARE(captions.mid(captions.size() - 6),
             (QStringList{"", "Font", "Transparent", "Background Color", "Border", "Properties"}));
    QVERIFY(menu->actions()[menu->actions().size() - 6]->isSeparator());
    QAction* border = menu->actions()[menu->actions().size() - 2];
    emit menu->aboutToShow();
    QVERIFY(border->isChecked());
    border->trigger();
    QCOMPARE(text->BorderStyle(), bsNone);
    QAction* transparent = menu->actions()[menu->actions().size() - 4];
    transparent->trigger();
    QVERIFY(text->ControlTransparent());
    emit menu->aboutToShow();
    QVERIFY(transparent->isChecked());
    QVERIFY(!border->isChecked());
}

void TestSuperText::PrintedLettersAreVectorPaths()
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftoppm is not installed");
    QTemporaryDir dir;
    TGSuperText text(nullptr);
    text.SetControlTransparent(false);
    text.SetBGColor(clWhite);
    text.SetOutlineStyle(psClear);
    text.SetSurfaceType(stNormal);
    text.Font().SetColor(clRed);
    text.SetCaption("IIII");
    text.SetBounds(96, 192, 300, 90);
    const QString pdf = dir.filePath("text.pdf");
    {
        TReportPrinter report(pdf);
        report.OnPrint = [&text](TReportPrinter& r) { text.PrintTo(r, 0.5, 0.25); };
        report.Execute();
    }
    // No text in the PDF: the letters are paths.
    QVERIFY(!PdfText(pdf).contains("IIII"));
    const QImage page = PdfPageImage(pdf, dir.path(), 96);
    QVERIFY(!page.isNull());
    // Red letters inside the object's place from (1.5, 2.25) inches, none outside.
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                (x >= 144 && x < 144 + 300 && y >= 216 && y < 216 + 90 ? inside : outside)++;
        }
    }
    QVERIFY2(inside > 300, qPrintable(QString::number(inside)));
    QCOMPARE(outside, 0);
}

QObject* NewTestSuperText()
{
    return new TestSuperText;
}

#include "TestSuperText.moc"
