#include "imaging/ImageLimits.h"

bool PlausibleImageSize(qint64 width, qint64 height, qint64 dataSize, qint64 pixelsPerByte)
{
    if (width <= 0 || height <= 0 || width > MaxImagePixels || height > MaxImagePixels)
        return false;
    const qint64 pixels = width * height;
    return pixels <= MaxImagePixels && pixels <= dataSize * pixelsPerByte;
}
