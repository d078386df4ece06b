#pragma once
// One picture of an RTF text as the reader collects it from a \pict group: its kind, its bytes
// and the size words. Turns it into an image for the document; kinds that Qt cannot decode
// (metafiles) become an empty box of the right size. Pictures whose bytes the writer should put
// back unchanged (JPEG, metafiles) carry them in the image format, so a text read and written
// again loses nothing.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QTextFormat>

class QTextImageFormat;

enum TRtfPictureKind { pkNone, pkPng, pkJpeg, pkEmf, pkWmf, pkDib, pkDdb };

// Image format properties that keep a picture's source bytes for the writer.
constexpr int RtfPictureKindProperty = QTextFormat::UserProperty + 1;       // int TRtfPictureKind
constexpr int RtfPictureDataProperty = QTextFormat::UserProperty + 2;       // QByteArray
constexpr int RtfPictureSourceSizeProperty = QTextFormat::UserProperty + 3; // QSize: \picw, \pich
constexpr int RtfPictureMapModeProperty = QTextFormat::UserProperty + 4;    // int: N of \wmetafileN

class TRtfPicture {
public:
    TRtfPictureKind Kind = pkNone;
    QByteArray Data;
    int PicW = 0, PicH = 0;                        // pixels for bitmaps, 0.01 mm for metafiles
    int GoalW = 0, GoalH = 0;                      // twips; 0 = not given
    int ScaleX = 100, ScaleY = 100;                // percent
    int MapMode = 8;                               // \wmetafileN
    int BitsPixel = 1, Planes = 1, WidthBytes = 0; // \wbitmap

    // The decoded picture; for metafiles and undecodable data an empty box of DisplaySize.
    QImage Decode(int pixelsPerInch) const;
    // The size the picture is shown at, in pixels at `pixelsPerInch`; never empty, never huge.
    QSize DisplaySize(int pixelsPerInch) const;
    // Whether the writer should keep the source bytes instead of writing the image as PNG.
    bool KeepsSource() const { return Kind == pkJpeg || Kind == pkEmf || Kind == pkWmf; }

private:
    QImage DecodeDeviceBitmap() const;
};

// Largest picture side shown, in pixels: damaged size words cannot ask for huge images.
constexpr int MaxPictureSide = 4000;

class QTextDocument;

// Adds `image` to `document` under a new name and returns the format that shows it at its
// size in pixels.
QTextImageFormat AddPictureResource(QTextDocument& document, const QImage& image);

// Gives `target` the pictures its image formats name, taken from `source`.
void CopyPictureResources(const QTextDocument& source, QTextDocument& target);
