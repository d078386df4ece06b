#include "richtext/WPPageRenderer.h"

#include "platform/ScreenPpi.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Texts up to this many characters are laid out whole; longer ones only as far as they show.
constexpr int WholeLayoutCharacters = 4096;

// The first `count` characters of `document`, laid out at `width`.
std::unique_ptr<QTextDocument> LaidOutPrefix(const QTextDocument& document, int count, int width)
{
    std::unique_ptr<QTextDocument> prefix(document.clone());
    QTextCursor cut(prefix.get());
    cut.setPosition(count);
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    prefix->setTextWidth(width);
    prefix->size(); // lays the text out now: its lines are measured next
    return prefix;
}

// Where the last line of `document` starts, in document coordinates.
qreal LastLineTop(const QTextDocument& document)
{
    const QTextLayout* layout = document.lastBlock().layout();
    if (layout->lineCount() == 0)
        return layout->position().y();
    return layout->position().y() + layout->lineAt(layout->lineCount() - 1).y();
}

// How much of `document`, laid out, shows on a page `height` high: down to the bottom of its
// last line that fits whole, or the whole page when not even the first line fits.
struct TShownLines {
    qreal Bottom = 0;
    bool Everything = true; // no text is left out below
};

TShownLines ShownLines(const QTextDocument& document, qreal height)
{
    TShownLines shown;
    bool anyLineFits = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal bottom = layout->position().y() + line.y() + line.height();
            if (bottom <= height) {
                shown.Bottom = bottom;
                anyLineFits = true;
                continue;
            }
            // An empty last paragraph left out hides nothing.
            if (block.length() > 1 || block.next().isValid())
                shown.Everything = false;
            if (!anyLineFits)
                shown.Bottom = height;
            return shown;
        }
    }
    return shown;
}

} // namespace

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

bool TWPPageRenderer::Render(QTextDocument& document, QPainter& painter, const QRect& target) const
{
    const QRect text = TextRect();
    // A long text is drawn from its shortest beginning whose last line starts below the page:
    // the lines above it break as in the whole text. Laying out all of a long text would cost
    // time growing with the square of a word's length, as a line is sought in an endless word.
    std::unique_ptr<QTextDocument> prefix;
    for (int count = WholeLayoutCharacters; count < document.characterCount() && !prefix; count *= 4) {
        prefix = LaidOutPrefix(document, count, LayoutWidth());
        if (LastLineTop(*prefix) < text.height())
            prefix.reset();
    }
    QTextDocument& shown = prefix ? *prefix : document;
    if (shown.textWidth() != LayoutWidth())
        shown.setTextWidth(LayoutWidth());
    const double zoom = m_Zoom / 100.0;
    shown.size(); // lays the text out now: its lines are measured next
    const TShownLines lines = ShownLines(shown, text.height());

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(zoom, zoom);
    painter.translate(text.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, text.width(), lines.Bottom);
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip, Qt::IntersectClip);
    shown.documentLayout()->draw(&painter, context);
    painter.restore();
    return lines.Everything && !prefix;
}
