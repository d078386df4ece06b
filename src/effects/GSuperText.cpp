#include "effects/GSuperText.h"

#include "effects/SuperTextProperties.h"
#include "objects/FontChoice.h"
#include "objects/GBasePanel.h"
#include "platform/ScreenPpi.h"
#include "platform/TextFit.h"
#include "platformui/UiServices.h"
#include "print/ReportPrinter.h"
#include "stream/StreamErrors.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>

namespace {

const QStringList SurfaceTypeNames{"stNormal", "stBrushTransparent", "stBrushImage", "stGradientFill"};
const QStringList FillDirectionNames{"gdUp", "gdDown", "gdLeft", "gdRight"};
const QStringList ShadowOrientationNames{"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"};
const QStringList PenStyleNames{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};

// A wider pen is always solid, as the outline style's note tells the user.
Qt::PenStyle QtPenStyle(TPenStyle style, int width)
{
    if (width > 1 && style != psClear)
        return Qt::SolidLine;
    switch (style) {
    case psSolid: return Qt::SolidLine;
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psInsideFrame: return Qt::SolidLine;
    }
    return Qt::SolidLine;
}

bool HasOutline(TPenStyle style, int width)
{
    return style != psClear && width > 0;
}

int TextWidth(const QFontMetrics& metrics, const QString& text)
{
    return metrics.horizontalAdvance(text);
}

} // namespace

void TSuperTextBitmap::DefineProperties(TPropertyList& list)
{
    TPersistent::DefineProperties(list);
    list.AddBinary(
        "Data", [this] { return m_Data; }, [this](const QByteArray& data) { SetData(data); },
        [this] { return !IsEmpty(); });
}

void TSuperTextBitmap::SetData(const QByteArray& data)
{
    if (data.size() < 4)
        throw EMervaneError(StreamErrors::InvalidPropertyValue);
    const quint32 size = qFromLittleEndian<quint32>(data.constData());
    if (qint64(size) != data.size() - 4)
        throw EMervaneError(StreamErrors::InvalidPropertyValue);
    if (size == 0) {
        m_Image = {};
        m_Data.clear();
        return;
    }
    QImage image;
    if (!image.loadFromData(data.mid(4), "BMP") || image.isNull())
        throw EMervaneError(StreamErrors::InvalidPropertyValue);
    m_Image = image;
    m_Data = data;
}

void TSuperTextBitmap::SetImage(const QImage& image)
{
    m_Image = image;
    m_Data.clear();
    if (image.isNull())
        return;
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(quint32(bmp.size()), size.data());
    m_Data = size + bmp;
}

void TSuperTextBitmap::Assign(const TSuperTextBitmap& source)
{
    m_Image = source.m_Image;
    m_Data = source.m_Data;
}

TGSuperText::TGSuperText(TComponent* owner)
    : TGGraphicControl(owner)
{
    m_Font.SetName("Arial");
    m_Font.SetSize(48);
    m_Font.SetStyle(FontStyleBit(fsBold));
    m_Font.SetColor(clBlack);
    m_Font.OnChange = [this] {
        update();
        Changed();
    };
    SetBounds(0, 0, 142, 33);
    RebuildGradient();
}

TGSuperText* TGSuperText::CreateForTool(TComponent* owner)
{
    auto* text = new TGSuperText(owner);
    text->SetBorderStyle(bsSingle);
    text->SetControlTransparent(false);
    text->SetBGColor(clWhite);
    return text;
}

