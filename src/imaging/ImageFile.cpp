#include "imaging/ImageFile.h"

#include "imaging/ImageLimits.h"
#include "imaging/PcxDecoder.h"
#include "imaging/TgaDecoder.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace {

// The best compression the formats Qt decodes reach, in pixels per byte of the file: a GIF or
// RLE bitmap of one colour gets near it, a real picture never does.
constexpr qint64 QtFormatPixelsPerByte = 2048;

QImage ReadWithQt(const QByteArray& data, const char* format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(format == nullptr);
    const QSize size = reader.size();
    if (!size.isValid() || !PlausibleImageSize(size.width(), size.height(), data.size(), QtFormatPixelsPerByte))
        return {};
    QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return {};
    return image;
}

} // namespace

TImageFileType ImageFileType(const QString& fileName)
{
    const int dot = fileName.lastIndexOf('.');
    const QString extension = dot < 0 ? QString() : fileName.mid(dot + 1).toUpper();
    static const QList<std::pair<QString, TImageFileType>> Types{
        {"JPG", iftJpg}, {"GIF", iftGif}, {"JIF", iftJif}, {"BMP", iftBmp},
        {"DIB", iftDib}, {"RLE", iftRle}, {"TGA", iftTga}, {"PCX", iftPcx},
    };
    for (const auto& [name, type] : Types) {
        if (extension == name)
            return type;
    }
    return iftOther;
}

QImage DecodeBmpOrDib(const QByteArray& data)
{
    return ReadWithQt(data, data.startsWith("BM") ? "bmp" : "dib");
}

QImage DecodeIcon(const QByteArray& data)
{
    return ReadWithQt(data, "ico");
}

QImage DecodeImageFile(const QByteArray& data, TImageFileType type)
{
    switch (type) {
    case iftJpg:
    case iftJif: return ReadWithQt(data, "jpeg");
    case iftGif: return ReadWithQt(data, "gif");
    case iftBmp:
    case iftDib:
    case iftRle: return DecodeBmpOrDib(data);
    case iftTga: return DecodeTga(data);
    case iftPcx: return DecodePcx(data);
    case iftOther: break;
    }
    return ReadWithQt(data, nullptr);
}
