#pragma once
// Decodes a Truevision TGA picture of type 1 (colour-mapped), 2 (true colour) or 3 (greyscale),
// and their run-length coded forms 9, 10 and 11: 8- and 16-bit indexes into 15/16/24/32-bit
// colour maps, 15/16/24/32-bit true colour, 8-bit grey (16-bit with alpha), either origin. Qt's
// reader takes only uncompressed true colour. Damaged or unsupported data gives a null image.

#include <QByteArray>
#include <QImage>

QImage DecodeTga(const QByteArray& data);
