#include "platform/Lines.h"

#include <QPainter>

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

void DrawLine(QPainter& canvas, QPoint from, QPoint to)
{
    Q_ASSERT(from.x() == to.x() || from.y() == to.y());
    if (from == to)
        return;
    const QPoint back(Sign(to.x() - from.x()), Sign(to.y() - from.y()));
    canvas.drawLine(from, to - back);
}

void DrawRectangle(QPainter& canvas, const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    // A QRect outline covers x .. x + width, one more than the rectangle's width.
    canvas.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
}