void TGSuperText::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    list.AddInteger(
            "ShadowDepth", [this] { return m_ShadowDepth; }, [this](qint64 v) { SetShadowDepth(int(v)); }, 0)
        .Range(0, MaxDepth);
    list.AddEnumeration(
        "ShadowOrientation", ShadowOrientationNames, [this] { return m_ShadowOrientation; },
        [this](qint64 v) { SetShadowOrientation(TShadowOrientation(v)); }, sdDownRight);
    list.AddIdentInteger(
        "Shadowcolor", ColorIdents(), [this] { return m_Shadowcolor; }, [this](qint64 v) { SetShadowcolor(TColor(v)); },
        0x808080);
    list.AddEnumeration(
        "BorderStyle", BorderStyleNames(), [this] { return m_BorderStyle; },
        [this](qint64 v) { SetBorderStyle(TBorderStyle(v)); }, NoDefault);
    list.AddBoolean(
        "ControlTransparent", [this] { return m_ControlTransparent; }, [this](bool v) { SetControlTransparent(v); },
        NoDefault);
    list.AddIdentInteger(
        "BGColor", ColorIdents(), [this] { return m_BGColor; }, [this](qint64 v) { SetBGColor(TColor(v)); }, NoDefault);
    list.AddString(
        "Caption", [this] { return m_Caption; }, [this](const QString& v) { SetCaption(v); });
    // The object's own font is in use from construction on, so it is always written.
    list.AddObject("Font", m_Font);
    list.AddEnumeration(
        "FillDirection", FillDirectionNames, [this] { return m_FillDirection; },
        [this](qint64 v) { SetFillDirection(TFillDirection(v)); }, NoDefault);
    list.AddIdentInteger(
        "GradientToColor", ColorIdents(), [this] { return m_GradientToColor; },
        [this](qint64 v) { SetGradientToColor(TColor(v)); }, NoDefault);
    list.AddIdentInteger(
        "GradientFromColor", ColorIdents(), [this] { return m_GradientFromColor; },
        [this](qint64 v) { SetGradientFromColor(TColor(v)); }, NoDefault);
    list.AddObject("Image", m_Image).IsStored = [this] { return !m_Image.IsEmpty(); };
    list.AddIdentInteger(
        "OutlineColor", ColorIdents(), [this] { return m_OutlineColor; },
        [this](qint64 v) { SetOutlineColor(TColor(v)); }, NoDefault);
    list.AddEnumeration(
        "OutlineStyle", PenStyleNames, [this] { return m_OutlineStyle; },
        [this](qint64 v) { SetOutlineStyle(TPenStyle(v)); }, NoDefault);
    list.AddInteger(
            "OutlineWidth", [this] { return m_OutlineWidth; }, [this](qint64 v) { SetOutlineWidth(int(v)); }, NoDefault)
        .Range(0, MaxDepth);
    list.AddEnumeration(
        "SurfaceType", SurfaceTypeNames, [this] { return m_SurfaceType; },
        [this](qint64 v) {
            // Read from a file, the value stays as stored, with the outline and texture read
            // before it: the setter's side effects answer a change the user makes. Loaded
            // builds the gradient.
            if (IsReading())
                m_SurfaceType = TSurfaceType(v);
            else
                SetSurfaceType(TSurfaceType(v));
        },
        NoDefault);
    list.AddString(
        "LastBitmapFileNameandPath", [this] { return m_LastBitmapFileNameandPath; },
        [this](const QString& v) { SetLastBitmapFileNameandPath(v); });
}

void TGSuperText::Loaded()
{
    TGGraphicControl::Loaded();
    if (m_SurfaceType == stGradientFill)
        RebuildGradient();
}

void TGSuperText::FillObjectMenu(QMenu& menu)
{
    TGGraphicControl::FillObjectMenu(menu);
    menu.addSeparator();
    AddMenuItem(menu, "Font", [this] { ChooseFont(); });
    m_TransparentItem = AddMenuItem(menu, "Transparent", [this] { SetControlTransparent(!m_ControlTransparent); });
    m_TransparentItem->setCheckable(true);
    AddMenuItem(menu, "Background Color", [this] { ChooseBackColor(); });
    m_BorderItem =
        AddMenuItem(menu, "Border", [this] { SetBorderStyle(m_BorderStyle == bsSingle ? bsNone : bsSingle); });
    m_BorderItem->setCheckable(true);
    m_BorderItem->setChecked(m_BorderStyle == bsSingle);
    AddMenuItem(menu, "Properties", [this] { Properties(); });
}

