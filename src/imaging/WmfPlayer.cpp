#include "imaging/WmfPlayer.h"

#include "imaging/ByteReader.h"
#include "imaging/ImageFile.h"
#include "platform/Windows1252.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <set>
#include <variant>
#include <vector>

namespace {

constexpr int PlaceableHeaderSize = 22;
constexpr int MetaHeaderSize = 18;
// Nested saves and clip changes beyond these are ignored: real pictures use a handful, and each
// clip change costs time in the number of earlier ones.
constexpr int MaxSavedStates = 256;
constexpr int MaxClipChanges = 1024;
// Text is laid out with a font of this pixel size and scaled to the logical height, so that any
// height (and any zoom) costs the same.
constexpr int TextReferenceSize = 256;

// True when text under `transform` is better filled as outlines than drawn as glyphs. FreeType
// fails to render a glyph squeezed under a pixel, or stretched far more on one axis than on the
// other, and Qt's glyph cache then copies from the glyph that was never made.
bool TextNeedsOutlines(const QTransform& transform)
{
    const double across = std::hypot(transform.m11(), transform.m12()) * TextReferenceSize;
    const double down = std::hypot(transform.m21(), transform.m22()) * TextReferenceSize;
    const double smaller = std::min(across, down);
    return smaller < 1 || std::max(across, down) > 4 * smaller;
}

enum : quint16 {
    MetaEof = 0x0000,
    MetaSetBkColor = 0x0201,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetPolyFillMode = 0x0106,
    MetaSetTextColor = 0x0209,
    MetaSetTextAlign = 0x012E,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaSetViewportOrg = 0x020D,
    MetaSetViewportExt = 0x020E,
    MetaOffsetWindowOrg = 0x020F,
    MetaScaleWindowExt = 0x0410,
    MetaOffsetViewportOrg = 0x0211,
    MetaScaleViewportExt = 0x0412,
    MetaLineTo = 0x0213,
    MetaMoveTo = 0x0214,
    MetaExcludeClipRect = 0x0415,
    MetaIntersectClipRect = 0x0416,
    MetaArc = 0x0817,
    MetaEllipse = 0x0418,
    MetaPie = 0x081A,
    MetaChord = 0x0830,
    MetaRectangle = 0x041B,
    MetaRoundRect = 0x061C,
    MetaPatBlt = 0x061D,
    MetaSaveDc = 0x001E,
    MetaRestoreDc = 0x0127,
    MetaSetPixel = 0x041F,
    MetaTextOut = 0x0521,
    MetaExtTextOut = 0x0A32,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaPolyPolygon = 0x0538,
    MetaSelectObject = 0x012D,
    MetaSelectPalette = 0x0234,
    MetaDeleteObject = 0x01F0,
    MetaCreatePalette = 0x00F7,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
    MetaDibCreatePatternBrush = 0x0142,
    MetaCreatePatternBrush = 0x01F9,
    MetaCreateRegion = 0x06FF,
    MetaDibBitBlt = 0x0940,
    MetaDibStretchBlt = 0x0B41,
    MetaStretchDib = 0x0F43,
};

enum TMapMode { mmText = 1, mmLoMetric, mmHiMetric, mmLoEnglish, mmHiEnglish, mmTwips, mmIsotropic, mmAnisotropic };

struct TWmfFont {
    int Height = 0;
    int Escapement = 0; // tenths of a degree, counter-clockwise
    QFont Font;
};

// A slot of the object table: pens, brushes, fonts, palettes; regions and bitmaps of the old
// kind hold a slot but draw nothing.
using TWmfObject = std::variant<std::monostate, QPen, QBrush, TWmfFont, QList<QRgb>>;

struct TDcState {
    QPen Pen{Qt::black, 0};
    QBrush Brush{Qt::white};
    TWmfFont Font;
    QList<QRgb> Palette;
    QColor TextColor = Qt::black;
    QColor BkColor = Qt::white;
    bool OpaqueBk = true;
    int TextAlign = 0;
    Qt::FillRule FillRule = Qt::OddEvenFill;
    int MapMode = mmAnisotropic;
    QPointF WindowOrg, WindowExt, ViewportOrg, ViewportExt;
    QPointF Position;
    QPainterPath Clip; // in target coordinates
};

class TWmfPlayer {
public:
    TWmfPlayer(QPainter& painter, const TWmfHeader& header, const QRectF& target)
        : m_Painter(painter)
        , m_Header(header)
        , m_Target(target)
        , m_Base(painter.transform())
    {
        const QRect b = header.Bounds;
        m_State.WindowOrg = b.topLeft();
        m_State.WindowExt = QPointF(b.width(), b.height());
        m_State.ViewportExt = m_State.WindowExt;
        m_State.Clip.addRect(target);
        if (painter.hasClipping())
            m_State.Clip = m_State.Clip.intersected(painter.clipPath());
        m_State.Font.Font = MakeFont(QByteArray(), 400, false, false, false);
    }

