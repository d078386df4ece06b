#include "objects/GBaseLabel.h"

#include "objects/FontChoice.h"
#include "objects/GBasePanel.h"
#include "objects/GFont3DEffects.h"
#include "platform/Lines.h"
#include "platformui/UiServices.h"

#include <QDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

namespace {

QPoint ShadowOffsetOf(TShadowDirection direction, int depth)
{
    switch (direction) {
    case sdNone: return {0, 0};
    case sdRight: return {depth, 0};
    case sdLeft: return {-depth, 0};
    case sdDownRight: return {depth, depth};
    case sdDownLeft: return {-depth, depth};
    case sdDown: return {0, depth};
    }
    return {0, 0};
}

QPoint HighlightOffsetOf(THighlightDirection direction, int depth)
{
    switch (direction) {
    case hdNone: return {0, 0};
    case hdright: return {depth, 0};
    case hdLeft: return {-depth, 0};
    case hdUpRight: return {depth, -depth};
    case hdUpLeft: return {-depth, -depth};
    case hdUp: return {0, -depth};
    }
    return {0, 0};
}

// An offset in text direction turned into label coordinates for a text rotated by `angle`
// degrees counter-clockwise.
QPoint Turned(QPoint offset, int angle)
{
    switch (angle) {
    case 90: return {offset.y(), -offset.x()};
    case 180: return {-offset.x(), -offset.y()};
    case 270: return {-offset.y(), offset.x()};
    default: return offset;
    }
}

TRect Shifted(const TRect& rect, QPoint by)
{
    return {rect.Left + by.x(), rect.Top + by.y(), rect.Right + by.x(), rect.Bottom + by.y()};
}

// Where a copy of the text starts: the corner of its rectangle at which the rotated text's
// top-left lies.
QPoint OriginOf(const TRect& rect, int angle)
{
    switch (angle) {
    case 90: return {rect.Left, rect.Bottom};
    case 180: return {rect.Right, rect.Bottom};
    case 270: return {rect.Right, rect.Top};
    default: return {rect.Left, rect.Top};
    }
}

// How far in from the box's edge a rotated text starts: the border line takes the outermost
// pixels, and the first letter keeps one pixel clear of it.
constexpr int RotatedTextStart = 2;

// How far in from the box's edge at its start a copy of the text rotated by `angle` begins.
int StartDistance(QPoint origin, QSize box, int angle)
{
    switch (angle) {
    case 90: return box.height() - origin.y();
    case 180: return box.width() - origin.x();
    case 270: return origin.y();
    default: return origin.x();
    }
}

const QStringList HighlightDirectionNames{"hdNone", "hdright", "hdLeft", "hdUpRight", "hdUpLeft", "hdUp"};
const QStringList ShadowDirectionNames{"sdNone", "sdRight", "sdLeft", "sdDownRight", "sdDownLeft", "sdDown"};

} // namespace

TGBaseLabel::TGBaseLabel(TComponent* owner)
    : TGGraphicControl(owner)
{
    m_Font.SetName("Arial");
    m_Font.SetSize(10);
    m_Font.SetColor(clBlack);
    m_Font.OnChange = [this] {
        InvalidateLayout();
        update();
        Changed();
    };
    SetBounds(0, 0, 142, 33);
}

