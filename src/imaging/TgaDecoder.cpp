#include "imaging/TgaDecoder.h"

#include "imaging/ByteReader.h"
#include "imaging/ImageLimits.h"

#include <QList>

namespace {

constexpr int TgaHeaderSize = 18;

struct TTgaHeader {
    int IdLength = 0;
    int ColorMapType = 0;
    int ImageType = 0;
    int MapFirst = 0;
    int MapLength = 0;
    int MapEntryBits = 0;
    int Width = 0;
    int Height = 0;
    int PixelBits = 0;
    int Descriptor = 0;

    bool Compressed() const { return ImageType >= 9; }
    int BaseType() const { return ImageType & 7; }
    int AlphaBits() const { return Descriptor & 0x0F; }
};

bool ReadHeader(TByteReader& reader, TTgaHeader& h)
{
    h.IdLength = reader.U8();
    h.ColorMapType = reader.U8();
    h.ImageType = reader.U8();
    h.MapFirst = reader.U16();
    h.MapLength = reader.U16();
    h.MapEntryBits = reader.U8();
    reader.Skip(4); // origin on screen
    h.Width = reader.U16();
    h.Height = reader.U16();
    h.PixelBits = reader.U8();
    h.Descriptor = reader.U8();
    if (!reader.Ok() || h.ColorMapType > 1)
        return false;
    switch (h.BaseType()) {
    case 1:
        return h.ColorMapType == 1 && (h.PixelBits == 8 || h.PixelBits == 16) && (h.ImageType == 1 || h.ImageType == 9);
    case 2:
        return (h.PixelBits == 15 || h.PixelBits == 16 || h.PixelBits == 24 || h.PixelBits == 32) &&
               (h.ImageType == 2 || h.ImageType == 10);
    case 3: return (h.PixelBits == 8 || h.PixelBits == 16) && (h.ImageType == 3 || h.ImageType == 11);
    default: return false;
    }
}

// A colour of `bits` bits (15, 16, 24 or 32) from `p`, little-endian as TGA stores it.
QRgb Colour(const uchar* p, int bits, bool useAlpha)
{
    if (bits == 15 || bits == 16) {
        const int v = p[0] | (p[1] << 8);
        const int r = (v >> 10) & 31;
        const int g = (v >> 5) & 31;
        const int b = v & 31;
        const int a = useAlpha && bits == 16 && !(v & 0x8000) ? 0 : 255;
        return qRgba((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2), a);
    }
    return qRgba(p[2], p[1], p[0], bits == 32 && useAlpha ? p[3] : 255);
}

bool ReadColorMap(TByteReader& reader, const TTgaHeader& h, QList<QRgb>& map)
{
    if (h.ColorMapType == 0)
        return true;
    const int entryBytes = (h.MapEntryBits + 7) / 8;
    if (h.MapEntryBits != 15 && h.MapEntryBits != 16 && h.MapEntryBits != 24 && h.MapEntryBits != 32)
        return false;
    const QByteArray bytes = reader.Bytes(qsizetype(h.MapLength) * entryBytes);
    if (!reader.Ok())
        return false;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    for (int i = 0; i < h.MapLength; ++i)
        map.append(Colour(p + i * entryBytes, h.MapEntryBits, h.AlphaBits() > 0));
    return true;
}

// The pixel bytes in file order, unpacking the run-length packets (which may cross lines).
QByteArray PixelBytes(TByteReader& reader, const TTgaHeader& h, qsizetype pixelBytes, qint64 pixels)
{
    const qsizetype size = qsizetype(pixels * pixelBytes);
    if (!h.Compressed())
        return reader.Bytes(size);
    QByteArray out(size, Qt::Uninitialized);
    qsizetype written = 0;
    while (written < size) {
        const int packet = reader.U8();
        const qsizetype count = qMin<qsizetype>((packet & 0x7F) + 1, (size - written) / pixelBytes);
        if (packet & 0x80) {
            const QByteArray pixel = reader.Bytes(pixelBytes);
            if (!reader.Ok())
                return {};
            for (qsizetype i = 0; i < count; ++i, written += pixelBytes)
                memcpy(out.data() + written, pixel.constData(), size_t(pixelBytes));
        } else {
            const QByteArray run = reader.Bytes(((packet & 0x7F) + 1) * pixelBytes);
            if (!reader.Ok())
                return {};
            memcpy(out.data() + written, run.constData(), size_t(count * pixelBytes));
            written += count * pixelBytes;
        }
    }
    return out;
}

} // namespace

QImage DecodeTga(const QByteArray& data)
{
    TByteReader reader(data);
    TTgaHeader h;
    if (!ReadHeader(reader, h))
        return {};
    reader.Skip(h.IdLength);
    QList<QRgb> map;
    if (!ReadColorMap(reader, h, map))
        return {};
    const int pixelBytes = (h.PixelBits + 7) / 8;
    // A run packet of 1 + pixelBytes bytes stands for up to 128 pixels.
    if (!reader.Ok() || !PlausibleImageSize(h.Width, h.Height, data.size(), 128))
        return {};
    const QByteArray pixels = PixelBytes(reader, h, pixelBytes, qint64(h.Width) * h.Height);
    if (!reader.Ok() || pixels.isEmpty())
        return {};

    const bool alpha = h.AlphaBits() > 0 || (h.BaseType() == 3 && h.PixelBits == 16);
    QImage image(h.Width, h.Height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool rightToLeft = h.Descriptor & 0x10;
    const bool topToBottom = h.Descriptor & 0x20;
    const auto* p = reinterpret_cast<const uchar*>(pixels.constData());
    for (int row = 0; row < h.Height; ++row) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(topToBottom ? row : h.Height - 1 - row));
        for (int col = 0; col < h.Width; ++col, p += pixelBytes) {
            QRgb colour = 0;
            if (h.BaseType() == 1) {
                const int index = (h.PixelBits == 8 ? p[0] : p[0] | (p[1] << 8)) - h.MapFirst;
                if (index < 0 || index >= map.size())
                    return {};
                colour = map[index];
            } else if (h.BaseType() == 2) {
                colour = Colour(p, h.PixelBits, alpha);
            } else {
                colour = qRgba(p[0], p[0], p[0], h.PixelBits == 16 ? p[1] : 255);
            }
            out[rightToLeft ? h.Width - 1 - col : col] = colour;
        }
    }
    return image;
}
