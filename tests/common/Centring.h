#pragma once
// Whether a shown window stands centred over another, as the program centres its dialogs.

#include <QRect>
#include <QString>
#include <QWidget>

// Empty when the shown `window` is centred in `area` (left = area's left + (area's width - width)
// div 2, top likewise), else where it is and where it belongs. The window frame exists only once a
// window is shown; it may shift it by its own size.
inline QString OffCentre(const QWidget& window, const QRect& area)
{
    const QRect shown = window.frameGeometry();
    const QPoint centred(area.x() + (area.width() - shown.width()) / 2,
                         area.y() + (area.height() - shown.height()) / 2);
    const QSize frame = shown.size() - window.size();
    if (qAbs(shown.x() - centred.x()) <= frame.width() && qAbs(shown.y() - centred.y()) <= frame.height())
        return {};
    return QString("shown at (%1, %2), centred at (%3, %4)")
        .arg(shown.x())
        .arg(shown.y())
        .arg(centred.x())
        .arg(centred.y());
}
