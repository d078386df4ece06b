// WMF clip art as a picture object plays it: placeable or plain, onto a small bitmap. The
// player must end on any record sequence, in time linear in the data.

#include "FuzzSupport.h"
#include "imaging/WmfPlayer.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QByteArray wmf = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    PlayWmf(painter, wmf, QRectF(2, 2, 60, 44));
    return 0;
}
