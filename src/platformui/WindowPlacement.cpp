#include "platformui/WindowPlacement.h"

#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenPpi.h"
#include "platformui/Utility.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <limits>

namespace {

// Window edges as window systems take them (16-bit signed coordinates). A stored placement with
// an edge beyond them, or without a width and height, is not used: the window is centred as if
// nothing were stored.
constexpr int EdgeLimit = 32767;
constexpr int NoEdge = std::numeric_limits<int>::min();

QString PlacementSection(const QWidget& form)
{
    QString section = QString(form.metaObject()->className()) + "_Placement";
    if (ScreenPpi() > 96)
        section += QString::number(ScreenPpi());
    return section;
}

} // namespace

void RestorePlacement(QWidget& form)
{
    const TIniFile ini(IniFileName());
    const QString section = PlacementSection(form);
    int left = ini.ReadInteger(section, "Left", NoEdge, -EdgeLimit, EdgeLimit);
    int top = ini.ReadInteger(section, "Top", NoEdge, -EdgeLimit, EdgeLimit);
    int right = ini.ReadInteger(section, "Right", NoEdge, -EdgeLimit, EdgeLimit);
    int bottom = ini.ReadInteger(section, "Bottom", NoEdge, -EdgeLimit, EdgeLimit);
    const bool maximized = ini.ReadBool(section, "Maximized", form.isMaximized());
    const bool stored = left != NoEdge && top != NoEdge && right > left && bottom > top;

    if (stored) {
        const QScreen* screen = QApplication::primaryScreen();
        const QSize area = screen ? screen->geometry().size() : QSize(right, bottom);
        // Pulled back left and up with its size kept; never pushed right or down.
        if (area.width() < right) {
            left += area.width() - right;
            right = area.width();
        }
        if (area.height() < bottom) {
            top += area.height() - bottom;
            bottom = area.height();
        }
        form.setGeometry(left, top, right - left, bottom - top);
    } else {
        CenterDialog(form);
    }
    if (maximized)
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
    SavePlacement(form);
}

void SavePlacement(QWidget& form)
{
    // Qt keeps the normal rectangle of a maximised window as its normal geometry.
    const QRect normal = form.isMaximized() ? form.normalGeometry() : form.geometry();
    TIniFile ini(IniFileName());
    const QString section = PlacementSection(form);
    ini.BeginUpdate();
    ini.WriteInteger(section, "Left", normal.left());
    ini.WriteInteger(section, "Top", normal.top());
    ini.WriteInteger(section, "Right", normal.left() + normal.width());
    ini.WriteInteger(section, "Bottom", normal.top() + normal.height());
    ini.WriteBool(section, "Maximized", form.isMaximized());
    ini.EndUpdate();
}
