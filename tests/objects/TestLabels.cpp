// Text labels on a host panel: their stream records, the text layout with rotation and 3-D
// offsets, drawing and printing, the menu commands through the real menus, and the text and 3-D
// effects dialogs through their widgets.

// Mouse events go through the window, as in the other object tests of this executable.
#define QTEST_QPA_MOUSE_HANDLING

#include "../common/PdfTools.h"
#include "../common/PixelRings.h"
#include "ObjectTestTools.h"
#include "HostTestCase.h"

#include "controls/ColorComboBox.h"
#include "controls/WhatsThisMenu.h"
#include "objects/FontChoice.h"
#include "objects/GFont3DEffects.h"
#include "objects/GHandle.h"
#include "objects/GPLabel.h"
#include "objects/GetLabelText.h"
#include "objects/ScreenCursor.h"
#include "objects/TickCount.h"
#include "platform/MervaneError.h"
#include "platform/ProgramFolders.h"
#include "platformui/HelpWindow.h"
#include "platformui/ScriptedUiServices.h"
#include "stream/ClassRegistry.h"
#include "stream/Reader.h"
#include "stream/ValueType.h"
#include "stream/Writer.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

namespace {

bool IsReddish(const QColor& color)
{
    return color.red() > 180 && color.green() < 100 && color.blue() < 100;
}

// The first column and row holding a dark pixel; (-1, -1) when none does.
QPoint FirstDarkPixel(const QImage& image)
{
    int left = -1;
    int top = -1;
    for (int x = 0; x < image.width() && left < 0; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (IsDark(image.pixelColor(x, y))) {
                left = x;
                break;
            }
        }
    }
    for (int y = 0; y < image.height() && top < 0; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsDark(image.pixelColor(x, y))) {
                top = y;
                break;
            }
        }
    }
    return {left, top};
}

// The line height and text width a label lays its caption out with (no 3-D offsets).
struct TTextExtent {
    int Height;
    int Width;
};

TTextExtent TextExtent(const TGBaseLabel& label)
{
    const QFont font = label.CanvasFont();
    const QFontMetrics metrics(font);
    return {metrics.height() + (metrics.height() - font.pixelSize()) + metrics.leading(),
            metrics.horizontalAdvance(label.Caption() + ' ')};
}

} // namespace

class TestLabels : public THostTestCase {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void DefaultRecordBytes();
    void ChangedPropertiesInStreamOrder();
    void RoundTripIsByteIdentical_data();
    void RoundTripIsByteIdentical();
    void BoxFollowsTheText_data();
    void BoxFollowsTheText();
    void EmptyBoxFromAFileStillLaysOut();
    void ImpossibleRecordValuesAreRefused_data();
    void ImpossibleRecordValuesAreRefused();
    void ZoomScalesTheFontWhilePainting();
    void OffsetsKeepRoomForTheCopies_data();
    void OffsetsKeepRoomForTheCopies();
    void RotatedCopiesTurnWithTheText();
    void RotatedTextStaysInsideItsBorder_data();
    void RotatedTextStaysInsideItsBorder();
    void BackgroundAndBorder_data();
    void BackgroundAndBorder();
    void ShadowCopyInItsColour();
    void PaintingSuspendedDrawsNothing();
    void PrintsIntoItsRectangle_data();
    void PrintsIntoItsRectangle();
    void MenuChecksAndToggles();
    void BackgroundColourCommand_data();
    void BackgroundColourCommand();
    void RotationCommands_data();
    void RotationCommands();
    void TextCommand_data();
    void TextCommand();
    void FontCommandGrowsNeverShrinks_data();
    void FontCommandGrowsNeverShrinks();
    void AutoGrowNeverShrinks();
    void EffectsDialogShowsChangesLive_data();
    void EffectsDialogShowsChangesLive();
    void EffectsDialogNamesANewLabelsFontColour();
    void FontOkUnchangedKeepsTheFont_data();
    void FontOkUnchangedKeepsTheFont();
    void DialogsOfferHelp_data();
    void DialogsOfferHelp();

private:
    // A label on the host at exactly `rect`; `owner` may be null (the host frees it then).
    TGPLabel* AddLabel(const QString& caption, const QRect& rect, TComponent* owner);
    TGPLabel* ReadLabel(const QByteArray& record);
    QImage Picture(TGBaseLabel& label);
    QMenu* OpenMenuOn(TGGraphicControl& object);
    QAction* Item(QMenu* menu, const QString& caption) const;
    // Chooses `path` (a menu item, or a submenu and its item) in the open menu with the mouse.
    void Choose(QMenu* menu, const QStringList& path);
};

void TestLabels::initTestCase()
{
    RegisterClass<TGPLabel>("TGPLabel");
}

void TestLabels::init()
{
    QVERIFY(SetUpHost({600, 400}));
}

void TestLabels::cleanup()
{
    const QStringList unexpected = m_Ui->Unexpected;
    TearDownHost();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join("; ")));
}

TGPLabel* TestLabels::AddLabel(const QString& caption, const QRect& rect, TComponent* owner)
{
    auto* label = new TGPLabel(owner);
    label->Loaded();
    label->SetCaption(caption);
    m_Host->PlaceObject(*label, rect);
    label->SetBounds(rect.x(), rect.y(), rect.width(), rect.height());
    return label;
}

TGPLabel* TestLabels::ReadLabel(const QByteArray& record)
{
    QByteArray bytes = record + '\0'; // the end of the list of records
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    TGPLabel* read = nullptr;
    reader.ReadComponents(m_Owner, m_Host,
                          [&read](TComponent* component) { read = dynamic_cast<TGPLabel*>(component); });
    return read;
}

void TestLabels::ImpossibleRecordValuesAreRefused_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<qint32>("value");
    QTest::addColumn<bool>("accepted");
    const auto row = [](const char* property, qint32 value, bool accepted) {
        QTest::addRow("%s %d", property, value) << QByteArray(property) << value << accepted;
    };
    row("Left", 100000000, false);
    row("Left", -100000, true);
    row("Top", -100000001, false);
    row("Width", -1, false);
    row("Width", 100000000, false);
    row("Height", 2147483647, false);
    row("Height", 100000, true);
    row("Font.Height", 100000, false);
    row("Font.Height", -10000, true);
    row("Font.Size", -100000, false);
    row("DepthShadow", 101, false);
    row("DepthHighlight", -1, false);
    row("DepthHighlight", 10, true);
}

