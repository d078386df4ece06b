#include "controls/ColorButton.h"

#include "platformui/UiServices.h"

#include <QPainter>

TColorButton::TColorButton(QWidget* parent)
    : QPushButton(parent)
{
    setMinimumSize(48, 24);
    connect(this, &QPushButton::clicked, this, &TColorButton::ChooseColor);
}

void TColorButton::SetColor(TColor color)
{
    if (color == m_Color)
        return;
    m_Color = color;
    update();
}

void TColorButton::ChooseColor()
{
    QColor color = ColorToQColor(m_Color);
    if (UiServices().ChooseColor(color))
        Pick(ColorFromQColor(color));
}

void TColorButton::Pick(TColor chosen)
{
    if (chosen == m_Color)
        return;
    SetColor(chosen);
    emit ColorChanged(chosen);
}

void TColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    // The swatch sits inside the button's bevel; a disabled button shows it greyed out.
    QPainter painter(this);
    const QRect swatch = rect().adjusted(6, 5, -7, -6);
    QColor fill = ColorToQColor(m_Color);
    if (!isEnabled())
        fill = palette().color(QPalette::Disabled, QPalette::Button);
    painter.fillRect(swatch, fill);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawRect(swatch);
}
