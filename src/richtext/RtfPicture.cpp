#include "richtext/RtfPicture.h"

#include <QAtomicInt>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cstring>

namespace {

int Bounded(qint64 value)
{
    return int(std::clamp<qint64>(value, 1, MaxPictureSide));
}

// Stands in for a picture that cannot be shown: a light frame, scaled up when drawn.
QImage EmptyBox(QSize size)
{
    QImage image(size.boundedTo(QSize(256, 256)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(192, 192, 192));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QAtomicInt NextPictureNumber;

} // namespace

QTextImageFormat AddPictureResource(QTextDocument& document, const QImage& image)
{
    // Names are unique in the process, so pictures keep them when moved between documents.
    const QString name = QString("mvpict:%1").arg(NextPictureNumber.fetchAndAddRelaxed(1));
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    return format;
}

void CopyPictureResources(const QTextDocument& source, QTextDocument& target)
{
    for (QTextBlock block = target.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant image = source.resource(QTextDocument::ImageResource, name);
            if (image.isValid())
                target.addResource(QTextDocument::ImageResource, name, image);
        }
    }
}

QSize TRtfPicture::DisplaySize(int pixelsPerInch) const
{
    const bool metafile = Kind == pkEmf || Kind == pkWmf;
    auto side = [&](int goal, int pic, int scale) -> qint64 {
        qint64 pixels;
        if (goal > 0)
            pixels = qint64(goal) * pixelsPerInch / 1440;
        else if (metafile)
            pixels = qint64(pic) * pixelsPerInch / 2540;
        else
            pixels = pic;
        return pixels * std::clamp(scale, 1, 1000) / 100;
    };
    qint64 width = side(GoalW, PicW, ScaleX);
    qint64 height = side(GoalH, PicH, ScaleY);
    return {Bounded(width), Bounded(height)};
}

QImage TRtfPicture::Decode(int pixelsPerInch) const
{
    QImage image;
    switch (Kind) {
    case pkPng: image = QImage::fromData(Data, "PNG"); break;
    case pkJpeg: image = QImage::fromData(Data, "JPEG"); break;
    case pkDib: image = QImage::fromData(Data, "DIB"); break;
    case pkDdb: image = DecodeDeviceBitmap(); break;
    default: break;
    }
    if (image.isNull())
        image = EmptyBox(DisplaySize(pixelsPerInch));
    return image;
}

// Device-dependent bits: rows of WidthBytes from the top, no palette. One bit per pixel is
// black and white, eight is grey, 24 and 32 are blue, green, red (and unused). Each depth keeps
// its own image format, so that the image takes no more memory than the bits it is made from.
QImage TRtfPicture::DecodeDeviceBitmap() const
{
    if (Planes != 1 || PicW <= 0 || PicH <= 0 || WidthBytes <= 0)
        return {};
    if (qint64(PicW) * BitsPixel > qint64(WidthBytes) * 8 || qint64(WidthBytes) * PicH > Data.size())
        return {};
    QImage::Format format;
    switch (BitsPixel) {
    case 1: format = QImage::Format_Mono; break;
    case 8: format = QImage::Format_Grayscale8; break;
    case 24: format = QImage::Format_BGR888; break;
    case 32: format = QImage::Format_RGB32; break;
    default: return {};
    }
    QImage image(PicW, PicH, format);
    if (image.isNull())
        return {};
    if (BitsPixel == 1)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const qsizetype rowBytes = (qint64(PicW) * BitsPixel + 7) / 8;
    for (int y = 0; y < PicH; ++y) {
        const char* row = Data.constData() + qint64(y) * WidthBytes;
        std::memcpy(image.scanLine(y), row, size_t(rowBytes));
        // Blue, green, red, unused read as a little-endian QRgb; the unused byte becomes opaque.
        if (BitsPixel == 32) {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < PicW; ++x)
                out[x] |= 0xff000000u;
        }
    }
    return image;
}
