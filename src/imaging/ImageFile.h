#pragma once
// The picture files the picture browser opens, by kind, and their decoding into bitmaps: Qt's
// readers for BMP (also RLE-compressed, and .DIB/.RLE files that are BMP files), headerless
// packed DIBs, icons, JPEG and GIF; ours for PCX and TGA. Every decoder checks the picture's size
// against its data before it allocates, and gives a null image for damaged data.

#include <QByteArray>
#include <QImage>
#include <QString>

// The file kinds by the text after the last dot of a name, upper-cased; the numbers are those the
// picture browser's decoder takes.
enum TImageFileType {
    iftOther = 0,
    iftJpg = 1,
    iftGif = 2,
    iftJif = 3,
    iftBmp = 4,
    iftDib = 5,
    iftRle = 6,
    iftTga = 7,
    iftPcx = 8,
};

TImageFileType ImageFileType(const QString& fileName);

// A bitmap from the bytes of a file of `type` (iftOther: any format Qt recognises); null when
// the data cannot be decoded.
QImage DecodeImageFile(const QByteArray& data, TImageFileType type);

// A BMP file (also RLE-compressed) or, without the "BM" header, a packed DIB (BITMAPINFOHEADER,
// colour table, bits), as metafiles and .DIB files hold them.
QImage DecodeBmpOrDib(const QByteArray& data);

// The first image of an .ico file (Qt gives icon images of 16 bits per pixel as null).
QImage DecodeIcon(const QByteArray& data);