void TGSuperText::PopupMenuOpening()
{
    TGGraphicControl::PopupMenuOpening();
    if (!m_BorderItem)
        return;
    m_BorderItem->setChecked(m_BorderStyle == bsSingle);
    m_TransparentItem->setChecked(m_ControlTransparent);
}

void TGSuperText::Changed()
{
    if (!IsLoading() && !IsReading())
        NotifyChanged();
}

void TGSuperText::ApplyFont(const TFont& font)
{
    m_Font.Assign(font);
    m_LayoutNeeded = true;
}

void TGSuperText::ChooseFont()
{
    TFontChoice choice = ChoiceFromFont(m_Font);
    // The program's font dialog lists outline fonts only, as text paths need them.
    if (!UiServices().ChooseFont(choice))
        return;
    TFont font;
    font.Assign(m_Font);
    CopyChoiceToFont(choice, font);
    m_Font.Assign(font);
    m_LayoutNeeded = true;
}

void TGSuperText::Properties()
{
    TSuperTextProperties dialog(parentWidget() ? window() : nullptr);
    TGSuperText& sample = dialog.Sample();
    sample.Assign(*this);
    dialog.SetLastTextureFile(m_LastBitmapFileNameandPath);
    if (UiServices().ExecDialog(dialog) != QDialog::Accepted)
        return;
    SetGradientFromColor(sample.m_GradientFromColor);
    SetFillDirection(sample.m_FillDirection);
    SetGradientToColor(sample.m_GradientToColor);
    m_Image.Assign(sample.m_Image);
    SetOutlineColor(sample.m_OutlineColor);
    SetOutlineStyle(sample.m_OutlineStyle);
    SetOutlineWidth(sample.m_OutlineWidth);
    SetShadowcolor(sample.m_Shadowcolor);
    SetShadowDepth(sample.m_ShadowDepth);
    SetShadowOrientation(sample.m_ShadowOrientation);
    SetSurfaceType(sample.m_SurfaceType);
    m_LastBitmapFileNameandPath = dialog.LastTextureFile();
    m_Font.SetColor(sample.m_Font.Color());
    ApplyFont(sample.m_Font);
    SetCaption(sample.m_Caption);
    if (m_SurfaceType == stGradientFill)
        RebuildGradient();
    m_LayoutNeeded = true;
    RunLayout();
    update();
    NotifyChanged();
}

void TGSuperText::ChooseBackColor()
{
    QColor color = ColorToQColor(m_BGColor);
    if (!UiServices().ChooseColor(color))
        return;
    m_BGColor = ColorFromQColor(color);
    NotifyChanged();
    SetControlTransparent(false);
    update();
}

void TGSuperText::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    m_LayoutNeeded = true;
    if (Width() <= 0 || Height() <= 0)
        SetBounds(Left(), Top(), std::max(Width(), 1), std::max(Height(), 1));
    if (m_SurfaceType == stGradientFill)
        RebuildGradient();
}

void TGSuperText::SetCaption(const QString& value)
{
    if (value == m_Caption)
        return;
    m_Caption = value;
    Changed();
}

void TGSuperText::SetShadowDepth(int value)
{
    if (value == m_ShadowDepth || value < 0 || value > MaxDepth)
        return;
    m_ShadowDepth = value;
    m_LayoutNeeded = true;
    update();
}

void TGSuperText::SetShadowOrientation(TShadowOrientation value)
{
    if (StoreProperty(m_ShadowOrientation, value))
        m_LayoutNeeded = true;
}

void TGSuperText::SetShadowcolor(TColor value)
{
    StoreProperty(m_Shadowcolor, value);
}

void TGSuperText::SetBorderStyle(TBorderStyle value)
{
    StoreProperty(m_BorderStyle, value);
}

void TGSuperText::SetControlTransparent(bool value)
{
    StoreLook(m_ControlTransparent, value);
}

void TGSuperText::SetBGColor(TColor value)
{
    StoreProperty(m_BGColor, value);
}

