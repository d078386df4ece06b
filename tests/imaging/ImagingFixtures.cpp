#include "ImagingFixtures.h"

TBytes& TBytes::U8(int v)
{
    Data.append(char(v & 0xFF));
    return *this;
}

TBytes& TBytes::U16(int v)
{
    return U8(v).U8(v >> 8);
}

TBytes& TBytes::U32(quint32 v)
{
    return U16(int(v & 0xFFFF)).U16(int(v >> 16));
}

TBytes& TBytes::Raw(const QByteArray& bytes)
{
    Data.append(bytes);
    return *this;
}

TBytes& TBytes::Zeros(int count)
{
    Data.append(QByteArray(count, '\0'));
    return *this;
}

quint32 ColorRef(QRgb colour)
{
    return quint32(qRed(colour)) | (quint32(qGreen(colour)) << 8) | (quint32(qBlue(colour)) << 16);
}

TWmfBuilder& TWmfBuilder::Record(int function, const QList<int>& words, const QByteArray& tail)
{
    QByteArray padded = tail;
    if (padded.size() % 2)
        padded.append('\0');
    TBytes b;
    b.U32(quint32(3 + words.size() + padded.size() / 2)).U16(function);
    for (const int w : words)
        b.U16(w);
    b.Raw(padded);
    m_Records.append(b.Data);
    return *this;
}

TWmfBuilder& TWmfBuilder::Pen(int style, int width, QRgb colour)
{
    const quint32 ref = ColorRef(colour);
    return Record(0x02FA, {style, width, 0, int(ref & 0xFFFF), int(ref >> 16)});
}

TWmfBuilder& TWmfBuilder::Brush(int style, QRgb colour, int hatch)
{
    const quint32 ref = ColorRef(colour);
    return Record(0x02FC, {style, int(ref & 0xFFFF), int(ref >> 16), hatch});
}

TWmfBuilder& TWmfBuilder::Font(int height, const QByteArray& face, int escapement)
{
    TBytes tail;
    tail.U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0); // italic .. pitch
    QByteArray name = face.left(31);
    name.append(QByteArray(32 - name.size(), '\0'));
    tail.Raw(name);
    return Record(0x02FB, {height, 0, escapement, 0, 400}, tail.Data);
}

TWmfBuilder& TWmfBuilder::Polygon(const QList<QPoint>& points, int function)
{
    QList<int> words{int(points.size())};
    for (const QPoint& p : points)
        words << p.x() << p.y();
    return Record(function, words);
}

TWmfBuilder& TWmfBuilder::TextOut(int x, int y, const QByteArray& text)
{
    QByteArray padded = text;
    if (padded.size() % 2)
        padded.append('\0');
    TBytes b;
    b.U16(int(text.size())).Raw(padded).U16(y).U16(x);
    return Record(0x0521, {}, b.Data);
}

TWmfBuilder& TWmfBuilder::StretchDib(const QRect& dest, const QByteArray& dib)
{
    // SRCCOPY, DIB_RGB_COLORS, source height, width, y, x, destination height, width, y, x.
    const int w = qFromLittleEndian<qint32>(dib.constData() + 4);
    const int h = qFromLittleEndian<qint32>(dib.constData() + 8);
    return Record(0x0F43, {0x0020, 0x00CC, 0, h, w, 0, 0, dest.height(), dest.width(), dest.top(), dest.left()}, dib);
}

QByteArray TWmfBuilder::Plain(int objects) const
{
    TBytes b;
    const QByteArray records = m_Records + QByteArray("\x03\0\0\0\0\0", 6);
    b.U16(1).U16(9).U16(0x0300).U32(quint32((18 + records.size()) / 2)).U16(objects).U32(0).U16(0);
    return b.Data + records;
}

QByteArray TWmfBuilder::Placeable(const QRect& bounds, int unitsPerInch, int objects) const
{
    TBytes b;
    b.U32(0x9AC6CDD7)
        .U16(0)
        .U16(bounds.left())
        .U16(bounds.top())
        .U16(bounds.left() + bounds.width())
        .U16(bounds.top() + bounds.height())
        .U16(unitsPerInch)
        .U32(0);
    int checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint8(b.Data[2 * i]) | (quint8(b.Data[2 * i + 1]) << 8);
    b.U16(checksum);
    return b.Data + Plain(objects);
}

QByteArray PackedDib24(const QList<QList<QRgb>>& rows)
{
    const int height = int(rows.size());
    const int width = int(rows.first().size());
    const int stride = (width * 3 + 3) / 4 * 4;
    TBytes b;
    b.U32(40)
        .U32(quint32(width))
        .U32(quint32(height))
        .U16(1)
        .U16(24)
        .U32(0)
        .U32(quint32(stride * height))
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(0);
    for (int y = height - 1; y >= 0; --y) {
        for (const QRgb c : rows[y])
            b.U8(qBlue(c)).U8(qGreen(c)).U8(qRed(c));
        b.Zeros(stride - width * 3);
    }
    return b.Data;
}