    void Play(const QByteArray& data);

private:
    void Record(quint16 function, TByteReader& r, qsizetype paramBytes);
    void ApplyTransform();
    void ApplyClip();
    QTransform LogicalToTarget() const;
    QColor Colour(quint32 ref) const;
    QPointF Point(TByteReader& r); // y, x order as most records give it
    QRectF Rect(TByteReader& r);   // bottom, right, top, left
    int AddObject(TWmfObject object);
    void Select(int index);
    QFont MakeFont(const QByteArray& face, int weight, bool italic, bool underline, bool strikeOut) const;
    void DrawShape(const QPainterPath& path);
    void DrawPolygonRecord(TByteReader& r, qsizetype paramBytes, bool closed);
    void DrawArcRecord(TByteReader& r, quint16 function);
    void DrawText(QPointF at, const QByteArray& bytes, const QList<int>& dx, int options, const QRectF& box);
    void DrawDib(const QByteArray& dib, QRectF dest, QRectF source, bool sourceFromBottom, quint32 rop);
    void ChangeClip(const QRectF& logical, bool exclude);

    QPainter& m_Painter;
    TWmfHeader m_Header;
    QRectF m_Target;
    QTransform m_Base;
    TDcState m_State;
    std::vector<TDcState> m_Saved;
    std::vector<TWmfObject> m_Objects;
    std::set<int> m_FreeSlots;
    int m_ClipChanges = 0;
};

QTransform TWmfPlayer::LogicalToTarget() const
{
    const TDcState& s = m_State;
    // Logical units to the picture's frame (its box, from the origin), by the map mode.
    double sx = 1;
    double sy = 1;
    if (s.MapMode == mmIsotropic || s.MapMode == mmAnisotropic) {
        sx = s.WindowExt.x() ? s.ViewportExt.x() / s.WindowExt.x() : 1;
        sy = s.WindowExt.y() ? s.ViewportExt.y() / s.WindowExt.y() : 1;
        if (s.MapMode == mmIsotropic) {
            const double scale = qMin(qAbs(sx), qAbs(sy));
            sx = sx < 0 ? -scale : scale;
            sy = sy < 0 ? -scale : scale;
        }
    } else if (s.MapMode != mmText) {
        static const double PerInch[] = {254, 2540, 100, 1000, 1440}; // LoMetric .. Twips
        sx = double(m_Header.UnitsPerInch) / PerInch[s.MapMode - mmLoMetric];
        sy = -sx;
    }
    QTransform toFrame;
    toFrame.translate(s.ViewportOrg.x(), s.ViewportOrg.y());
    toFrame.scale(sx, sy);
    toFrame.translate(-s.WindowOrg.x(), -s.WindowOrg.y());
    const QRect b = m_Header.Bounds;
    QTransform toTarget;
    toTarget.translate(m_Target.left(), m_Target.top());
    toTarget.scale(m_Target.width() / b.width(), m_Target.height() / b.height());
    return toFrame * toTarget;
}

void TWmfPlayer::ApplyTransform()
{
    m_Painter.setTransform(LogicalToTarget() * m_Base);
}

void TWmfPlayer::ApplyClip()
{
    m_Painter.setTransform(m_Base);
    m_Painter.setClipPath(m_State.Clip);
    ApplyTransform();
}

QColor TWmfPlayer::Colour(quint32 ref) const
{
    if ((ref >> 24) == 1) {
        const quint32 index = ref & 0xFFFF;
        return index < quint32(m_State.Palette.size()) ? QColor(m_State.Palette[index]) : QColor(Qt::black);
    }
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

QPointF TWmfPlayer::Point(TByteReader& r)
{
    const int y = r.I16();
    const int x = r.I16();
    return {double(x), double(y)};
}

QRectF TWmfPlayer::Rect(TByteReader& r)
{
    const int bottom = r.I16();
    const int right = r.I16();
    const int top = r.I16();
    const int left = r.I16();
    return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
}

int TWmfPlayer::AddObject(TWmfObject object)
{
    int index = int(m_Objects.size());
    if (!m_FreeSlots.empty()) {
        index = *m_FreeSlots.begin();
        m_FreeSlots.erase(m_FreeSlots.begin());
        m_Objects[size_t(index)] = std::move(object);
    } else {
        m_Objects.push_back(std::move(object));
    }
    return index;
}

void TWmfPlayer::Select(int index)
{
    if (index < 0 || size_t(index) >= m_Objects.size())
        return;
    const TWmfObject& object = m_Objects[size_t(index)];
    if (const auto* pen = std::get_if<QPen>(&object))
        m_State.Pen = *pen;
    else if (const auto* brush = std::get_if<QBrush>(&object))
        m_State.Brush = *brush;
    else if (const auto* font = std::get_if<TWmfFont>(&object))
        m_State.Font = *font;
    else if (const auto* palette = std::get_if<QList<QRgb>>(&object))
        m_State.Palette = *palette;
}

QFont TWmfPlayer::MakeFont(const QByteArray& face, int weight, bool italic, bool underline, bool strikeOut) const
{
    QFont font(face.isEmpty() ? QStringLiteral("Arial") : FromWindows1252(face));
    font.setPixelSize(TextReferenceSize);
    font.setWeight(QFont::Weight(qBound(1, weight == 0 ? 400 : weight, 1000)));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

void TWmfPlayer::DrawShape(const QPainterPath& path)
{
    m_Painter.setPen(m_State.Pen);
    QBrush brush = m_State.Brush;
    if (brush.style() >= Qt::HorPattern && brush.style() <= Qt::DiagCrossPattern && m_State.OpaqueBk)
        m_Painter.fillPath(path, m_State.BkColor);
    m_Painter.setBrush(brush);
    m_Painter.drawPath(path);
}

void TWmfPlayer::DrawPolygonRecord(TByteReader& r, qsizetype paramBytes, bool closed)
{
    const int count = r.I16();
    if (count < 0 || qsizetype(count) * 4 + 2 > paramBytes)
        return;
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int x = r.I16();
        const int y = r.I16();
        polygon.append(QPointF(x, y));
    }
    if (!closed) {
        m_Painter.setPen(m_State.Pen);
        m_Painter.drawPolyline(polygon);
        return;
    }
    QPainterPath path;
    path.setFillRule(m_State.FillRule);
    path.addPolygon(polygon);
    path.closeSubpath();
    DrawShape(path);
}

void TWmfPlayer::DrawArcRecord(TByteReader& r, quint16 function)
{
    const QPointF end = Point(r);
    const QPointF start = Point(r);
    const QRectF box = Rect(r);
    if (box.isEmpty())
        return;
    const QPointF c = box.center();
    // Qt's angles, like these, run counter-clockwise from three o'clock as seen on the page.
    const double a0 = qRadiansToDegrees(qAtan2(-(start.y() - c.y()) * box.width(), (start.x() - c.x()) * box.height()));
    const double a1 = qRadiansToDegrees(qAtan2(-(end.y() - c.y()) * box.width(), (end.x() - c.x()) * box.height()));
    double sweep = a1 - a0;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (function == MetaPie)
        path.moveTo(c);
    else
        path.arcMoveTo(box, a0);
    path.arcTo(box, a0, sweep);
    if (function == MetaArc) {
        m_Painter.setPen(m_State.Pen);
        m_Painter.setBrush(Qt::NoBrush);
        m_Painter.drawPath(path);
        return;
    }
    path.closeSubpath();
    DrawShape(path);
}

void TWmfPlayer::DrawText(QPointF at, const QByteArray& bytes, const QList<int>& dx, int options, const QRectF& box)
{
    const QTransform logical = LogicalToTarget();
    const bool updateCp = m_State.TextAlign & 1;
    if (updateCp)
        at = m_State.Position;
    const QString text = FromWindows1252(bytes);
    const QFont& font = m_State.Font.Font;
    const QFontMetricsF metrics(font);
    // Logical height of the font; 0 asks for the default height.
    const double height = m_State.Font.Height == 0 ? 12 : qAbs(m_State.Font.Height);
    const double unit = height / TextReferenceSize; // logical units per reference pixel
    QList<double> advances;
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const double advance = i < dx.size() ? dx[i] / unit : metrics.horizontalAdvance(text[i]);
        advances.append(advance);
        width += advance;
    }
    double x = 0;
    switch (m_State.TextAlign & 6) {
    case 6: x = -width / 2; break;
    case 2: x = -width; break;
    default: break;
    }
    double y = 0;
    switch (m_State.TextAlign & 24) {
    case 24: break; // baseline
    case 8: y = -metrics.descent(); break;
    default: y = metrics.ascent(); break;
    }
    if (options & 0x0002 && !box.isEmpty()) // opaque: the box in the background colour
        m_Painter.fillRect(box, m_State.BkColor);
    m_Painter.save();
    if (options & 0x0004 && !box.isEmpty()) // clipped to the box
        m_Painter.setClipRect(box, Qt::IntersectClip);
    // Upright text even where the logical y axis points up: the position is mapped, the glyphs
    // only scaled.
    const QPointF origin = logical.map(at);
    QTransform textTransform;
    textTransform.translate(origin.x(), origin.y());
    textTransform.rotate(-m_State.Font.Escapement / 10.0);
    textTransform.scale(unit * qAbs(logical.m11()), unit * qAbs(logical.m22()));
    m_Painter.setTransform(textTransform * m_Base);
    if (m_State.OpaqueBk && !(options & 0x0002))
        m_Painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), m_State.BkColor);
    m_Painter.setFont(font);
    m_Painter.setPen(m_State.TextColor);
    const bool outlines = TextNeedsOutlines(m_Painter.transform());
    const auto draw = [&](QPointF position, const QString& part) {
        if (outlines) {
            QPainterPath path;
            path.addText(position, font, part);
            m_Painter.fillPath(path, m_State.TextColor);
        } else {
            m_Painter.drawText(position, part);
        }
    };
    if (dx.isEmpty()) {
        draw(QPointF(x, y), text);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            draw(QPointF(x, y), QString(text[i]));
            x += advances[i];
        }
    }
    m_Painter.restore();
    if (updateCp)
        m_State.Position.rx() += width * unit * (logical.m11() < 0 ? -1 : 1);
}