void TGSuperText::SetFillDirection(TFillDirection value)
{
    if (StoreProperty(m_FillDirection, value) && m_SurfaceType == stGradientFill)
        RebuildGradient();
}

void TGSuperText::SetGradientToColor(TColor value)
{
    if (StoreProperty(m_GradientToColor, value) && m_SurfaceType == stGradientFill)
        RebuildGradient();
}

void TGSuperText::SetGradientFromColor(TColor value)
{
    if (StoreProperty(m_GradientFromColor, value) && m_SurfaceType == stGradientFill)
        RebuildGradient();
}

void TGSuperText::SetImage(const QImage& image)
{
    m_Image.SetImage(image);
    update();
}

void TGSuperText::SetOutlineColor(TColor value)
{
    StoreProperty(m_OutlineColor, value);
}

void TGSuperText::SetOutlineStyle(TPenStyle value)
{
    StoreProperty(m_OutlineStyle, value);
}

void TGSuperText::SetOutlineWidth(int value)
{
    if (value == m_OutlineWidth || value < 0 || value > MaxDepth)
        return;
    m_OutlineWidth = value;
    update();
}

void TGSuperText::SetSurfaceType(TSurfaceType value)
{
    if (value == m_SurfaceType)
        return;
    m_SurfaceType = value;
    // A texture does not survive a change to another surface.
    if (value != stBrushImage)
        m_Image.SetImage({});
    if (value == stGradientFill)
        RebuildGradient();
    // Letters without a fill need their outline to show at all.
    if (value == stBrushTransparent && m_OutlineStyle == psClear)
        m_OutlineStyle = psSolid;
    update();
}

void TGSuperText::Assign(const TGSuperText& source)
{
    SetCaption(source.m_Caption);
    m_Font.Assign(source.m_Font);
    m_LayoutNeeded = true;
    SetControlTransparent(source.m_ControlTransparent);
    SetBGColor(source.m_BGColor);
    SetBorderStyle(source.m_BorderStyle);
    SetGradientFromColor(source.m_GradientFromColor);
    SetGradientToColor(source.m_GradientToColor);
    SetFillDirection(source.m_FillDirection);
    m_Image.Assign(source.m_Image);
    SetOutlineColor(source.m_OutlineColor);
    SetOutlineStyle(source.m_OutlineStyle);
    SetOutlineWidth(source.m_OutlineWidth);
    SetShadowcolor(source.m_Shadowcolor);
    SetShadowDepth(source.m_ShadowDepth);
    SetShadowOrientation(source.m_ShadowOrientation);
    // Straight into the field: the setter would drop the texture just copied.
    m_SurfaceType = source.m_SurfaceType;
    if (m_SurfaceType == stGradientFill)
        RebuildGradient();
    SetBounds(Left(), Top(), source.Width(), source.Height());
    update();
}

QPoint TGSuperText::ShadowOffset(int depth, TShadowOrientation orientation)
{
    switch (orientation) {
    case sdNone: return {0, 0};
    case sdRight: return {depth, 0};
    case sdLeft: return {-depth, 0};
    case sdDownRight: return {depth, depth};
    case sdDownLeft: return {-depth, depth};
    case sdDown: return {0, depth};
    }
    return {0, 0};
}

QFont TGSuperText::ZoomedFont(float zoom) const
{
    if (zoom == 1.0f)
        return m_Font.ToQFont();
    TFont zoomed;
    zoomed.Assign(m_Font);
    zoomed.SetSize(std::max(1, int(float(m_Font.Size()) * zoom)));
    return zoomed.ToQFont();
}