void TGBaseLabel::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    list.AddEnumeration(
        "Alignment", AlignmentNames(), [this] { return m_Alignment; },
        [this](qint64 v) { SetAlignment(TAlignment(v)); }, taLeftJustify);
    list.AddInteger(
            "DepthHighlight", [this] { return m_DepthHighlight; }, [this](qint64 v) { SetDepthHighlight(int(v)); }, 0)
        .Range(0, MaxDepth);
    list.AddInteger(
            "DepthShadow", [this] { return m_DepthShadow; }, [this](qint64 v) { SetDepthShadow(int(v)); }, 0)
        .Range(0, MaxDepth);
    list.AddEnumeration(
        "DirectionHighlight", HighlightDirectionNames, [this] { return m_DirectionHighlight; },
        [this](qint64 v) { SetDirectionHighlight(THighlightDirection(v)); }, hdUpLeft);
    list.AddEnumeration(
        "DirectionShadow", ShadowDirectionNames, [this] { return m_DirectionShadow; },
        [this](qint64 v) { SetDirectionShadow(TShadowDirection(v)); }, sdDownRight);
    list.AddIdentInteger(
        "colorHighlight", ColorIdents(), [this] { return m_colorHighlight; },
        [this](qint64 v) { SetcolorHighlight(TColor(v)); }, clAqua);
    list.AddIdentInteger(
        "colorShadow", ColorIdents(), [this] { return m_colorShadow; }, [this](qint64 v) { SetcolorShadow(TColor(v)); },
        clGray);
    list.AddInteger(
        "Angle", [this] { return m_Angle; }, [this](qint64 v) { SetAngle(int(v)); }, 0);
    list.AddString(
        "Caption", [this] { return m_Caption; }, [this](const QString& v) { SetCaption(v); });
    // A label's font differs from its parent's from creation on (Arial 10), so it is always
    // written.
    list.AddObject("Font", m_Font);
    list.AddBoolean(
        "Transparent", [this] { return m_Transparent; }, [this](bool v) { SetTransparent(v); }, NoDefault);
    list.AddIdentInteger(
        "BackColor", ColorIdents(), [this] { return m_BackColor; }, [this](qint64 v) { SetBackColor(TColor(v)); },
        NoDefault);
    list.AddEnumeration(
        "BorderStyle", BorderStyleNames(), [this] { return m_BorderStyle; },
        [this](qint64 v) { SetBorderStyle(TBorderStyle(v)); }, NoDefault);
}

void TGBaseLabel::Loaded()
{
    TGGraphicControl::Loaded();
    // A file may hold an empty box, which would never be painted and so never laid out.
    if (Width() <= 0 || Height() <= 0)
        SetBounds(Left(), Top(), std::max(Width(), 1), std::max(Height(), 1));
}

void TGBaseLabel::FillObjectMenu(QMenu& menu)
{
    TGGraphicControl::FillObjectMenu(menu);
    menu.addSeparator();
    AddMenuItem(menu, "Font", [this] { ChooseFont(); });
    AddMenuItem(menu, "3D Effects", [this] { Open3DEffects(); });
    QMenu* alignment = menu.addMenu("Alignment");
    const auto addAlignment = [this, alignment](const QString& caption, TAlignment value) {
        QAction* item = AddMenuItem(*alignment, caption, [this, value] {
            SetAlignment(value);
            Changed();
        });
        item->setCheckable(true);
        return item;
    };
    m_LeftItem = addAlignment("Left", taLeftJustify);
    m_CenterItem = addAlignment("Center", taCenter);
    m_RightItem = addAlignment("Right", taRightJustify);
    m_TransparentItem = AddMenuItem(menu, "Transparent", [this] {
        SetTransparent(!m_Transparent);
        m_TransparentItem->setChecked(m_Transparent);
    });
    m_TransparentItem->setCheckable(true);
    AddMenuItem(menu, "Background Color", [this] { ChooseBackColor(); });
    m_BorderItem =
        AddMenuItem(menu, "Border", [this] { SetBorderStyle(m_BorderStyle == bsSingle ? bsNone : bsSingle); });
    m_BorderItem->setCheckable(true);
    m_BorderItem->setChecked(m_BorderStyle == bsSingle);
}

QWidget* TGBaseLabel::DialogParent() const
{
    return parentWidget() ? window() : nullptr;
}

void TGBaseLabel::Changed()
{
    if (!IsLoading() && !IsReading())
        NotifyChanged();
}

void TGBaseLabel::InvalidateLayout()
{
    m_LayoutDirty = true;
}

void TGBaseLabel::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    InvalidateLayout();
    if (Width() <= 0 || Height() <= 0)
        SetBounds(Left(), Top(), std::max(Width(), 1), std::max(Height(), 1));
}