void TestLabels::ImpossibleRecordValuesAreRefused()
{
    QFETCH(QByteArray, property);
    QFETCH(qint32, value);
    QFETCH(bool, accepted);
    TGPLabel label(nullptr);
    label.SetCaption("Hello");
    QByteArray record = RecordOf(label);
    record.chop(2); // the ends of the property list and of the children
    record += Str(property) + char(vaInt32);
    for (int i = 0; i < 4; ++i)
        record += char(quint32(value) >> (8 * i));
    record += QByteArray(2, '\0');

    QString error;
    try {
        TGPLabel* read = ReadLabel(record);
        QVERIFY(read);
        read->Layout();
    } catch (const EMervaneError& e) {
        error = e.Message();
    }
    QCOMPARE(error, accepted ? QString() : QString("Invalid property value"));
}

// The label as the page shows it, laid out first so that its box is final.
QImage TestLabels::Picture(TGBaseLabel& label)
{
    label.Layout();
    return m_Host->grab(label.geometry()).toImage();
}

QMenu* TestLabels::OpenMenuOn(TGGraphicControl& object)
{
    const QPoint point = object.geometry().center();
    Advance(1000);
    QTest::mouseMove(m_Host, point);
    QTest::mousePress(m_Host, Qt::RightButton, {}, point);
    Advance(50);
    QTest::mouseRelease(m_Host, Qt::RightButton, {}, point);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QAction* TestLabels::Item(QMenu* menu, const QString& caption) const
{
    for (QAction* action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

void TestLabels::Choose(QMenu* menu, const QStringList& path)
{
    QVERIFY(menu);
    QAction* action = Item(menu, path.first());
    QVERIFY2(action, qPrintable(path.first()));
    QVERIFY2(action->isEnabled(), qPrintable(path.first()));
    if (path.size() == 1) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QVERIFY(!menu->isVisible());
        return;
    }
    QMenu* submenu = action->menu();
    QVERIFY(submenu);
    QTest::mouseMove(menu, menu->actionGeometry(action).center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QTRY_VERIFY(submenu->isVisible());
    Choose(submenu, path.mid(1));
}

void TestLabels::DefaultRecordBytes()
{
    auto* label = new TGPLabel(nullptr);
    label->setParent(m_Host);
    label->SetName("Label1");
    label->SetBounds(10, 20, 142, 33);

    const QByteArray expected =
        "TPF0" + Str("TGPLabel") + Str("Label1") + Str("Left") + QByteArray("\x02\x0A", 2) + Str("Top") +
        QByteArray("\x02\x14", 2) + Str("Width") + QByteArray("\x03\x8E\x00", 3) + Str("Height") +
        QByteArray("\x02\x21", 2) + Str("Locked") + '\x08' + Str("Unselectable") + '\x08' + Str("Caption") + '\x06' +
        Str("Text") + Str("Font.Charset") + Ident("DEFAULT_CHARSET") + Str("Font.Color") + Ident("clBlack") +
        Str("Font.Height") + QByteArray("\x02\xF3", 2) + Str("Font.Name") + '\x06' + Str("Arial") + Str("Font.Style") +
        QByteArray("\x0B\x00", 2) + Str("Transparent") + '\x09' + Str("BackColor") + Ident("clWhite") +
        Str("BorderStyle") + Ident("bsNone") + QByteArray("\x00\x00", 2);
    QCOMPARE(RecordOf(*label), expected);
}

void TestLabels::ChangedPropertiesInStreamOrder()
{
    TGPLabel* label = AddLabel("Changed", {10, 20, 142, 33}, nullptr);
    label->SetAlignment(taCenter);
    label->SetDepthHighlight(2);
    label->SetDepthShadow(3);
    label->SetDirectionHighlight(hdNone);
    label->SetDirectionShadow(sdLeft);
    label->SetcolorHighlight(clYellow);
    label->SetcolorShadow(clRed);
    label->SetAngle(180);
    label->SetBorderStyle(bsSingle);
    label->SetHint("A hint");

    const QByteArray record = RecordOf(*label);
    QCOMPARE(PropertyNames(record), (QStringList{"Left",
                                                 "Top",
                                                 "Width",
                                                 "Height",
                                                 "Hint",
                                                 "Locked",
                                                 "Unselectable",
                                                 "DepthHighlight",
                                                 "DepthShadow",
                                                 "DirectionHighlight",
                                                 "DirectionShadow",
                                                 "colorHighlight",
                                                 "colorShadow",
                                                 "Angle",
                                                 "Caption",
                                                 "Font.Charset",
                                                 "Font.Color",
                                                 "Font.Height",
                                                 "Font.Name",
                                                 "Font.Style",
                                                 "Transparent",
                                                 "BackColor",
                                                 "BorderStyle"}));
    // A non-zero angle puts the text back to the left, so Alignment is at its default again.
    QCOMPARE(label->Alignment(), taLeftJustify);
    // Enumerations and colours are written by name.
    QVERIFY(record.contains(Str("DirectionHighlight") + Ident("hdNone")));
    QVERIFY(record.contains(Str("DirectionShadow") + Ident("sdLeft")));
    QVERIFY(record.contains(Str("colorShadow") + Ident("clRed")));
    QVERIFY(record.contains(Str("BorderStyle") + Ident("bsSingle")));
}

void TestLabels::RoundTripIsByteIdentical_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("effects");

    QTest::newRow("plain") << "Text" << 0 << false;
    QTest::newRow("3-D, centred, coloured") << "Holiday party" << 0 << true;
    QTest::newRow("turned upright, short text") << "A" << 90 << false;
    QTest::newRow("upside down with effects") << "Upside down" << 180 << true;
    QTest::newRow("turned down") << "Downwards" << 270 << false;
    QTest::newRow("text beyond Windows-1252") << QString::fromUtf8("Ünïcödé ☃ 日本") << 0 << false;
}

void TestLabels::RoundTripIsByteIdentical()
{
    QFETCH(QString, caption);
    QFETCH(int, angle);
    QFETCH(bool, effects);

    TGPLabel* source = AddLabel(caption, {30, 40, 142, 33}, nullptr);
    if (effects) {
        source->SetAlignment(taCenter);
        source->SetDirectionShadow(sdDownLeft);
        source->SetDepthShadow(3);
        source->SetDepthHighlight(2);
        source->SetcolorShadow(0x123456);
        source->SetBackColor(clYellow);
        source->SetTransparent(false);
        source->SetBorderStyle(bsSingle);
        source->Font().SetName("Times New Roman");
        source->Font().SetSize(14);
        source->Font().SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
    }
    source->SetAngle(angle);
    source->Layout();
    const QRect laidOut = source->geometry();

    const QByteArray record = RecordOf(*source);
    const int changesBefore = m_Changes;
    TGPLabel* copy = ReadLabel(record);
    QVERIFY(copy);
    QCOMPARE(m_Changes, changesBefore); // reading a label does not modify the page
    QCOMPARE(copy->Caption(), caption);
    QCOMPARE(copy->Angle(), angle);
    QCOMPARE(RecordOf(*copy), record);

    // The copy lays out exactly as the label it was saved from.
    QCOMPARE(copy->geometry(), laidOut);
    copy->Layout();
    QCOMPARE(copy->geometry(), laidOut);
    QCOMPARE(copy->TextRect(), source->TextRect());
    QCOMPARE(copy->ShadowOrigin(), source->ShadowOrigin());
    QCOMPARE(copy->HighlightOrigin(), source->HighlightOrigin());
    QCOMPARE(copy->MainOrigin(), source->MainOrigin());
}

void TestLabels::BoxFollowsTheText_data()
{
    QTest::addColumn<QSize>("start");
    QTest::addColumn<int>("angle");
    QTest::addColumn<QSize>("turned");   // right after SetAngle
    QTest::addColumn<QString>("width");  // after the layout: "keep", "TW", "2TW" or "1.2L"
    QTest::addColumn<QString>("height"); // "keep", "1.2TW" or "1.2L"

    QTest::newRow("90 swaps, then the height shrinks to the text") << QSize(142, 33) << 90 << QSize(33, 142) << "1.2L"
                                                                   << "1.2TW";
    QTest::newRow("270 swaps too") << QSize(142, 33) << 270 << QSize(33, 142) << "1.2L"
                                   << "1.2TW";
    QTest::newRow("an upright box is not swapped for 90") << QSize(20, 300) << 90 << QSize(20, 300) << "keep"
                                                          << "1.2TW";
    QTest::newRow("45 is ignored") << QSize(142, 33) << 45 << QSize(142, 33) << "keep"
                                   << "1.2L";
    QTest::newRow("180 shrinks to twice the text") << QSize(400, 33) << 180 << QSize(400, 33) << "2TW"
                                                   << "1.2L";
    QTest::newRow("180 keeps a box narrower than twice the text") << QSize(50, 33) << 180 << QSize(50, 33) << "keep"
                                                                  << "1.2L";
    QTest::newRow("a sliver takes the text width") << QSize(3, 33) << 0 << QSize(3, 33) << "TW"
                                                   << "1.2L";
    QTest::newRow("a flat box grows to the line height") << QSize(142, 4) << 0 << QSize(142, 4) << "keep"
                                                         << "L";
}

void TestLabels::BoxFollowsTheText()
{
    QFETCH(QSize, start);
    QFETCH(int, angle);
    QFETCH(QSize, turned);
    QFETCH(QString, width);
    QFETCH(QString, height);

    TGPLabel* label = AddLabel("Text", {20, 20, start.width(), start.height()}, m_Owner);
    label->SetAngle(angle);
    QCOMPARE(label->size(), turned);
    QCOMPARE(label->Angle(), angle == 45 ? 0 : angle);

    // The next paint lays the text out.
    m_Host->grab();
    const TTextExtent text = TextExtent(*label);
    const auto expected = [&](const QString& rule, int kept) {
        if (rule == "TW")
            return text.Width;
        if (rule == "2TW")
            return 2 * text.Width;
        if (rule == "1.2TW")
            return int(1.2 * text.Width);
        if (rule == "1.2L")
            return int(1.2 * text.Height);
        if (rule == "L")
            return text.Height;
        return kept;
    };
    QCOMPARE(label->Width(), expected(width, turned.width()));
    QCOMPARE(label->Height(), expected(height, turned.height()));
    QVERIFY(!label->LayoutDirty());
}

void TestLabels::ZoomScalesTheFontWhilePainting()
{
    TGPLabel* zoomed = AddLabel("Zoomed text", {20, 20, 300, 100}, m_Owner);
    zoomed->Font().SetSize(20);
    m_Host->SetZoom(0.5f);
    TGPLabel plain(nullptr); // off the page, at full size
    plain.SetCaption("Zoomed text");
    plain.Font().SetSize(10);
    plain.SetBounds(0, 0, 150, 50);

    m_Host->grab();
    plain.Layout();
    // At half size a 20-point label lays out as a 10-point one at full size; its own font stays.
    QCOMPARE(zoomed->Font().Size(), 20);
    QCOMPARE(zoomed->CanvasFont(), plain.CanvasFont());
    QCOMPARE(zoomed->size(), plain.size());
    QCOMPARE(zoomed->TextRect(), plain.TextRect());
    // The box at full size is twice the zoomed one.
    m_Host->SetZoom(1.0f);
    QCOMPARE(zoomed->Height(), 2 * plain.Height());
}

void TestLabels::EmptyBoxFromAFileStillLaysOut()
{
    TGPLabel* source = AddLabel("Text", {30, 40, 142, 33}, nullptr);
    QByteArray record = RecordOf(*source);
    const QByteArray width = Str("Width") + QByteArray("\x03\x8E\x00", 3);
    QVERIFY(record.contains(width));
    record.replace(width, Str("Width") + QByteArray("\x02\x00", 2));

    TGPLabel* copy = ReadLabel(record);
    QVERIFY(copy);
    QCOMPARE(copy->Width(), 1);
    m_Host->grab();
    QCOMPARE(copy->Width(), TextExtent(*copy).Width);
}

void TestLabels::OffsetsKeepRoomForTheCopies_data()
{
    QTest::addColumn<int>("shadowDirection");
    QTest::addColumn<int>("shadowDepth");
    QTest::addColumn<int>("highlightDirection");
    QTest::addColumn<int>("highlightDepth");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("shadowOrigin");
    QTest::addColumn<QPoint>("highlightOrigin");

    QTest::newRow("no depth") << int(sdDownRight) << 0 << int(hdUpLeft) << 0 << QPoint(0, 0) << QPoint(0, 0)
                              << QPoint(0, 0);
    // The larger leftward offset wins.
    QTest::newRow("shadow left 4, highlight up-left 3")
        << int(sdLeft) << 4 << int(hdUpLeft) << 3 << QPoint(4, 3) << QPoint(0, 3) << QPoint(1, 0);
    QTest::newRow("shadow down-right needs no room")
        << int(sdDownRight) << 5 << int(hdNone) << 7 << QPoint(0, 0) << QPoint(5, 5) << QPoint(0, 0);
    QTest::newRow("highlight left 6 beats shadow right")
        << int(sdRight) << 2 << int(hdLeft) << 6 << QPoint(6, 0) << QPoint(8, 0) << QPoint(0, 0);
    QTest::newRow("highlight up 2") << int(sdDown) << 1 << int(hdUp) << 2 << QPoint(0, 2) << QPoint(0, 3)
                                    << QPoint(0, 0);
}

void TestLabels::OffsetsKeepRoomForTheCopies()
{
    QFETCH(int, shadowDirection);
    QFETCH(int, shadowDepth);
    QFETCH(int, highlightDirection);
    QFETCH(int, highlightDepth);
    QFETCH(QPoint, origin);
    QFETCH(QPoint, shadowOrigin);
    QFETCH(QPoint, highlightOrigin);

    TGPLabel* label = AddLabel("HH", {20, 20, 142, 40}, m_Owner);
    label->SetDirectionShadow(TShadowDirection(shadowDirection));
    label->SetDepthShadow(shadowDepth);
    label->SetDirectionHighlight(THighlightDirection(highlightDirection));
    label->SetDepthHighlight(highlightDepth);
    // Only the main copy shows: the others in the background colour.
    label->SetTransparent(false);
    label->SetcolorShadow(clWhite);
    label->SetcolorHighlight(clWhite);

    const QImage image = Picture(*label);
    QCOMPARE(label->MainOrigin(), origin);
    QCOMPARE(label->ShadowOrigin(), shadowOrigin);
    QCOMPARE(label->HighlightOrigin(), highlightOrigin);
    QCOMPARE(QPoint(label->TextRect().Left, label->TextRect().Top), origin);

    // The text's ink starts just inside the origin ("H" has a one-pixel side bearing and sits
    // below the top of its line).
    const QPoint ink = FirstDarkPixel(image);
    QVERIFY2(ink.x() >= origin.x() && ink.x() <= origin.x() + 2, qPrintable(QString::number(ink.x())));
    QVERIFY2(ink.y() >= origin.y() + 1 && ink.y() <= origin.y() + 6, qPrintable(QString::number(ink.y())));
}

void TestLabels::RotatedCopiesTurnWithTheText()
{
    TGPLabel* label = AddLabel("Sideways", {20, 20, 142, 33}, m_Owner);
    label->SetDirectionShadow(sdDownRight);
    label->SetDepthShadow(2);
    label->SetAngle(90);
    label->Layout();
    const TTextExtent text = TextExtent(*label);

    // The text runs upwards from the bottom left; the shadow falls to its right and further up.
    const TRect& rect = label->TextRect();
    QCOMPARE(rect.Left, 0);
    QCOMPARE(rect.Right, text.Height);
    QCOMPARE(rect.Bottom, label->Height() - 1);
    // The text starts two pixels up from the bottom edge, clear of a border line.
    QCOMPARE(label->MainOrigin(), QPoint(rect.Left, label->Height() - 2));
    QCOMPARE(label->ShadowOrigin(), label->MainOrigin() + QPoint(2, -2));
    QVERIFY(label->Width() >= text.Height + 2);

    // The ink is upright: taller than wide.
    label->SetTransparent(false);
    const QImage image = Picture(*label);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsDark(image.pixelColor(x, y)))
                ink |= QRect(x, y, 1, 1);
    QVERIFY(ink.height() > 2 * ink.width());
}

void TestLabels::RotatedTextStaysInsideItsBorder_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<float>("zoom");
    QTest::newRow("90") << 90 << 1.0f;
    QTest::newRow("180") << 180 << 1.0f;
    QTest::newRow("270") << 270 << 1.0f;
    QTest::newRow("90 at the main window's zoom") << 90 << 0.6f;
    QTest::newRow("270 at the main window's zoom") << 270 << 0.6f;
}