TSuperTextLayout TGSuperText::Layout(QSize size, float zoom) const
{
    QPoint shadow = ShadowOffset(m_ShadowDepth, m_ShadowOrientation);
    if (zoom != 1.0f)
        shadow = {int(float(shadow.x()) * zoom), int(float(shadow.y()) * zoom)};
    const QFontMetrics metrics(ZoomedFont(zoom));
    const int th = metrics.height();
    const int tw = TextWidth(metrics, ShowableLine(m_Caption) + ' ');
    const int mx = shadow.x() < 0 ? -shadow.x() : 0;
    const int my = shadow.y() < 0 ? -shadow.y() : 0;
    const int f = std::abs(shadow.y()) + th;
    int width = size.width();
    int height = size.height();
    if (width <= 5)
        width = tw;
    // A transparent text object shrinks to its text.
    if (m_ControlTransparent && m_BorderStyle == bsNone && height > 1.2 * f)
        height = int(1.2 * f);
    if (height < f)
        height = f;
    TSuperTextLayout layout;
    layout.TextOrigin = {mx + 5, my};
    layout.ShadowOrigin = layout.TextOrigin + shadow;
    layout.Size = {width, height};
    return layout;
}

void TGSuperText::RunLayout()
{
    if (!m_LayoutNeeded || m_LayoutRunning)
        return;
    m_LayoutRunning = true;
    m_Layout = Layout(size(), Zoom());
    if (m_Layout.Size != size())
        FitSize(m_Layout.Size.width(), m_Layout.Size.height());
    m_LayoutNeeded = false;
    m_LayoutRunning = false;
}

std::vector<TGradientBand> TGSuperText::GradientBands(QSize size) const
{
    const bool reversed = m_FillDirection == gdUp || m_FillDirection == gdLeft;
    const QColor start = ColorToQColor(reversed ? m_GradientToColor : m_GradientFromColor);
    const QColor end = ColorToQColor(reversed ? m_GradientFromColor : m_GradientToColor);
    const int dr = end.red() - start.red();
    const int dg = end.green() - start.green();
    const int db = end.blue() - start.blue();
    const bool vertical = m_FillDirection == gdUp || m_FillDirection == gdDown;
    const int extent = vertical ? size.height() : size.width();
    std::vector<TGradientBand> bands;
    bands.reserve(256);
    for (int i = 0; i < 256; ++i) {
        const int from = MulDiv(i, extent, 256);
        const int to = MulDiv(i + 1, extent, 256);
        const QColor color((start.red() + MulDiv(i, dr, 255)) & 0xFF, (start.green() + MulDiv(i, dg, 255)) & 0xFF,
                           (start.blue() + MulDiv(i, db, 255)) & 0xFF);
        bands.push_back(
            {i, vertical ? QRect(0, from, size.width(), to - from) : QRect(from, 0, to - from, size.height()), color});
    }
    return bands;
}