void TGBaseLabel::PopupMenuOpening()
{
    if (!m_BorderItem)
        return;
    m_BorderItem->setChecked(m_BorderStyle == bsSingle);
    m_TransparentItem->setChecked(m_Transparent);
    m_LeftItem->setChecked(m_Alignment == taLeftJustify);
    m_RightItem->setChecked(m_Alignment == taRightJustify);
    m_CenterItem->setChecked(m_Alignment == taCenter);
}

void TGBaseLabel::ApplyFont(const TFont& font)
{
    m_Font.Assign(font);
    InvalidateLayout();
}

bool TGBaseLabel::ChooseFont()
{
    TFontChoice choice = ChoiceFromFont(m_Font);
    if (!UiServices().ChooseFont(choice))
        return false;
    TFont font;
    font.Assign(m_Font);
    CopyChoiceToFont(choice, font);
    m_Font.Assign(font);
    InvalidateLayout();
    return true;
}

void TGBaseLabel::Open3DEffects()
{
    TGFont3DEffects dialog(*this, DialogParent());
    if (UiServices().ExecDialog(dialog) != QDialog::Accepted)
        return;
    dialog.ApplyTo(*this);
    NotifyChanged();
}

void TGBaseLabel::ChooseBackColor()
{
    QColor color = ColorToQColor(m_BackColor);
    if (!UiServices().ChooseColor(color))
        return;
    SetBackColor(ColorFromQColor(color));
    SetTransparent(false);
    update();
}

void TGBaseLabel::SetCaption(const QString& value)
{
    // The text width drives the box size and the alignment.
    if (StoreProperty(m_Caption, value))
        InvalidateLayout();
}

void TGBaseLabel::SetBorderStyle(TBorderStyle value)
{
    StoreProperty(m_BorderStyle, value);
}

void TGBaseLabel::SetDepthHighlight(int value)
{
    if (!StoreProperty(m_DepthHighlight, value))
        return;
    m_HighlightOffset = HighlightOffsetOf(m_DirectionHighlight, m_DepthHighlight);
    InvalidateLayout();
}

void TGBaseLabel::SetDirectionHighlight(THighlightDirection value)
{
    if (!StoreProperty(m_DirectionHighlight, value))
        return;
    m_HighlightOffset = HighlightOffsetOf(m_DirectionHighlight, m_DepthHighlight);
    InvalidateLayout();
}

void TGBaseLabel::SetDepthShadow(int value)
{
    if (!StoreProperty(m_DepthShadow, value))
        return;
    m_ShadowOffset = ShadowOffsetOf(m_DirectionShadow, m_DepthShadow);
    InvalidateLayout();
}

void TGBaseLabel::SetDirectionShadow(TShadowDirection value)
{
    if (!StoreProperty(m_DirectionShadow, value))
        return;
    m_ShadowOffset = ShadowOffsetOf(m_DirectionShadow, m_DepthShadow);
    InvalidateLayout();
}

void TGBaseLabel::SetcolorHighlight(TColor value)
{
    StoreProperty(m_colorHighlight, value);
}

void TGBaseLabel::SetcolorShadow(TColor value)
{
    StoreProperty(m_colorShadow, value);
}

void TGBaseLabel::SetAngle(int value)
{
    if (value != 0 && value != 90 && value != 180 && value != 270)
        return;
    if (value == m_Angle)
        return;
    m_Angle = value;
    InvalidateLayout();
    if (value != 0)
        m_Alignment = taLeftJustify;
    // The box turns with the text: its long side follows the text direction. A label being read
    // keeps the size it was saved with.
    const bool upright = value == 90 || value == 270;
    if (!IsLoading() && !IsReading() && (upright ? Height() < Width() : Width() < Height()))
        SetBounds(Left(), Top(), Height(), Width());
    update();
}

void TGBaseLabel::SetAlignment(TAlignment value)
{
    if (StoreProperty(m_Alignment, value))
        InvalidateLayout();
}

void TGBaseLabel::SetBackColor(TColor value)
{
    StoreProperty(m_BackColor, value);
}