void TestLabels::RotatedTextStaysInsideItsBorder()
{
    QFETCH(int, angle);
    QFETCH(float, zoom);
    m_Host->SetZoom(zoom);
    // As the text tool makes a label: 20 points, framed, on a white background.
    TGPLabel* label = AddLabel("Team party", {50, 50, 142, 33}, m_Owner);
    label->Font().SetSize(20);
    label->SetTransparent(false);
    label->SetBackColor(clWhite);
    label->SetBorderStyle(bsSingle);
    label->SetAngle(angle);
    const QImage image = Picture(*label);
    const auto dark = [](const QColor& color) { return IsDark(color); };
    const auto light = [](const QColor& color) { return !IsDark(color); };
    const auto notWhite = [](const QColor& color) { return color != QColor(Qt::white); };
    // The border line is whole, and nothing of the text touches it from inside.
    QCOMPARE(RingPixels(image, 0, light), 0);
    QCOMPARE(RingPixels(image, 1, notWhite), 0);
    // The text is drawn.
    int ink = 0;
    for (int inset = 2; 2 * inset < std::min(image.width(), image.height()); ++inset)
        ink += RingPixels(image, inset, dark);
    QVERIFY(ink > 50);
}

void TestLabels::BackgroundAndBorder_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<TColor>("back");
    QTest::addColumn<int>("border");
    QTest::addColumn<QColor>("inside");
    QTest::addColumn<QColor>("edge");

    const QColor white(Qt::white);
    const QColor black(Qt::black);
    QTest::newRow("transparent shows the page") << true << TColor(clYellow) << int(bsNone) << white << white;
    QTest::newRow("coloured background") << false << TColor(clYellow) << int(bsNone) << QColor(255, 255, 0)
                                         << QColor(255, 255, 0);
    QTest::newRow("border on a transparent label") << true << TColor(clWhite) << int(bsSingle) << white << black;
    QTest::newRow("border on a coloured label")
        << false << TColor(clLime) << int(bsSingle) << QColor(0, 255, 0) << black;
}

