#pragma once
// Builders for the small pictures the imaging tests write byte by byte: little-endian values,
// PCX and TGA files, and WMF metafiles record by record.

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QRect>
#include <QtEndian>

// Appends little-endian values.
class TBytes {
public:
    TBytes& U8(int v);
    TBytes& U16(int v);
    TBytes& U32(quint32 v);
    TBytes& Raw(const QByteArray& bytes);
    TBytes& Zeros(int count);
    QByteArray Data;
};

// A WMF written record by record; Placeable() puts the 22-byte header with `bounds` in front.
class TWmfBuilder {
public:
    // A record of `function` with 16-bit parameters as the format orders them.
    TWmfBuilder& Record(int function, const QList<int>& words, const QByteArray& tail = {});
    TWmfBuilder& Pen(int style, int width, QRgb colour);
    TWmfBuilder& Brush(int style, QRgb colour, int hatch = 0);
    TWmfBuilder& Font(int height, const QByteArray& face, int escapement = 0);
    TWmfBuilder& Select(int index) { return Record(0x012D, {index}); }
    TWmfBuilder& Rectangle(int left, int top, int right, int bottom)
    {
        return Record(0x041B, {bottom, right, top, left});
    }
    TWmfBuilder& Polygon(const QList<QPoint>& points, int function = 0x0324);
    TWmfBuilder& TextOut(int x, int y, const QByteArray& text);
    TWmfBuilder& WindowOrg(int x, int y) { return Record(0x020B, {y, x}); }
    TWmfBuilder& WindowExt(int x, int y) { return Record(0x020C, {y, x}); }
    TWmfBuilder& StretchDib(const QRect& dest, const QByteArray& dib);

    // The plain metafile: header, records, end record.
    QByteArray Plain(int objects = 8) const;
    QByteArray Placeable(const QRect& bounds, int unitsPerInch = 96, int objects = 8) const;

private:
    QByteArray m_Records;
};

// A packed DIB (BITMAPINFOHEADER + 24-bit bits, bottom-up) of `pixels` rows of colours.
QByteArray PackedDib24(const QList<QList<QRgb>>& rows);

// COLORREF of a colour.
quint32 ColorRef(QRgb colour);
