#pragma once
// Draws page 1 of a rich text onto any QPainter (screen image, QPicture, printer). The text is
// laid out at the page width less the margins, in pixels at the screen PPI and unzoomed, and
// then drawn scaled by the zoom, so that it wraps at the same places at every zoom. Only what
// fits on the page and in the target rectangle is drawn; the background is left as it is, so
// a transparent label stays transparent.

#include <QRect>
#include <QSize>

class QPainter;
class QTextDocument;

class TWPPageRenderer {
public:
    // The page whose unzoomed size, shown at `zoomPercent`, fills `target` (no margins).
    static TWPPageRenderer ForTarget(QSize target, int zoomPercent);

    int PageWidth() const { return m_PageWidth; } // twips
    int PageHeight() const { return m_PageHeight; }
    void SetPageSize(int widthTwips, int heightTwips);
    // Margins in twips.
    void SetMargins(int left, int top, int right, int bottom);
    int Zoom() const { return m_Zoom; } // percent
    void SetZoom(int percent);

    // Width the text is laid out at: the page width less the margins, in unzoomed pixels.
    int LayoutWidth() const;
    // The page in unzoomed pixels; the text starts at its top-left margin corner.
    QRect TextRect() const;

    // Lays `document` out at LayoutWidth and draws it with the page's top-left corner at the
    // top-left of `target`, clipped to `target`. Text without a colour of its own is black. Only
    // lines that fit whole are drawn (a first line taller than the page is drawn cut), so the
    // top of a line that does not fit never shows. False when text is left out below.
    bool Render(QTextDocument& document, QPainter& painter, const QRect& target) const;

private:
    int m_PageWidth = 0;
    int m_PageHeight = 0;
    int m_MarginLeft = 0, m_MarginTop = 0, m_MarginRight = 0, m_MarginBottom = 0;
    int m_Zoom = 100;
};

// Twips to pixels at the screen PPI, truncated, and back, rounded.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);
