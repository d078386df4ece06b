#pragma once
// The size limits every decoder applies before it allocates pixels: a picture may hold at most
// MaxImagePixels, and no more pixels than its bytes can describe at the format's best
// compression, so a short damaged file can never ask for a huge image.

#include <QtGlobal>

inline constexpr qint64 MaxImagePixels = 64 * 1024 * 1024;

// True when a `width` × `height` picture is possible from `dataSize` bytes of a format that
// encodes at most `pixelsPerByte` pixels in one byte.
bool PlausibleImageSize(qint64 width, qint64 height, qint64 dataSize, qint64 pixelsPerByte);