void TestLabels::BackgroundAndBorder()
{
    QFETCH(bool, transparent);
    QFETCH(TColor, back);
    QFETCH(int, border);
    QFETCH(QColor, inside);
    QFETCH(QColor, edge);

    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    label->SetBackColor(back);
    label->SetTransparent(transparent);
    label->SetBorderStyle(TBorderStyle(border));
    const QImage image = Picture(*label);
    const int w = image.width();
    const int h = image.height();
    QCOMPARE(image.pixelColor(w - 10, h / 2), inside);
    QCOMPARE(image.pixelColor(w - 1, h / 2), edge);
    QCOMPARE(image.pixelColor(w / 2, h - 1), edge);
    QCOMPARE(image.pixelColor(w - 10, 0), edge);
    // The page beside the label is untouched.
    QCOMPARE(m_Host->grab(QRect(label->x() + w, label->y(), 5, h)).toImage().pixelColor(2, h / 2), QColor(Qt::white));
}

void TestLabels::ShadowCopyInItsColour()
{
    TGPLabel* label = AddLabel("IIII", {50, 50, 142, 33}, m_Owner);
    label->SetcolorShadow(clRed);
    label->SetDirectionShadow(sdRight);
    label->SetDepthShadow(4);
    label->SetDepthHighlight(0);
    QImage image = Picture(*label);

    int rightmostDark = -1;
    int rightmostRed = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (IsDark(image.pixelColor(x, y)) && !IsReddish(image.pixelColor(x, y)))
                rightmostDark = x;
            if (IsReddish(image.pixelColor(x, y)))
                rightmostRed = x;
        }
    }
    QVERIFY(rightmostDark > 0);
    // The shadow copy lies 4 pixels right of the text, in the shadow colour.
    QCOMPARE(rightmostRed, rightmostDark + 4);

    // Without depth the text covers its copies.
    label->SetDepthShadow(0);
    image = Picture(*label);
    int solidRed = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            solidRed += image.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    QCOMPARE(solidRed, 0);
}