QImage TGSuperText::GradientPicture(QSize size) const
{
    QImage picture(std::max(size.width(), 1), std::max(size.height(), 1), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (const TGradientBand& band : GradientBands(picture.size())) {
        if (!band.Rect.isEmpty())
            painter.fillRect(band.Rect, band.Color);
    }
    return picture;
}

void TGSuperText::RebuildGradient()
{
    m_Gradient = GradientPicture(size());
    update();
}

QString TGSuperText::FittedCaption(const QString& caption, const QFont& font, int room)
{
    const QFontMetrics metrics(font);
    return FittingPrefix(caption, room, qsizetype(std::max(room, 0)) + 1,
                         [&metrics](const QString& part) { return TextWidth(metrics, part); });
}

QPainterPath TGSuperText::TextPath(const QString& text, const QFont& font, QPoint origin) const
{
    QPainterPath path;
    path.addText(QPointF(origin.x(), origin.y() + QFontMetrics(font).ascent()), font, text);
    return path;
}

void TGSuperText::Draw(QPainter& canvas, QSize size, float zoom, const TSuperTextLayout& layout) const
{
    const int w = size.width();
    const int h = size.height();
    const int e = std::max(layout.TextOrigin.x(), layout.ShadowOrigin.x());
    const QFont font = ZoomedFont(zoom);
    canvas.save();
    if (!m_ControlTransparent || m_BorderStyle == bsSingle) {
        canvas.setBrush(m_ControlTransparent ? QBrush(Qt::NoBrush) : QBrush(ColorToQColor(m_BGColor)));
        canvas.setPen(m_BorderStyle == bsSingle ? QPen(Qt::black, 1) : QPen(Qt::NoPen));
        canvas.drawRect(QRect(0, 0, w - 1, h - 1));
    }
    canvas.setBrush(Qt::NoBrush);
    const QString text = FittedCaption(m_Caption, font, w - e);
    if (text.isEmpty()) {
        canvas.setPen(QPen(Qt::black, 1));
        canvas.drawRect(QRect(0, 0, w - 1, h - 1));
        canvas.drawLine(0, 0, w, h);
        canvas.drawLine(w, 0, 0, h);
        canvas.restore();
        return;
    }
    // One path of the letters serves the shadow, the fill and the outline; filling the path
    // costs far less than clipping to it.
    const QPainterPath letters = TextPath(text, font, layout.TextOrigin);
    if (m_ShadowDepth > 0 && m_ShadowOrientation != sdNone)
        canvas.fillPath(letters.translated(layout.ShadowOrigin - layout.TextOrigin), ColorToQColor(m_Shadowcolor));
    if (m_SurfaceType == stNormal) {
        canvas.fillPath(letters, ColorToQColor(m_Font.Color()));
    } else if (m_SurfaceType == stBrushImage && !m_Image.IsEmpty()) {
        const QImage& tile = m_Image.Image();
        const int tw = zoom == 1.0f ? tile.width() : int(float(tile.width()) * zoom);
        const int th = zoom == 1.0f ? tile.height() : int(float(tile.height()) * zoom);
        if (tw > 0 && th > 0) {
            canvas.save();
            canvas.setClipPath(letters);
            for (int y = 0; y < h; y += th)
                for (int x = 0; x < w; x += tw)
                    canvas.drawImage(QRect(x, y, tw, th), tile);
            canvas.restore();
        }
    } else if (m_SurfaceType == stGradientFill) {
        // The brush's picture starts at the object's corner, as the bands do.
        canvas.fillPath(letters, QBrush(m_Gradient.size() == size ? m_Gradient : GradientPicture(size)));
    }
    if (HasOutline(m_OutlineStyle, m_OutlineWidth)) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(ColorToQColor(m_OutlineColor), m_OutlineWidth, QtPenStyle(m_OutlineStyle, m_OutlineWidth)));
        canvas.drawPath(letters);
    }
    canvas.restore();
}

void TGSuperText::Paint(QPainter& painter)
{
    if (m_PaintRunning)
        return;
    if (TGBasePanel* host = Host(); host && host->PaintingSuspended())
        return;
    m_PaintRunning = true;
    if (Width() < 5 || Height() < 5)
        m_LayoutNeeded = true;
    RunLayout();
    Draw(painter, size(), Zoom(), m_Layout);
    m_PaintRunning = false;
}

bool TGSuperText::FitToText()
{
    const QFontMetrics metrics(ZoomedFont(Zoom()));
    const int cx = TextWidth(metrics, ShowableLine(m_Caption));
    const int cy = metrics.height();
    m_LayoutNeeded = true;
    RunLayout();
    const int x0 = std::max(m_Layout.TextOrigin.x(), m_Layout.ShadowOrigin.x());
    const int y0 = std::max(m_Layout.TextOrigin.y(), m_Layout.ShadowOrigin.y());
    SetBounds(Left(), Top(), int(x0 + 1.2 * cx), int(1.2 * (cy + y0)));
    if (Height() < cy)
        SetBounds(Left(), Top(), Width(), int(1.5 * cy));
    if (Width() < cx)
        SetBounds(Left(), Top(), int(1.5 * cx), Height());
    return Height() >= cy && Width() >= cx;
}

