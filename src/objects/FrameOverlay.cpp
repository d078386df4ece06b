#include "objects/FrameOverlay.h"

#include <QPainter>

TFrameOverlay::TFrameOverlay(QWidget& host)
    : QWidget(&host)
{
    setObjectName("FrameOverlay");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TFrameOverlay::Toggle(const QRect& frame)
{
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    if (!m_Frames.removeOne(frame))
        m_Frames.append(frame);
    Changed();
}

void TFrameOverlay::Erase(const QRect& frame)
{
    if (m_Frames.removeOne(frame))
        Changed();
}

void TFrameOverlay::Changed()
{
    if (m_Frames.isEmpty()) {
        hide();
        return;
    }
    setGeometry(parentWidget()->rect());
    show();
    raise();
    update();
}

void TFrameOverlay::paintEvent(QPaintEvent*)
{
    // A white dotted pen in XOR mode stays visible on white paper and on coloured objects alike.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (const QRect& frame : std::as_const(m_Frames))
        painter.drawRect(frame.x(), frame.y(), frame.width() - 1, frame.height() - 1);
}
