#include "controls/ColorPaletteButton.h"

#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon PaletteSwatch(TColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(ColorToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

} // namespace

const QList<TColor>& TColorPalette::Colors()
{
    // The sixteen plain colours and four soft ones: money green, sky blue, cream, medium grey.
    static const QList<TColor> colors{clBlack, clMaroon, clGreen,  clOlive,  clNavy,   clPurple, clTeal,
                                      clGray,  clSilver, clRed,    clLime,   clYellow, clBlue,   clFuchsia,
                                      clAqua,  clWhite,  0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    return colors;
}

TColorPalette::TColorPalette(QWidget* button)
    : QFrame(button, Qt::Popup)
{
    setObjectName("ColorPalette");
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    const QList<TColor>& colors = Colors();
    for (int i = 0; i < colors.size(); ++i) {
        auto* swatch = new QToolButton(this);
        swatch->setObjectName(QString("Swatch%1").arg(i));
        swatch->setIcon(PaletteSwatch(colors[i]));
        swatch->setAutoRaise(true);
        swatch->setFixedSize(22, 22);
        const TColor color = colors[i];
        connect(swatch, &QToolButton::clicked, this, [this, color] {
            close();
            emit Picked(color);
        });
        grid->addWidget(swatch, i / Columns, i % Columns);
    }
    layout->addLayout(grid);
    auto* other = new QPushButton("&Other", this);
    other->setObjectName("OtherButton");
    connect(other, &QPushButton::clicked, this, [this] {
        close();
        emit OtherRequested();
    });
    layout->addWidget(other);
    move(button->mapToGlobal(QPoint(0, button->height())));
}

TColorPaletteButton::TColorPaletteButton(QWidget* parent)
    : TColorButton(parent)
{
}

void TColorPaletteButton::ChooseColor()
{
    m_Palette = new TColorPalette(this);
    connect(m_Palette, &TColorPalette::Picked, this, [this](TColor color) { Pick(color); });
    // The colour dialog opens once the palette has gone, so that it does not sit under it.
    connect(
        m_Palette, &TColorPalette::OtherRequested, this, [this] { TColorButton::ChooseColor(); }, Qt::QueuedConnection);
    m_Palette->show();
}
