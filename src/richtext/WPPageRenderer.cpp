#include "richtext/WPPageRenderer.h"

#include "platform/ScreenPpi.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

int TwipsToPixels(int twips)
{
    return int(qint64(twips) * ScreenPpi() / 1440);
}

int PixelsToTwips(int pixels)
{
    return int(std::lround(pixels * 1440.0 / ScreenPpi()));
}

TWPPageRenderer TWPPageRenderer::ForTarget(QSize target, int zoomPercent)
{
    TWPPageRenderer renderer;
    renderer.SetZoom(zoomPercent);
    const double zoom = renderer.Zoom() / 100.0;
    renderer.SetPageSize(PixelsToTwips(int(std::lround(target.width() / zoom))),
                         PixelsToTwips(int(std::lround(target.height() / zoom))));
    return renderer;
}

void TWPPageRenderer::SetPageSize(int widthTwips, int heightTwips)
{
    m_PageWidth = std::max(0, widthTwips);
    m_PageHeight = std::max(0, heightTwips);
}

void TWPPageRenderer::SetMargins(int left, int top, int right, int bottom)
{
    m_MarginLeft = std::max(0, left);
    m_MarginTop = std::max(0, top);
    m_MarginRight = std::max(0, right);
    m_MarginBottom = std::max(0, bottom);
}

void TWPPageRenderer::SetZoom(int percent)
{
    m_Zoom = std::clamp(percent, 1, 1000);
}

int TWPPageRenderer::LayoutWidth() const
{
    return std::max(1, TwipsToPixels(m_PageWidth - m_MarginLeft - m_MarginRight));
}

QRect TWPPageRenderer::TextRect() const
{
    return QRect(TwipsToPixels(m_MarginLeft), TwipsToPixels(m_MarginTop), LayoutWidth(),
                 std::max(0, TwipsToPixels(m_PageHeight - m_MarginTop - m_MarginBottom)));
}

void TWPPageRenderer::Render(QTextDocument& document, QPainter& painter, const QRect& target) const
{
    if (document.textWidth() != LayoutWidth())
        document.setTextWidth(LayoutWidth());
    const QRect text = TextRect();
    const double zoom = m_Zoom / 100.0;

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(zoom, zoom);
    painter.translate(text.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, text.width(), text.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip, Qt::IntersectClip);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}
