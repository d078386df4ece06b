#include "controls/ColorComboBox.h"

#include <QPainter>
#include <QPixmap>
#include <iterator>

namespace {

struct TNamedColor {
    TColor Value;
    const char* Name;
};

constexpr TNamedColor NamedColors[] = {
    {clBlack, "Black"},   {clMaroon, "Maroon"}, {clGreen, "Green"},   {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"}, {clTeal, "Teal"},     {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},       {clLime, "Lime"},     {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
};

QIcon Swatch(TColor value)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorToQColor(value));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

} // namespace

TColorComboBox::TColorComboBox(QWidget* parent)
    : QComboBox(parent)
{
    for (const TNamedColor& named : NamedColors)
        AddColorItem(named.Value, named.Name);
    connect(this, &QComboBox::activated, this, [this] {
        RemoveUnusedCustomItem();
        emit ColorChanged(Color());
    });
}

int TColorComboBox::NamedColorCount() const
{
    return int(std::size(NamedColors));
}

void TColorComboBox::AddColorItem(TColor value, const QString& name)
{
    addItem(Swatch(value), name, QVariant::fromValue(value));
}

TColor TColorComboBox::Color() const
{
    return currentIndex() < 0 ? clBlack : TColor(currentData().toInt());
}

void TColorComboBox::SetColor(TColor value)
{
    int index = findData(QVariant::fromValue(value));
    if (index < 0) {
        AddColorItem(value, "Custom");
        index = count() - 1;
    }
    setCurrentIndex(index);
    RemoveUnusedCustomItem();
}

void TColorComboBox::RemoveUnusedCustomItem()
{
    for (int i = count() - 1; i >= NamedColorCount(); --i) {
        if (i != currentIndex())
            removeItem(i);
    }
}