void TGBaseLabel::SetTransparent(bool value)
{
    if (value == m_Transparent)
        return;
    m_Transparent = value;
    Changed();
    repaint();
}

QFont TGBaseLabel::CanvasFont() const
{
    if (Zoom() == 1.0f)
        return m_Font.ToQFont();
    TFont zoomed;
    zoomed.Assign(m_Font);
    zoomed.SetSize(int(float(m_Font.Size()) * Zoom()));
    return zoomed.ToQFont();
}

void TGBaseLabel::Layout()
{
    if (!m_LayoutDirty)
        return;
    const TLabelLayout layout = LayoutFor(CanvasFont(), size());
    FitSize(layout.Size.width(), layout.Size.height());
    // Set after the bounds: their change marks the layout dirty.
    m_Layout = layout;
    m_LayoutDirty = false;
}

TLabelLayout TGBaseLabel::LayoutFor(const QFont& font, QSize box) const
{
    const QFontMetrics metrics(font);
    // The line height counts the internal leading (cell height above the em square) once more,
    // and the external leading.
    const int internalLeading = std::max(0, metrics.height() - font.pixelSize());
    const int textHeight = metrics.height() + internalLeading + std::max(0, metrics.leading());
    const int textWidth = metrics.horizontalAdvance(ShowableLine(m_Caption) + ' ');
    const int sx = m_ShadowOffset.x();
    const int sy = m_ShadowOffset.y();
    const int hx = m_HighlightOffset.x();
    const int hy = m_HighlightOffset.y();
    TLabelLayout layout;

    // Room at the left and top for copies that go left or up.
    int marginX = sx < 0 ? -sx : 0;
    if (hx < 0)
        marginX = std::max(marginX, -hx);
    int marginY = sy < 0 ? -sy : 0;
    if (hy < 0)
        marginY = std::max(marginY, -hy);
    layout.TextMargin = {marginX, marginY};

    // The height of the text with the shadow below and the highlight above.
    const int lineHeight = textHeight + sy - hy;
    int width = box.width();
    int height = box.height();
    if (m_Angle == 90 || m_Angle == 270) {
        if (1.2 * textWidth < height)
            height = int(1.2 * textWidth);
        if (height < 5)
            height = textWidth;
        if (1.2 * lineHeight < width)
            width = int(1.2 * lineHeight);
        if (width < lineHeight)
            width = lineHeight;
    } else {
        if (m_Angle == 180 && 2 * textWidth < width)
            width = 2 * textWidth;
        if (width <= 5)
            width = textWidth;
        if (1.2 * lineHeight < height)
            height = int(1.2 * lineHeight);
        if (height < lineHeight)
            height = lineHeight;
    }
    layout.Size = {width, height};

    TRect& text = layout.TextRect;
    if (m_Angle == 90 || m_Angle == 270)
        text = {marginY, marginX, marginY + textHeight, height - marginY};
    else
        text = {marginX, marginY, width, marginY + textHeight};
    // Widths and heights counted inclusively, both edges included.
    const int rectWidth = text.Right - text.Left + 1;
    const int rectHeight = text.Bottom - text.Top + 1;
    if (m_Angle == 90)
        text = Shifted(text, {0, height - rectHeight + hx});
    else if (m_Angle == 180)
        text = Shifted(text, {width - rectWidth - sy, 0});
    layout.ShadowRect = Shifted(text, Turned(m_ShadowOffset, m_Angle));
    layout.HighlightRect = Shifted(text, Turned(m_HighlightOffset, m_Angle));

    layout.MainOrigin = OriginOf(text, m_Angle);
    layout.ShadowOrigin = OriginOf(layout.ShadowRect, m_Angle);
    layout.HighlightOrigin = OriginOf(layout.HighlightRect, m_Angle);
    if (m_Angle != 0) {
        // The rectangles above start the text on the edge's pixel (270) or next to it (90, 180):
        // all copies move inwards together, along the text.
        const int missing = RotatedTextStart - StartDistance(layout.MainOrigin, layout.Size, m_Angle);
        const QPoint inwards = Turned({std::max(0, missing), 0}, m_Angle);
        layout.MainOrigin += inwards;
        layout.ShadowOrigin += inwards;
        layout.HighlightOrigin += inwards;
    }
    if (m_Angle == 0) {
        int mainX = text.Left;
        if (m_Alignment == taRightJustify)
            mainX = text.Right - textWidth;
        else if (m_Alignment == taCenter)
            mainX = (text.Right - text.Left) / 2 - textWidth / 2;
        layout.MainOrigin.setX(mainX);
        layout.HighlightOrigin.setX(mainX + hx);
        layout.ShadowOrigin.setX(mainX + sx);
    }
    return layout;
}