void TWmfPlayer::DrawDib(const QByteArray& dib, QRectF dest, QRectF source, bool sourceFromBottom, quint32 rop)
{
    const QImage image = DecodeBmpOrDib(dib);
    if (image.isNull())
        return;
    if (sourceFromBottom)
        source.moveTop(image.height() - source.bottom());
    if (source.isEmpty())
        source = image.rect();
    const bool mirrorX = dest.width() < 0;
    const bool mirrorY = dest.height() < 0;
    dest = dest.normalized();
    const QImage shown = mirrorX || mirrorY ? image.mirrored(mirrorX, mirrorY) : image;
    if (mirrorX)
        source.moveLeft(image.width() - source.right());
    if (mirrorY)
        source.moveTop(image.height() - source.bottom());
    m_Painter.save();
    // The two raster operations clip art uses to draw through a mask: AND the mask, then OR the
    // picture. Multiply and screen give the same for the black-and-white masks these use.
    if (rop == 0x008800C6)
        m_Painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    else if (rop == 0x00EE0086)
        m_Painter.setCompositionMode(QPainter::CompositionMode_Screen);
    m_Painter.drawImage(dest, shown, source);
    m_Painter.restore();
}

void TWmfPlayer::ChangeClip(const QRectF& logical, bool exclude)
{
    if (++m_ClipChanges > MaxClipChanges)
        return;
    QPainterPath rect;
    rect.addPolygon(LogicalToTarget().map(QPolygonF(logical)));
    rect.closeSubpath();
    m_State.Clip = exclude ? m_State.Clip.subtracted(rect) : m_State.Clip.intersected(rect);
    ApplyClip();
}