void TGSuperText::PrintTo(TReportPrinter& report, double x, double y)
{
    const double ppi = ScreenPpi();
    const QRect bounds = DocumentBounds();
    const TSuperTextLayout layout = Layout(bounds.size(), 1.0f);
    const QSize size = layout.Size;
    const QRectF box(x + bounds.left() / ppi, y + bounds.top() / ppi, size.width() / ppi, size.height() / ppi);
    if (!m_ControlTransparent || m_BorderStyle == bsSingle) {
        report.SetBrush(ColorToQColor(m_BGColor), m_ControlTransparent ? Qt::NoBrush : Qt::SolidPattern);
        report.SetPen(Qt::black, m_BorderStyle == bsSingle ? Qt::SolidLine : Qt::NoPen, 1);
        report.Rectangle(box.left(), box.top(), box.right(), box.bottom());
    }
    report.SetBrush(Qt::white, Qt::NoBrush);
    const int e = std::max(layout.TextOrigin.x(), layout.ShadowOrigin.x());
    const QString text = FittedCaption(m_Caption, ZoomedFont(1.0f), size.width() - e);
    if (text.isEmpty())
        return;
    const auto at = [&](QPoint origin) {
        return QPointF(x + (bounds.left() + origin.x()) / ppi, y + (bounds.top() + origin.y()) / ppi);
    };
    const QString name = m_Font.Name();
    const auto setFont = [&](TColor color) {
        report.SetFont(name, m_Font.Size(), m_Font.HasStyle(fsBold), m_Font.HasStyle(fsItalic),
                       m_Font.HasStyle(fsUnderline), ColorToQColor(color));
    };
    report.SetTextBackground(false);
    if (m_ShadowDepth > 0 && m_ShadowOrientation != sdNone) {
        setFont(m_Shadowcolor);
        const QPointF shadow = at(layout.ShadowOrigin);
        report.PrintXY(shadow.x(), shadow.y(), text);
    }
    setFont(m_Font.Color());
    const QRect fill = report.InchRectToDevice(QRectF(QPointF(box.left() - 0.03, box.top() - 0.03), box.bottomRight()));
    const QPointF origin = at(layout.TextOrigin);
    if (m_SurfaceType != stBrushTransparent) {
        report.BeginPath();
        report.PathText(origin.x(), origin.y(), text);
        report.EndPath();
        report.SelectClipPath();
        if (m_SurfaceType == stNormal) {
            report.FillDeviceRect(fill, ColorToQColor(m_Font.Color()));
        } else if (m_SurfaceType == stBrushImage && !m_Image.IsEmpty()) {
            const QImage& tile = m_Image.Image();
            const double sx = report.XDPI() / ppi;
            const double sy = report.YDPI() / ppi;
            const int tw = int(std::lround(tile.width() * sx));
            const int th = int(std::lround(tile.height() * sy));
            if (tw > 0 && th > 0) {
                for (int dy = 0; dy < fill.height() + th; dy += th) {
                    for (int dx = 0; dx < fill.width() + tw; dx += tw) {
                        const QPointF topLeft(box.left() - 0.03 + double(dx) / report.XDPI(),
                                              box.top() - 0.03 + double(dy) / report.YDPI());
                        report.StretchDraw(QRectF(topLeft, QSizeF(double(tw) / report.XDPI() + 0.01,
                                                                  double(th) / report.YDPI() + 0.01)),
                                           tile);
                    }
                }
            }
        } else if (m_SurfaceType == stGradientFill) {
            const QSize area(fill.width() + int(0.25 * report.XDPI()) + 1,
                             fill.height() + int(0.25 * report.YDPI()) + 1);
            for (const TGradientBand& band : GradientBands(area)) {
                if (!band.Rect.isEmpty())
                    report.FillDeviceRect(band.Rect.translated(fill.topLeft()), band.Color);
            }
        }
        report.ClearClip();
    }
    if (HasOutline(m_OutlineStyle, m_OutlineWidth)) {
        report.SetBrush(ColorToQColor(m_Font.Color()), Qt::NoBrush);
        report.SetPen(ColorToQColor(m_OutlineColor), QtPenStyle(m_OutlineStyle, m_OutlineWidth), -m_OutlineWidth);
        report.BeginPath();
        report.PathText(origin.x(), origin.y(), text);
        report.EndPath();
        report.StrokePath();
    }
}
