#include "platform/Color.h"

#include <QGuiApplication>
#include <QPalette>

int SystemColorIndex(TColor color)
{
    const auto value = quint32(color);
    const quint32 high = value & 0xFF000000u;
    if (high == 0x80000000u || high == 0xFF000000u)
        return int(value & 0xFFu);
    return -1;
}

namespace {

QColor SystemQColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 1:
    case 12: return palette.color(QPalette::Dark);
    case 2:
    case 13: return palette.color(QPalette::Highlight);
    case 3:
    case 11:
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 4:
    case 5: return palette.color(QPalette::Base);
    case 6:
    case 21: return palette.color(QPalette::Shadow);
    case 7:
    case 8: return palette.color(QPalette::Text);
    case 9:
    case 14: return palette.color(QPalette::HighlightedText);
    case 16: return palette.color(QPalette::Mid);
    case 18:
    case 19: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);
    case 22: return palette.color(QPalette::Midlight);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Button); // scroll bar, borders, button face
    }
}

} // namespace

QColor ColorToQColor(TColor color)
{
    const int index = SystemColorIndex(color);
    if (index >= 0)
        return SystemQColor(index);
    const auto value = quint32(color);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TColor ColorFromQColor(const QColor& color)
{
    return TColor(quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16));
}