void TestLabels::PaintingSuspendedDrawsNothing()
{
    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    label->SetTransparent(false);
    label->SetBackColor(clBlue);
    m_Host->SetPaintingSuspended(true);
    label->SetBounds(50, 50, 3, 33);
    const QImage image = label->grab().toImage();
    QVERIFY(image.pixelColor(1, 1) != QColor(0, 0, 255));
    QCOMPARE(label->Width(), 3); // not laid out either
    m_Host->SetPaintingSuspended(false);
}

void TestLabels::PrintsIntoItsRectangle_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("full size") << 1.0f;
    QTest::newRow("zoomed out") << 0.5f;
}

void TestLabels::PrintsIntoItsRectangle()
{
    QFETCH(float, zoom);
    TGPLabel* label = AddLabel("Printed label", {96, 192, 200, 40}, m_Owner);
    label->Font().SetSize(20);
    label->SetBackColor(clYellow);
    label->SetTransparent(false);
    label->SetBorderStyle(bsSingle);
    m_Host->SetZoom(zoom);
    const QString pdf = m_Dir->filePath("label.pdf");
    PrintObject(*label, pdf);
    // The label prints at full size whatever the zoom: its rectangle on paper starts at
    // (1.5, 2.25) inches.
    const QRectF box = PdfWordBox(pdf, "Printed");
    QVERIFY2(!box.isEmpty(), "no text in the PDF");
    QVERIFY2(box.left() >= 1.5 * 72 - 0.5 && box.left() <= 1.5 * 72 + 4, qPrintable(QString::number(box.left())));
    QVERIFY2(box.top() >= 2.25 * 72 - 0.5 && box.top() <= 2.25 * 72 + 8, qPrintable(QString::number(box.top())));
    QVERIFY(!PdfWordBox(pdf, "label").isEmpty());

    // Rendered at the screen's resolution the picture fills the label's rectangle at full size.
    m_Host->SetZoom(1.0f);
    label->Layout();
    const QImage page = PdfPageImage(pdf, m_Dir->path(), 96);
    QVERIFY(!page.isNull());
    const QPoint corner(int(1.5 * 96), int(2.25 * 96));
    const QColor yellow = page.pixelColor(corner + QPoint(label->Width() - 6, label->Height() / 2));
    QVERIFY2(yellow.red() > 240 && yellow.green() > 240 && yellow.blue() < 40, qPrintable(yellow.name()));
    // The 1-pixel border may straddle two device pixels.
    const QPoint edge = corner + QPoint(label->Width() - 1, label->Height() / 2);
    QVERIFY(std::min(qGray(page.pixel(edge)), qGray(page.pixel(edge - QPoint(1, 0)))) < 160);
    QCOMPARE(page.pixelColor(corner + QPoint(label->Width() + 3, label->Height() / 2)), QColor(Qt::white));
}

