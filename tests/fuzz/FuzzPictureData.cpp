// The "Picture.Data" block of a picture object as a calendar file holds it: read (bitmap,
// metafile, icon or JPEG, through the decoders), written back and drawn, or refused.

#include "FuzzSupport.h"
#include "imaging/Picture.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QByteArray block(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<TPicture> picture = TPicture::FromDataBlock(block);
    if (!picture)
        return 0;
    if (picture->DataBlock() != block)
        abort(); // a picture that was read must write back unchanged
    QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    picture->Draw(painter, QRectF(0, 0, 40, 30));
    return 0;
}