void TWmfPlayer::Record(quint16 function, TByteReader& r, qsizetype paramBytes)
{
    TDcState& s = m_State;
    switch (function) {
    case MetaSetBkColor: s.BkColor = Colour(r.U32()); break;
    case MetaSetBkMode: s.OpaqueBk = r.U16() == 2; break;
    case MetaSetMapMode: {
        const int mode = r.U16();
        if (mode >= mmText && mode <= mmAnisotropic) {
            s.MapMode = mode;
            ApplyTransform();
        }
        break;
    }
    case MetaSetPolyFillMode: s.FillRule = r.U16() == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
    case MetaSetTextColor: s.TextColor = Colour(r.U32()); break;
    case MetaSetTextAlign: s.TextAlign = r.U16(); break;
    case MetaSetWindowOrg:
        s.WindowOrg = Point(r);
        ApplyTransform();
        break;
    case MetaSetWindowExt:
        s.WindowExt = Point(r);
        ApplyTransform();
        break;
    case MetaSetViewportOrg:
        s.ViewportOrg = Point(r);
        ApplyTransform();
        break;
    case MetaSetViewportExt:
        s.ViewportExt = Point(r);
        ApplyTransform();
        break;
    case MetaOffsetWindowOrg:
        s.WindowOrg += Point(r);
        ApplyTransform();
        break;
    case MetaOffsetViewportOrg:
        s.ViewportOrg += Point(r);
        ApplyTransform();
        break;
    case MetaScaleWindowExt:
    case MetaScaleViewportExt: {
        const int yDenom = r.I16();
        const int yNum = r.I16();
        const int xDenom = r.I16();
        const int xNum = r.I16();
        if (xDenom == 0 || yDenom == 0)
            break;
        QPointF& ext = function == MetaScaleWindowExt ? s.WindowExt : s.ViewportExt;
        ext = QPointF(ext.x() * xNum / xDenom, ext.y() * yNum / yDenom);
        ApplyTransform();
        break;
    }
    case MetaMoveTo: s.Position = Point(r); break;
    case MetaLineTo: {
        const QPointF to = Point(r);
        m_Painter.setPen(s.Pen);
        m_Painter.drawLine(s.Position, to);
        s.Position = to;
        break;
    }
    case MetaExcludeClipRect: ChangeClip(Rect(r), true); break;
    case MetaIntersectClipRect: ChangeClip(Rect(r), false); break;
    case MetaEllipse: {
        QPainterPath path;
        path.addEllipse(Rect(r));
        DrawShape(path);
        break;
    }
    case MetaRectangle: {
        QPainterPath path;
        path.addRect(Rect(r));
        DrawShape(path);
        break;
    }
    case MetaRoundRect: {
        const int height = r.I16();
        const int width = r.I16();
        QPainterPath path;
        path.addRoundedRect(Rect(r), qAbs(width) / 2.0, qAbs(height) / 2.0);
        DrawShape(path);
        break;
    }
    case MetaArc:
    case MetaPie:
    case MetaChord: DrawArcRecord(r, function); break;
    case MetaPatBlt: {
        const quint32 rop = r.U32();
        const int height = r.I16();
        const int width = r.I16();
        const QPointF at = Point(r);
        const QRectF rect = QRectF(at, QSizeF(width, height)).normalized();
        if (rop == 0x00000042)
            m_Painter.fillRect(rect, Qt::black);
        else if (rop == 0x00FF0062)
            m_Painter.fillRect(rect, Qt::white);
        else if (rop == 0x00F00021)
            m_Painter.fillRect(rect, s.Brush);
        break;
    }
    case MetaSetPixel: {
        const QColor colour = Colour(r.U32());
        m_Painter.fillRect(QRectF(Point(r), QSizeF(1, 1)), colour);
        break;
    }
    case MetaSaveDc:
        if (m_Saved.size() < MaxSavedStates)
            m_Saved.push_back(s);
        break;
    case MetaRestoreDc: {
        const int which = r.I16();
        const qsizetype keep = which < 0 ? qsizetype(m_Saved.size()) + which : which - 1;
        if (keep < 0 || keep >= qsizetype(m_Saved.size()))
            break;
        s = m_Saved[size_t(keep)];
        m_Saved.resize(size_t(keep));
        ApplyClip();
        break;
    }
    case MetaTextOut: {
        const int length = r.I16();
        if (length < 0 || length + 6 > paramBytes)
            break;
        const QByteArray text = r.Bytes(length);
        r.Skip(length & 1);
        const QPointF at = Point(r);
        if (r.Ok())
            DrawText(at, text, {}, 0, {});
        break;
    }
    case MetaExtTextOut: {
        const QPointF at = Point(r);
        const int length = r.I16();
        const int options = r.U16();
        QRectF box;
        qsizetype used = 8;
        if (options & 0x0006) {
            const int left = r.I16();
            const int top = r.I16();
            const int right = r.I16();
            const int bottom = r.I16();
            box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
            used += 8;
        }
        if (length < 0 || used + length > paramBytes)
            break;
        const QByteArray text = r.Bytes(length);
        r.Skip(length & 1);
        used += length + (length & 1);
        QList<int> dx;
        if (used + qsizetype(length) * 2 <= paramBytes) {
            for (int i = 0; i < length; ++i)
                dx.append(r.I16());
        }
        if (r.Ok())
            DrawText(at, text, dx, options, box);
        break;
    }
    case MetaPolygon: DrawPolygonRecord(r, paramBytes, true); break;
    case MetaPolyline: DrawPolygonRecord(r, paramBytes, false); break;
    case MetaPolyPolygon: {
        const int polygons = r.U16();
        if (qsizetype(polygons) * 2 + 2 > paramBytes)
            break;
        QList<int> counts;
        qint64 points = 0;
        for (int i = 0; i < polygons; ++i) {
            counts.append(r.U16());
            points += counts.last();
        }
        if (2 + qint64(polygons) * 2 + points * 4 > paramBytes)
            break;
        QPainterPath path;
        path.setFillRule(s.FillRule);
        for (const int count : counts) {
            QPolygonF polygon;
            for (int i = 0; i < count; ++i) {
                const int x = r.I16();
                const int y = r.I16();
                polygon.append(QPointF(x, y));
            }
            path.addPolygon(polygon);
            path.closeSubpath();
        }
        DrawShape(path);
        break;
    }
    case MetaSelectObject:
    case MetaSelectPalette: Select(r.U16()); break;
    case MetaDeleteObject: {
        const int index = r.U16();
        if (size_t(index) < m_Objects.size() && !m_FreeSlots.contains(index)) {
            m_Objects[size_t(index)] = std::monostate();
            m_FreeSlots.insert(index);
        }
        break;
    }
    case MetaCreatePenIndirect: {
        const int style = r.U16();
        const int width = r.I16();
        r.I16();
        const QColor colour = Colour(r.U32());
        static const Qt::PenStyle Styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,  Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
        QPen pen(colour, qAbs(width));
        pen.setStyle((style & 0x0F) <= 6 ? Styles[style & 0x0F] : Qt::SolidLine);
        pen.setCapStyle((style & 0x0F00) == 0x0100   ? Qt::SquareCap
                        : (style & 0x0F00) == 0x0200 ? Qt::FlatCap
                                                     : Qt::RoundCap);
        pen.setJoinStyle((style & 0xF000) == 0x1000   ? Qt::BevelJoin
                         : (style & 0xF000) == 0x2000 ? Qt::MiterJoin
                                                      : Qt::RoundJoin);
        AddObject(pen);
        break;
    }
    case MetaCreateBrushIndirect: {
        const int style = r.U16();
        const QColor colour = Colour(r.U32());
        const int hatch = r.U16();
        static const Qt::BrushStyle Hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        if (style == 1)
            AddObject(QBrush(Qt::NoBrush));
        else if (style == 2)
            AddObject(QBrush(colour, hatch >= 0 && hatch <= 5 ? Hatches[hatch] : Qt::SolidPattern));
        else
            AddObject(QBrush(colour));
        break;
    }
    case MetaCreateFontIndirect: {
        TWmfFont font;
        font.Height = r.I16();
        r.I16(); // width: the face's own
        font.Escapement = r.I16();
        r.I16(); // orientation
        const int weight = r.I16();
        const bool italic = r.U8();
        const bool underline = r.U8();
        const bool strikeOut = r.U8();
        r.Skip(5); // character set, precisions, quality, pitch
        QByteArray face = r.Bytes(qMin<qsizetype>(32, r.Left()));
        face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
        font.Font = MakeFont(face, weight, italic, underline, strikeOut);
        AddObject(font);
        break;
    }
    case MetaCreatePalette: {
        r.U16(); // start
        const int count = r.U16();
        if (qsizetype(count) * 4 + 4 > paramBytes)
            break;
        QList<QRgb> palette;
        for (int i = 0; i < count; ++i) {
            const int red = r.U8();
            const int green = r.U8();
            const int blue = r.U8();
            r.U8(); // flags
            palette.append(qRgb(red, green, blue));
        }
        AddObject(palette);
        break;
    }
    case MetaDibCreatePatternBrush: {
        r.U16(); // style
        r.U16(); // colour usage
        const QImage image = DecodeBmpOrDib(r.Bytes(paramBytes - 4));
        AddObject(image.isNull() ? QBrush(Qt::black) : QBrush(image));
        break;
    }
    case MetaCreatePatternBrush:
    case MetaCreateRegion: AddObject(std::monostate()); break;
    case MetaDibBitBlt:
    case MetaDibStretchBlt:
    case MetaStretchDib: {
        const quint32 rop = r.U32();
        if (function == MetaStretchDib)
            r.U16(); // colour usage
        QSizeF sourceSize;
        if (function != MetaDibBitBlt) {
            const int h = r.I16();
            const int w = r.I16();
            sourceSize = QSizeF(w, h);
        }
        const QPointF sourceAt = Point(r);
        // Without a bitmap, a bit blit is a pattern fill with a reserved word in it.
        const qsizetype fixed = function == MetaDibBitBlt ? 16 : function == MetaDibStretchBlt ? 20 : 22;
        if ((function == MetaDibBitBlt && paramBytes == 18) || (function == MetaDibStretchBlt && paramBytes == 22))
            r.U16();
        const int h = r.I16();
        const int w = r.I16();
        const QPointF at = Point(r);
        if (function == MetaDibBitBlt)
            sourceSize = QSizeF(w, h);
        if (paramBytes <= fixed + 2) {
            m_Painter.fillRect(QRectF(at, QSizeF(w, h)).normalized(), s.Brush);
            break;
        }
        const QByteArray dib = r.Bytes(paramBytes - fixed);
        if (r.Ok())
            DrawDib(dib, QRectF(at, QSizeF(w, h)), QRectF(sourceAt, sourceSize), function == MetaStretchDib, rop);
        break;
    }
    default: break; // escapes and records without a drawing here
    }
}