void TestLabels::MenuChecksAndToggles()
{
    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    QMenu* menu = OpenMenuOn(*label);
    QCOMPARE(menu, label->ObjectMenu());
    QStringList captions;
    for (QAction* action : menu->actions())
        captions += action->isSeparator() ? "-" : action->text();
    QCOMPARE(captions, (QStringList{"Bring To Front",
                                    "Send To Back",
                                    "Cut",
                                    "Copy",
                                    "Delete",
                                    "Clone",
                                    "-",
                                    "Locked",
                                    "Unselectable",
                                    "-",
                                    "Center Vertically",
                                    "Center Horizontally",
                                    "-",
                                    "Font",
                                    "3D Effects",
                                    "Alignment",
                                    "Transparent",
                                    "Background Color",
                                    "Border",
                                    "-",
                                    "Text",
                                    "-",
                                    "Rotation"}));
    QCOMPARE(Item(menu, "Text")->data().toInt(), 1000);
    QVERIFY(!Item(menu, "Border")->isChecked());
    QVERIFY(Item(menu, "Transparent")->isChecked());
    QVERIFY(Item(Item(menu, "Alignment")->menu(), "Left")->isChecked());
    QVERIFY(!Item(Item(menu, "Alignment")->menu(), "Center")->isChecked());
    QVERIFY(Item(Item(menu, "Rotation")->menu(), "No Rotation")->isChecked());

    Choose(menu, {"Border"});
    QCOMPARE(label->BorderStyle(), bsSingle);
    int changes = m_Changes;
    QVERIFY(changes > 0);
    Choose(OpenMenuOn(*label), {"Transparent"});
    QVERIFY(!label->Transparent());
    QVERIFY(m_Changes > changes);
    changes = m_Changes;
    Choose(OpenMenuOn(*label), {"Alignment", "Center"});
    QCOMPARE(label->Alignment(), taCenter);
    QVERIFY(m_Changes > changes);

    // Centred text sits in the middle of the box.
    label->Layout();
    const int textWidth = TextExtent(*label).Width;
    QCOMPARE(label->MainOrigin().x(), label->Width() / 2 - textWidth / 2);

    menu = OpenMenuOn(*label);
    QVERIFY(Item(menu, "Border")->isChecked());
    QVERIFY(!Item(menu, "Transparent")->isChecked());
    QVERIFY(!Item(Item(menu, "Alignment")->menu(), "Left")->isChecked());
    QVERIFY(Item(Item(menu, "Alignment")->menu(), "Center")->isChecked());
    Choose(menu, {"Alignment", "Right"});
    QCOMPARE(label->Alignment(), taRightJustify);
    label->Layout();
    QCOMPARE(label->MainOrigin().x(), label->TextRect().Right - textWidth);

    Choose(OpenMenuOn(*label), {"Border"});
    QCOMPARE(label->BorderStyle(), bsNone);
    Choose(OpenMenuOn(*label), {"Transparent"});
    QVERIFY(label->Transparent());
}

void TestLabels::BackgroundColourCommand_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::newRow("colour chosen") << true;
    QTest::newRow("dialog cancelled") << false;
}

void TestLabels::BackgroundColourCommand()
{
    QFETCH(bool, chosen);
    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    if (chosen)
        m_Ui->AnswerColor(QColor(0, 128, 0));
    else
        m_Ui->CancelChoice();
    Choose(OpenMenuOn(*label), {"Background Color"});
    QVERIFY(m_Ui->ScriptFinished());
    QCOMPARE(label->BackColor(), chosen ? clGreen : clWhite);
    QCOMPARE(label->Transparent(), !chosen);
    QCOMPARE(Item(OpenMenuOn(*label), "Transparent")->isChecked(), !chosen);
    if (chosen)
        QCOMPARE(Picture(*label).pixelColor(label->Width() - 5, label->Height() / 2), QColor(0, 128, 0));
}

void TestLabels::RotationCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("changed");

    QTest::newRow("90 Degrees") << "90 Degrees" << 90 << true;
    QTest::newRow("180 Degrees keeps the box but is a change") << "180 Degrees" << 180 << true;
    QTest::newRow("270 Degrees") << "270 Degrees" << 270 << true;
    QTest::newRow("No Rotation changes nothing") << "No Rotation" << 0 << false;
}

void TestLabels::RotationCommands()
{
    QFETCH(QString, item);
    QFETCH(int, angle);
    QFETCH(bool, changed);

    // Text wide enough that the layout at 180 degrees keeps the box.
    TGPLabel* label = AddLabel("Please rotate this text", {50, 50, 142, 33}, m_Owner);
    label->Layout();
    const int changes = m_Changes;
    Choose(OpenMenuOn(*label), {"Rotation", item});
    QCOMPARE(label->Angle(), angle);
    QCOMPARE(m_Changes > changes, changed);
    QCOMPARE(label->Height() > label->Width(), angle == 90 || angle == 270);
    QMenu* rotation = Item(OpenMenuOn(*label), "Rotation")->menu();
    for (QAction* action : rotation->actions())
        QCOMPARE(action->isChecked(), action->text() == item);
}

void TestLabels::TextCommand_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("Ok") << true;
    QTest::newRow("Cancel") << false;
}

