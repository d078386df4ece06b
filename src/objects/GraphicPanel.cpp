#include "objects/GraphicPanel.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A bevel `width` pixels wide just inside `rect`, which shrinks by it: raised is light at the
// top and left and dark at the bottom and right, lowered the reverse.
void DrawBevel(QPainter& painter, QRect& rect, TPanelBevel bevel, int width, const QPalette& palette)
{
    if (bevel == bvNone)
        return;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor topLeft = bevel == bvRaised ? light : dark;
    const QColor bottomRight = bevel == bvRaised ? dark : light;
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        painter.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
        painter.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
        painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
        painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

} // namespace

TGraphicPanel::TGraphicPanel(QWidget* parent)
    : QWidget(parent)
    , m_Color(palette().color(QPalette::Button))
{
    resize(185, 41);
}

void TGraphicPanel::SetAlignment(TAlignment value)
{
    m_Alignment = value;
    update();
}

void TGraphicPanel::SetBevelInner(TPanelBevel value)
{
    m_BevelInner = value;
    update();
}

void TGraphicPanel::SetBevelOuter(TPanelBevel value)
{
    m_BevelOuter = value;
    update();
}

void TGraphicPanel::SetBevelWidth(int value)
{
    m_BevelWidth = qMax(value, 0);
    update();
}

void TGraphicPanel::SetBorderWidth(int value)
{
    m_BorderWidth = qMax(value, 0);
    update();
}

void TGraphicPanel::SetBorderStyle(TBorderStyle value)
{
    m_BorderStyle = value;
    update();
}

void TGraphicPanel::SetColor(const QColor& value)
{
    m_Color = value;
    update();
}

void TGraphicPanel::SetCaption(const QString& value)
{
    m_Caption = value;
    update();
}

void TGraphicPanel::Draw(QPainter& painter, QSize size) const
{
    QRect rect(QPoint(0, 0), size);
    if (m_BorderStyle == bsSingle) {
        painter.fillRect(rect.left(), rect.top(), rect.width(), 1, Qt::black);
        painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, Qt::black);
        painter.fillRect(rect.left(), rect.top(), 1, rect.height(), Qt::black);
        painter.fillRect(rect.right(), rect.top(), 1, rect.height(), Qt::black);
        rect.adjust(1, 1, -1, -1);
    }
    DrawBevel(painter, rect, m_BevelOuter, m_BevelWidth, palette());
    // The border between the bevels and the inside are both the panel's colour: one fill, then
    // the inner bevel over it.
    painter.fillRect(rect, m_Color);
    rect.adjust(m_BorderWidth, m_BorderWidth, -m_BorderWidth, -m_BorderWidth);
    DrawBevel(painter, rect, m_BevelInner, m_BevelWidth, palette());
    if (m_Caption.isEmpty())
        return;
    const int flags = Qt::AlignVCenter | Qt::TextExpandTabs |
                      (m_Alignment == taLeftJustify    ? Qt::AlignLeft
                       : m_Alignment == taRightJustify ? Qt::AlignRight
                                                       : Qt::AlignHCenter);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect, flags, m_Caption);
}

void TGraphicPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, size());
}
