#include "objects/ScreenCursor.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

int g_ScreenCursor = crDefault;

// A hand drawn on a 32x32 transparent image: palm and thumb, and either one raised finger
// (pointing) or four bent finger tips (grabbing).
QPixmap HandImage(bool pointing)
{
    QPixmap image(32, 32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 14, 16, 14), 4, 4);   // palm
    hand.addRoundedRect(QRectF(3, 15, 8, 5), 2.5, 2.5); // thumb
    if (pointing) {
        hand.addRoundedRect(QRectF(12, 2, 5, 16), 2.5, 2.5);
    } else {
        for (int i = 0; i < 4; ++i)
            hand.addRoundedRect(QRectF(9 + i * 4, 10, 4, 7), 2, 2);
    }
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand.simplified());
    return image;
}

} // namespace

QCursor CursorFromId(int id)
{
    switch (id) {
    case GrabCursor: {
        static const QCursor grab(HandImage(false), 16, 16);
        return grab;
    }
    case HandPointCursor: {
        static const QCursor point(HandImage(true), 14, 2);
        return point;
    }
    case -3: return Qt::CrossCursor;
    case -4: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case -11:
    case -17: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case -13:
    case -18: return Qt::ForbiddenCursor;
    case -14: return Qt::SplitHCursor;
    case -15: return Qt::SplitVCursor;
    case -16: return Qt::DragCopyCursor;
    case -19: return Qt::BusyCursor;
    case -20: return Qt::WhatsThisCursor;
    case -21: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

void SetScreenCursor(int id)
{
    g_ScreenCursor = id;
    if (id == crDefault) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    } else if (QGuiApplication::overrideCursor()) {
        QGuiApplication::changeOverrideCursor(CursorFromId(id));
    } else {
        QGuiApplication::setOverrideCursor(CursorFromId(id));
    }
}

int ScreenCursor()
{
    return g_ScreenCursor;
}