void TestLabels::TextCommand()
{
    QFETCH(bool, accept);
    TGPLabel* label = AddLabel("Text", {50, 50, 60, 33}, m_Owner);
    label->Layout();
    const QSize before = label->size();
    QString shownText;
    m_Ui->AnswerDialog([&](QDialog& dialog) {
        auto* text = dialog.findChild<QLineEdit*>("LabelText");
        if (!text)
            return int(QDialog::Rejected);
        shownText = text->text();
        [&] {
            QCOMPARE(dialog.windowTitle(), QString("Text"));
            QCOMPARE(dialog.size(), QSize(356, 133));
            QCOMPARE(dialog.focusWidget(), text);
        }();
        // The text starts selected: typing replaces it.
        QTest::keyClicks(text, "A much longer line of text");
        QTest::mouseClick(dialog.findChild<QPushButton*>(accept ? "OKButton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
    Choose(OpenMenuOn(*label), {"Text"});
    QCOMPARE(m_Ui->DialogsShown, QStringList{"TGetLabelText"});
    QCOMPARE(shownText, QString("Text"));
    if (!accept) {
        QCOMPARE(label->Caption(), QString("Text"));
        QCOMPARE(label->size(), before);
        return;
    }
    QCOMPARE(label->Caption(), QString("A much longer line of text"));
    // The label grew to hold the text and five spaces.
    const QFontMetrics metrics(label->CanvasFont());
    QCOMPARE(label->Width(), metrics.horizontalAdvance("A much longer line of text     "));
    QVERIFY(label->Height() >= before.height());
}

void TestLabels::FontCommandGrowsNeverShrinks_data()
{
    QTest::addColumn<int>("size"); // 0: dialog cancelled
    QTest::addColumn<bool>("grows");

    QTest::newRow("smaller font keeps the box") << 6 << false;
    QTest::newRow("larger font grows the box") << 24 << true;
    QTest::newRow("cancelled") << 0 << false;
}

void TestLabels::FontCommandGrowsNeverShrinks()
{
    QFETCH(int, size);
    QFETCH(bool, grows);

    const QString caption = "Meeting with the whole team";
    TGPLabel* label = AddLabel(caption, {20, 50, 300, 60}, m_Owner);
    label->Layout();
    const QSize before = label->size();
    if (size > 0) {
        QFont font("Liberation Serif");
        font.setPointSize(size);
        font.setBold(true);
        m_Ui->AnswerFont({font, QColor(0, 0, 255)});
    } else {
        m_Ui->CancelChoice();
    }
    Choose(OpenMenuOn(*label), {"Font"});
    QVERIFY(m_Ui->ScriptFinished());

    if (size == 0) {
        QCOMPARE(label->Font().Name(), QString("Arial"));
        QCOMPARE(label->size(), before);
        return;
    }
    QCOMPARE(label->Font().Name(), QString("Liberation Serif"));
    QCOMPARE(label->Font().Size(), size);
    QVERIFY(label->Font().HasStyle(fsBold));
    QCOMPARE(label->Font().Color(), clBlue);
    const QFontMetrics metrics(label->CanvasFont());
    if (grows) {
        QCOMPARE(label->Width(), metrics.horizontalAdvance(caption + "     "));
        QVERIFY(label->Height() >= metrics.height());
    } else {
        QCOMPARE(label->Width(), before.width());
    }
}

void TestLabels::AutoGrowNeverShrinks()
{
    TGPLabel* label = AddLabel("Grow", {20, 50, 300, 60}, m_Owner);
    TFont font;
    font.Assign(label->Font());
    font.SetSize(6);
    label->ApplyFont(font);
    label->AutoGrow();
    QCOMPARE(label->size(), QSize(300, 60));

    label->SetBounds(20, 50, 20, 8);
    label->AutoGrow();
    const QFontMetrics metrics(label->CanvasFont());
    QCOMPARE(label->size(), QSize(metrics.horizontalAdvance("Grow     "), metrics.height()));

    // Only at angle 0.
    label->SetAngle(90);
    const QSize turned = label->size();
    label->SetCaption("A much longer caption");
    label->AutoGrow();
    QCOMPARE(label->size(), turned);
}

void TestLabels::EffectsDialogShowsChangesLive_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("Ok") << true;
    QTest::newRow("Cancel") << false;
}

void TestLabels::EffectsDialogShowsChangesLive()
{
    QFETCH(bool, accept);
    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    label->Layout();
    const TColor orange = 0x0080FF;
    label->SetDepthShadow(2);
    label->SetcolorShadow(orange);
    label->Font().SetColor(clNavy);

    m_Ui->AnswerDialog([&](QDialog& dialog) {
        auto* effects = qobject_cast<TGFont3DEffects*>(&dialog);
        auto* shadowDirection = dialog.findChild<QComboBox*>("ShadowDirection");
        auto* shadowDepth = dialog.findChild<QComboBox*>("ShadowDepth");
        auto* shadowColor = dialog.findChild<TColorComboBox*>("ShadowColorCombo");
        auto* highlightDirection = dialog.findChild<QComboBox*>("HighlightDirection");
        auto* highlightDepth = dialog.findChild<QComboBox*>("HighLightDepth");
        auto* highlightColor = dialog.findChild<TColorComboBox*>("HighLightColorCombo");
        auto* fontColor = dialog.findChild<TColorComboBox*>("FontColorCombo");
        auto* sample = dialog.findChild<TGPLabel*>("Sample");
        if (!effects || !shadowDirection || !shadowDepth || !shadowColor || !highlightDirection || !highlightDepth ||
            !highlightColor || !fontColor || !sample || sample != &effects->Sample())
            return int(QDialog::Rejected);
        [&] {
            QCOMPARE(dialog.windowTitle(), QString("Text 3D Effects"));
            QCOMPARE(dialog.size(), QSize(467, 338));
            // Every control starts from the label.
            QCOMPARE(shadowDirection->currentText(), QString("Lower Right"));
            QCOMPARE(shadowDepth->currentText(), QString("2"));
            QCOMPARE(shadowColor->Color(), orange);
            QCOMPARE(highlightDirection->currentText(), QString("Upper Left"));
            QCOMPARE(highlightDepth->currentIndex(), 0);
            QCOMPARE(highlightColor->Color(), clAqua);
            QCOMPARE(fontColor->Color(), clNavy);
            QCOMPARE(sample->Caption(), QString("Text"));
            QCOMPARE(sample->DepthShadow(), 2);
            QCOMPARE(sample->Font().Color(), clNavy);

            QTest::keyClick(shadowDirection, Qt::Key_Down);
            QCOMPARE(sample->DirectionShadow(), sdDownLeft);
            QTest::keyClick(shadowDepth, Qt::Key_Down);
            QTest::keyClick(shadowDepth, Qt::Key_Down);
            QCOMPARE(sample->DepthShadow(), 4);
            QCOMPARE(sample->ShadowOffset(), QPoint(-4, 4));
            QTest::keyClick(shadowColor, Qt::Key_Home);
            QCOMPARE(sample->colorShadow(), clBlack);
            QTest::keyClick(highlightDirection, Qt::Key_Up);
            QCOMPARE(sample->DirectionHighlight(), hdUpRight);
            QTest::keyClick(highlightDepth, Qt::Key_Down);
            QCOMPARE(sample->DepthHighlight(), 1);
            QTest::keyClick(highlightColor, Qt::Key_Down);
            QCOMPARE(sample->colorHighlight(), clWhite);
            QTest::keyClick(fontColor, Qt::Key_Down);
            QCOMPARE(sample->Font().Color(), clPurple);
            // The sample repaints with the new look: its text now in purple.
            bool purple = false;
            const QImage image = sample->grab().toImage();
            for (int x = 0; x < image.width() && !purple; ++x)
                for (int y = 0; y < image.height() && !purple; ++y)
                    purple = image.pixelColor(x, y) == QColor(128, 0, 128);
            QVERIFY(purple);
        }();
        QTest::mouseClick(dialog.findChild<QPushButton*>(accept ? "OKButton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
    const int changes = m_Changes;
    Choose(OpenMenuOn(*label), {"3D Effects"});
    QCOMPARE(m_Ui->DialogsShown, QStringList{"TGFont3DEffects"});

    if (!accept) {
        QCOMPARE(label->DirectionShadow(), sdDownRight);
        QCOMPARE(label->DepthShadow(), 2);
        QCOMPARE(label->colorShadow(), orange);
        QCOMPARE(label->DepthHighlight(), 0);
        QCOMPARE(label->Font().Color(), clNavy);
        QCOMPARE(m_Changes, changes);
        return;
    }
    QCOMPARE(label->DirectionShadow(), sdDownLeft);
    QCOMPARE(label->DepthShadow(), 4);
    QCOMPARE(label->colorShadow(), clBlack);
    QCOMPARE(label->DirectionHighlight(), hdUpRight);
    QCOMPARE(label->DepthHighlight(), 1);
    QCOMPARE(label->colorHighlight(), clWhite);
    QCOMPARE(label->Font().Color(), clPurple);
    QCOMPARE(label->Font().Name(), QString("Arial"));
    QVERIFY(m_Changes > changes);
    label->Layout();
    QCOMPARE(label->TextMargin(), QPoint(4, 1));
}

void TestLabels::EffectsDialogNamesANewLabelsFontColour()
{
    // The label tool gives a new label the page's font, whose colour is the window-text colour.
    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    label->Font().Assign(m_Host->Font());
    QCOMPARE(label->Font().Color(), clWindowText);
    TGFont3DEffects dialog(*label);
    auto* fontColor = dialog.findChild<TColorComboBox*>("FontColorCombo");
    QVERIFY(fontColor);
    QCOMPARE(fontColor->currentText(), QString("Window Text"));
    QCOMPARE(fontColor->Color(), clWindowText);
}

void TestLabels::FontOkUnchangedKeepsTheFont_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("height"); // pixels at 96 PPI, negative: character height
    QTest::addColumn<TColor>("color");
    QTest::newRow("MS Sans Serif 8, window text") << "MS Sans Serif" << -11 << clWindowText;
    QTest::newRow("Arial, 10.5 points") << "Arial" << -14 << clBlack;
    QTest::newRow("Times New Roman, button face") << "Times New Roman" << -35 << clBtnFace;
    QTest::newRow("Courier New, cell height") << "Courier New" << 17 << clNavy;
}

void TestLabels::FontOkUnchangedKeepsTheFont()
{
    QFETCH(QString, name);
    QFETCH(int, height);
    QFETCH(TColor, color);
    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    label->Font().SetName(name);
    label->Font().SetHeight(height);
    label->Font().SetColor(color);
    label->Font().SetCharset(0);
    TFont before;
    before.Assign(label->Font());
    m_Ui->AnswerFont(ChoiceFromFont(label->Font())); // what the dialog gives back on OK untouched
    Choose(OpenMenuOn(*label), {"Font"});
    QVERIFY(m_Ui->ScriptFinished());
    QCOMPARE(label->Font().Name(), name);
    QCOMPARE(label->Font().Height(), height);
    QCOMPARE(label->Font().Color(), color);
    QVERIFY(label->Font() == before);
    QCOMPARE(label->Font().Charset(), 0);
}

void TestLabels::DialogsOfferHelp_data()
{
    QTest::addColumn<bool>("effects");
    QTest::addColumn<int>("topic");
    QTest::newRow("text dialog") << false << 40004;
    QTest::newRow("3-D effects dialog") << true << 40008;
}

void TestLabels::DialogsOfferHelp()
{
    QFETCH(bool, effects);
    QFETCH(int, topic);

    TGPLabel* label = AddLabel("Text", {50, 50, 142, 33}, m_Owner);
    std::unique_ptr<QDialog> dialog;
    if (effects)
        dialog = std::make_unique<TGFont3DEffects>(*label);
    else
        dialog = std::make_unique<TGetLabelText>();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    QTest::mouseClick(dialog->findChild<QPushButton*>("Helpbutton"), Qt::LeftButton);
    QCOMPARE(THelpWindow::Instance().CurrentTopic(), topic);
    QVERIFY(THelpWindow::Instance().isVisible());
    THelpWindow::Instance().hide();

    QTest::mouseClick(dialog->findChild<QToolButton*>("MouseHelpButton"), Qt::LeftButton);
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();

    // A right click on a control offers its what's-this text.
    QPushButton* ok = dialog->findChild<QPushButton*>("OKButton");
    QVERIFY(!ok->whatsThis().isEmpty());
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), ok->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(ok, &request);
    const TWhatsThisMenu* help = dialog->findChild<TWhatsThisMenu*>();
    QVERIFY(help && help->Menu());
    QTRY_VERIFY(help->Menu()->isVisible());
    QCOMPARE(help->Menu()->actions().size(), 1);
    QCOMPARE(help->Menu()->actions().first()->text(), QString("What's this?"));
    help->Menu()->close();
}

QObject* NewTestLabels()
{
    return new TestLabels;
}

#include "TestLabels.moc"
