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
    {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
};

// Display names of the system colours, by index; a font's default colour is one of them.
constexpr const char* SystemColorNames[] = {
    "Scroll Bar",       "Background",      "Active Caption", "Inactive Caption", "Menu",
    "Window",           "Window Frame",    "Menu Text",      "Window Text",      "Caption Text",
    "Active Border",    "Inactive Border", "App Workspace",  "Highlight",        "Highlight Text",
    "Button Face",      "Button Shadow",   "Gray Text",      "Button Text",      "Inactive Caption Text",
    "Button Highlight", "3D Dark Shadow",  "3D Light",       "Info Text",        "Info Background",
};

// A colour that is none of the named ones: a system colour under its own name, any other "Custom".
QString UnnamedColorName(TColor value)
{
    const int index = SystemColorIndex(value);
    return index >= 0 && index < int(std::size(SystemColorNames)) ? SystemColorNames[index] : "Custom";
}

QIcon ListSwatch(TColor value)
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
    addItem(ListSwatch(value), name, QVariant::fromValue(value));
}

TColor TColorComboBox::Color() const
{
    return currentIndex() < 0 ? clBlack : TColor(currentData().toInt());
}

void TColorComboBox::SetColor(TColor value)
{
    int index = findData(QVariant::fromValue(value));
    if (index < 0) {
        AddColorItem(value, UnnamedColorName(value));
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
