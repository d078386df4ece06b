#include "imaging/Picture.h"

#include "imaging/ByteReader.h"
#include "imaging/ImageFile.h"
#include "imaging/WmfPlayer.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace {

constexpr int MetafilePpi = 96;
// The first record of an EMF is its header (type 1) with " EMF" at byte 40.
constexpr quint32 EmfSignature = 0x464D4520;

QByteArray ClassNamed(const QByteArray& name)
{
    return char(name.size()) + name;
}

QByteArray SizeBytes(quint32 size)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((size >> (8 * i)) & 0xFF);
    return bytes;
}

// The EMF header's frame (in hundredths of a millimetre) as pixels; nothing for no EMF.
std::optional<QSize> EmfSize(const QByteArray& emf)
{
    TByteReader r(emf);
    if (r.U32() != 1)
        return std::nullopt;
    r.Skip(20); // record size, bounds in device units
    const qint64 left = qint32(r.U32());
    const qint64 top = qint32(r.U32());
    const qint64 right = qint32(r.U32());
    const qint64 bottom = qint32(r.U32());
    if (!r.Ok() || r.U32() != EmfSignature)
        return std::nullopt;
    return QSize(int(qBound<qint64>(qint64(0), (right - left) * MetafilePpi / 2540, qint64(1) << 20)),
                 int(qBound<qint64>(qint64(0), (bottom - top) * MetafilePpi / 2540, qint64(1) << 20)));
}

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

std::optional<TPicture> TPicture::FromDataBlock(const QByteArray& block, QString* error)
{
    TByteReader r(block);
    const int nameLength = r.U8();
    const QByteArray name = r.Bytes(nameLength);
    if (!r.Ok()) {
        Fail(error, "The picture data ends before its class name.");
        return std::nullopt;
    }
    TPicture picture;
    picture.m_Block = block;
    const qsizetype dataStart = r.Position();
    if (name == "TBitmap" || name == "TJPEGImage" || name == "TMetafile") {
        const quint32 size = r.U32();
        const bool metafile = name == "TMetafile";
        // A metafile's size counts its own four bytes.
        const qint64 length = metafile ? qMax<qint64>(qint64(size) - 4, 0) : qint64(size);
        if (!r.Ok() || length > r.Left()) {
            Fail(error, "The picture data is shorter than its size says.");
            return std::nullopt;
        }
        if (length < r.Left()) {
            Fail(error, "The picture data is longer than its size says.");
            return std::nullopt;
        }
        const QByteArray data = r.Bytes(qsizetype(length));
        if (metafile) {
            picture.m_Kind = TGraphicKind::Metafile;
            if (data.isEmpty())
                return picture;
            if (const std::optional<QSize> emfSize = EmfSize(data)) {
                picture.m_Size = *emfSize;
                return picture;
            }
            const std::optional<TWmfHeader> header = ReadWmfHeader(data);
            if (!header || header->RecordsOffset == 0) {
                Fail(error, "The metafile in the picture data is neither a placeable WMF nor an EMF.");
                return std::nullopt;
            }
            picture.m_Wmf = data;
            picture.m_Size = WmfPixelSize(*header, MetafilePpi);
            return picture;
        }
        picture.m_Kind = name == "TBitmap" ? TGraphicKind::Bitmap : TGraphicKind::Jpeg;
        if (data.isEmpty())
            return picture;
        picture.m_Image = name == "TBitmap" ? DecodeBmpOrDib(data) : DecodeImageFile(data, iftJpg);
        if (picture.m_Image.isNull() || (name == "TBitmap" && !data.startsWith("BM"))) {
            Fail(error, "The bitmap in the picture data cannot be read.");
            return std::nullopt;
        }
        picture.m_Size = picture.m_Image.size();
        return picture;
    }
    if (name == "TIcon") {
        QByteArray icon = block.mid(dataStart);
        // Some producers put the icon's size in front of it.
        if (icon.size() >= 8 && !icon.startsWith(QByteArray("\0\0\1\0", 4)) &&
            icon.mid(4).startsWith(QByteArray("\0\0\1\0", 4)))
            icon = icon.mid(4);
        picture.m_Kind = TGraphicKind::Icon;
        picture.m_Image = DecodeIcon(icon);
        if (picture.m_Image.isNull()) {
            Fail(error, "The icon in the picture data cannot be read.");
            return std::nullopt;
        }
        picture.m_Size = picture.m_Image.size();
        return picture;
    }
    Fail(error,
         QString("The picture data holds a graphic of the unknown class \"%1\".").arg(QString::fromLatin1(name)));
    return std::nullopt;
}

TPicture TPicture::FromImage(const QImage& image)
{
    TPicture picture;
    if (image.isNull())
        return picture;
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    // Bitmaps have no transparency: transparent parts of an icon show white, as on the page.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    writer.write(flat);
    picture.m_Kind = TGraphicKind::Bitmap;
    picture.m_Block = ClassNamed("TBitmap") + SizeBytes(quint32(bmp.size())) + bmp;
    picture.m_Image = DecodeBmpOrDib(bmp);
    picture.m_Size = picture.m_Image.size();
    return picture;
}

std::optional<TPicture> TPicture::FromBmp(const QByteArray& bmp)
{
    return FromDataBlock(ClassNamed("TBitmap") + SizeBytes(quint32(bmp.size())) + bmp);
}

std::optional<TPicture> TPicture::FromWmf(const QByteArray& wmf)
{
    const std::optional<QByteArray> placeable = PlaceableWmf(wmf);
    if (!placeable)
        return std::nullopt;
    return FromDataBlock(ClassNamed("TMetafile") + SizeBytes(quint32(placeable->size() + 4)) + *placeable);
}

void TPicture::Draw(QPainter& painter, const QRectF& target) const
{
    if (!m_Wmf.isEmpty())
        PlayWmf(painter, m_Wmf, target);
    else if (!m_Image.isNull())
        painter.drawImage(target, m_Image);
}