void TGBaseLabel::Draw(QPainter& painter)
{
    Layout();
    Draw(painter, m_Layout, CanvasFont());
}

void TGBaseLabel::Draw(QPainter& painter, const TLabelLayout& layout, const QFont& font) const
{
    if (!m_Transparent)
        painter.fillRect(QRect(QPoint(0, 0), layout.Size), ColorToQColor(m_BackColor));
    const QFontMetrics metrics(font);
    painter.setFont(font);
    // Shadow first, then highlight, then the text itself on top.
    DrawCopy(painter, metrics, layout.ShadowRect, layout.ShadowOrigin, m_colorShadow);
    DrawCopy(painter, metrics, layout.HighlightRect, layout.HighlightOrigin, m_colorHighlight);
    DrawCopy(painter, metrics, layout.TextRect, layout.MainOrigin, m_Font.Color());
    if (m_BorderStyle == bsSingle) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        DrawRectangle(painter, {0, 0, layout.Size.width(), layout.Size.height()});
    }
}

void TGBaseLabel::DrawCopy(QPainter& painter, const QFontMetrics& metrics, const TRect& clip, QPoint origin,
                           TColor color) const
{
    painter.save();
    painter.setClipRect(clip.ToQRect(), Qt::IntersectClip);
    painter.translate(origin);
    // Angles turn the text counter-clockwise; the origin is the rotated text's top-left.
    if (m_Angle != 0)
        painter.rotate(-m_Angle);
    painter.setPen(ColorToQColor(color));
    painter.drawText(QPointF(0, metrics.ascent()), ShowableLine(m_Caption));
    painter.restore();
}

void TGBaseLabel::Paint(QPainter& painter)
{
    Draw(painter);
}

void TGBaseLabel::paintEvent(QPaintEvent*)
{
    if (TGBasePanel* host = Host(); host && host->PaintingSuspended())
        return;
    if (Width() < 5 || Height() < 5)
        InvalidateLayout();
    // Laid out before the painter opens: the layout may resize the label.
    Layout();
    QPainter painter(this);
    Paint(painter);
}

void TGBaseLabel::AutoGrow()
{
    if (m_Angle != 0)
        return;
    const QFontMetrics metrics(CanvasFont());
    const int right = std::max({m_Layout.TextRect.Left, m_Layout.ShadowRect.Left, m_Layout.HighlightRect.Left}) +
                      metrics.horizontalAdvance(ShowableLine(m_Caption) + "     ");
    const int bottom =
        std::max({m_Layout.TextRect.Top, m_Layout.ShadowRect.Top, m_Layout.HighlightRect.Top}) + metrics.height();
    SetBounds(Left(), Top(), std::max(Width(), right), std::max(Height(), bottom));
    InvalidateLayout();
    update();
}

void TGBaseLabel::PrintTo(TReportPrinter& report, double x, double y)
{
    // Laid out afresh at full size from the document geometry, as the label lays itself out at
    // zoom 1.0: the cached layout and the widget's size belong to the zoom on screen.
    const QFont font = m_Font.ToQFont();
    const TLabelLayout layout = LayoutFor(font, DocumentBounds().size());
    PrintRecorded(report, x, y, layout.Size, [&](QPainter& painter) { Draw(painter, layout, font); });
}