void TWmfPlayer::Play(const QByteArray& data)
{
    m_Painter.save();
    m_Painter.setRenderHint(QPainter::Antialiasing);
    // Bitmaps stretch without smoothing, as the format's own players stretch them.
    m_Painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    ApplyClip();
    TByteReader reader(data, m_Header.RecordsOffset + MetaHeaderSize);
    while (reader.Left() >= 6) {
        const qsizetype start = reader.Position();
        const quint32 words = reader.U32();
        const quint16 function = reader.U16();
        if (function == MetaEof || words < 3 || qint64(words) * 2 > reader.Left() + 6)
            break;
        const qsizetype paramBytes = qsizetype(words) * 2 - 6;
        const QByteArray params = data.mid(reader.Position(), paramBytes);
        TByteReader r(params);
        Record(function, r, paramBytes);
        reader.Seek(start + qsizetype(words) * 2);
    }
    m_Painter.restore();
}

} // namespace

std::optional<TWmfHeader> ReadWmfHeader(const QByteArray& data)
{
    TByteReader r(data);
    TWmfHeader header;
    if (r.U32() == PlaceableWmfKey) {
        r.U16(); // handle
        const int left = r.I16();
        const int top = r.I16();
        const int right = r.I16();
        const int bottom = r.I16();
        header.UnitsPerInch = r.U16();
        header.Bounds = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
        header.RecordsOffset = PlaceableHeaderSize;
    } else {
        header.RecordsOffset = 0;
    }
    TByteReader meta(data, header.RecordsOffset);
    const int type = meta.U16();
    const int headerWords = meta.U16();
    meta.U16(); // version
    meta.U32(); // size in words: writers get it wrong, the records end the file
    header.NumberOfObjects = meta.U16();
    if (!meta.Ok() || (type != 1 && type != 2) || headerWords != 9)
        return std::nullopt;
    if (header.RecordsOffset == 0) {
        // A plain WMF: its box is the first window it sets.
        header.UnitsPerInch = 1440;
        TByteReader records(data, MetaHeaderSize);
        QPoint org;
        while (records.Left() >= 6) {
            const qsizetype start = records.Position();
            const quint32 words = records.U32();
            const quint16 function = records.U16();
            if (words < 3 || qint64(words) * 2 > records.Left() + 6)
                break;
            if (function == MetaSetWindowOrg || function == MetaSetWindowExt) {
                const int y = records.I16();
                const int x = records.I16();
                if (function == MetaSetWindowOrg) {
                    org = QPoint(x, y);
                } else {
                    header.Bounds = QRect(org, QSize(qAbs(x), qAbs(y)));
                    break;
                }
            }
            records.Seek(start + qsizetype(words) * 2);
        }
    }
    if (header.Bounds.width() <= 0 || header.Bounds.height() <= 0 || header.UnitsPerInch <= 0)
        return std::nullopt;
    return header;
}

