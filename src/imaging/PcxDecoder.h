#pragma once
// Decodes a PCX picture (ZSoft, 128-byte header): 1 bit in 1 to 4 planes, 2, 4 and 8 bits in one
// plane, 24 and 32 bits in 3 or 4 planes of 8 bits, uncompressed or run-length coded, with the
// header's 16-colour palette or the 256-colour palette after the 0x0C byte at the end. Qt has no
// PCX reader. Damaged or unsupported data gives a null image.

#include <QByteArray>
#include <QImage>

QImage DecodePcx(const QByteArray& data);
