#include "imaging/PcxDecoder.h"

#include "imaging/ByteReader.h"
#include "imaging/ImageLimits.h"

#include <QColor>
#include <QList>

namespace {

constexpr int PcxHeaderSize = 128;
constexpr int PaletteSize = 256 * 3;

struct TPcxHeader {
    int Encoding = 0;
    int BitsPerPixel = 0;
    int Width = 0;
    int Height = 0;
    int Planes = 0;
    int BytesPerLine = 0;
    QList<QRgb> HeaderPalette;
};

bool ReadHeader(const QByteArray& data, TPcxHeader& header)
{
    TByteReader reader(data);
    if (reader.U8() != 0x0A)
        return false;
    reader.U8(); // version: the layout does not depend on it
    header.Encoding = reader.U8();
    header.BitsPerPixel = reader.U8();
    const int xMin = reader.U16();
    const int yMin = reader.U16();
    const int xMax = reader.U16();
    const int yMax = reader.U16();
    reader.Skip(4); // resolution
    for (int i = 0; i < 16; ++i) {
        const int r = reader.U8();
        const int g = reader.U8();
        const int b = reader.U8();
        header.HeaderPalette.append(qRgb(r, g, b));
    }
    reader.U8(); // reserved
    header.Planes = reader.U8();
    header.BytesPerLine = reader.U16();
    if (!reader.Ok() || xMax < xMin || yMax < yMin || header.Encoding > 1)
        return false;
    header.Width = xMax - xMin + 1;
    header.Height = yMax - yMin + 1;
    return true;
}

bool SupportedDepth(int bits, int planes)
{
    return (bits == 1 && planes >= 1 && planes <= 4) || ((bits == 2 || bits == 4) && planes == 1) ||
           (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
}

// The scan lines, all planes of each line in turn. Runs may cross line ends, as writers do.
QByteArray UnpackLines(const QByteArray& data, qsizetype end, qsizetype size, bool compressed)
{
    if (!compressed)
        return end - PcxHeaderSize >= size ? data.mid(PcxHeaderSize, size) : QByteArray();
    QByteArray lines(size, Qt::Uninitialized);
    char* out = lines.data();
    qsizetype written = 0;
    const auto* in = reinterpret_cast<const uchar*>(data.constData());
    qsizetype pos = PcxHeaderSize;
    while (written < size) {
        if (pos >= end)
            return {};
        uchar byte = in[pos++];
        qsizetype count = 1;
        if ((byte & 0xC0) == 0xC0) {
            if (pos >= end)
                return {};
            count = byte & 0x3F;
            byte = in[pos++];
        }
        count = qMin(count, size - written);
        memset(out + written, byte, size_t(count));
        written += count;
    }
    return lines;
}

QList<QRgb> TrailingPalette(const QByteArray& data)
{
    if (data.size() < PcxHeaderSize + PaletteSize + 1 || data[data.size() - PaletteSize - 1] != 0x0C)
        return {};
    QList<QRgb> palette;
    const auto* p = reinterpret_cast<const uchar*>(data.constData() + data.size() - PaletteSize);
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]));
    return palette;
}

} // namespace

QImage DecodePcx(const QByteArray& data)
{
    TPcxHeader header;
    if (!ReadHeader(data, header) || !SupportedDepth(header.BitsPerPixel, header.Planes))
        return {};
    const qint64 bitsPerLine = qint64(header.Width) * header.BitsPerPixel;
    if (qint64(header.BytesPerLine) * 8 < bitsPerLine)
        return {};
    const bool paletted256 = header.BitsPerPixel == 8 && header.Planes == 1;
    const QList<QRgb> palette256 = paletted256 ? TrailingPalette(data) : QList<QRgb>();
    if (paletted256 && palette256.isEmpty())
        return {};
    const qsizetype end = data.size() - (paletted256 ? PaletteSize + 1 : 0);
    // A two-byte run gives at most 63 bytes of a line, which hold at most 8 pixels each.
    const qint64 lineBytes = qint64(header.BytesPerLine) * header.Planes;
    if (!PlausibleImageSize(header.Width, header.Height, data.size(), 63 * 8 / 2) ||
        lineBytes * header.Height > qint64(data.size()) * 32)
        return {};
    const QByteArray lines = UnpackLines(data, end, qsizetype(lineBytes * header.Height), header.Encoding == 1);
    if (lines.isEmpty())
        return {};

    const auto* bytes = reinterpret_cast<const uchar*>(lines.constData());
    const bool trueColour = header.BitsPerPixel == 8 && header.Planes >= 3;
    QImage image(header.Width, header.Height,
                 header.Planes == 4 && trueColour ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QList<QRgb> palette = paletted256 ? palette256 : header.HeaderPalette;
    const bool mono = header.BitsPerPixel == 1 && header.Planes == 1;
    if (mono && (palette[0] == palette[1]))
        palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)}; // writers that leave the palette empty
    for (int y = 0; y < header.Height; ++y) {
        const uchar* line = bytes + qint64(y) * lineBytes;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < header.Width; ++x) {
            if (trueColour) {
                const int bpl = header.BytesPerLine;
                const int alpha = header.Planes == 4 ? line[3 * bpl + x] : 255;
                out[x] = qRgba(line[x], line[bpl + x], line[2 * bpl + x], alpha);
                continue;
            }
            int index = 0;
            if (header.BitsPerPixel == 1) {
                for (int plane = 0; plane < header.Planes; ++plane) {
                    const uchar byte = line[plane * header.BytesPerLine + x / 8];
                    index |= ((byte >> (7 - x % 8)) & 1) << plane;
                }
            } else {
                const int bits = header.BitsPerPixel;
                const int perByte = 8 / bits;
                const uchar byte = line[x / perByte];
                index = (byte >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
            }
            out[x] = palette[index];
        }
    }
    return image;
}