std::optional<QByteArray> PlaceableWmf(const QByteArray& data)
{
    const std::optional<TWmfHeader> header = ReadWmfHeader(data);
    if (!header)
        return std::nullopt;
    if (header->RecordsOffset == PlaceableHeaderSize)
        return data;
    QByteArray placeable;
    const auto put16 = [&placeable](int v) {
        placeable.append(char(v & 0xFF));
        placeable.append(char((v >> 8) & 0xFF));
    };
    const QRect b = header->Bounds;
    for (const int word : {int(PlaceableWmfKey & 0xFFFF), int(PlaceableWmfKey >> 16), 0, b.left(), b.top(),
                           b.right() + 1, b.bottom() + 1, header->UnitsPerInch, 0, 0})
        put16(word);
    int checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint8(placeable[2 * i]) | (quint8(placeable[2 * i + 1]) << 8);
    put16(checksum);
    return placeable + data;
}

QSize WmfPixelSize(const TWmfHeader& header, int ppi)
{
    return {int(qint64(header.Bounds.width()) * ppi / header.UnitsPerInch),
            int(qint64(header.Bounds.height()) * ppi / header.UnitsPerInch)};
}

bool PlayWmf(QPainter& painter, const QByteArray& data, const QRectF& target)
{
    const std::optional<TWmfHeader> header = ReadWmfHeader(data);
    if (!header)
        return false;
    TWmfPlayer(painter, *header, target).Play(data);
    return true;
}
