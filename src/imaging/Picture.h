#pragma once
// The picture of a picture object: a bitmap, an icon or a metafile, kept as the bytes of its
// data block ("Picture.Data" in calendar files: the graphic's class name, then the graphic's own
// saved form) so that a file reads and writes back byte for byte, and decoded for drawing.
//
// Data blocks: `TBitmap` (4-byte size, then a BMP file), `TMetafile` (4-byte size counting
// itself, then a placeable WMF or an EMF), `TIcon` (an .ico file, some producers put a size in
// front), `TJPEGImage` (4-byte size, then a JPEG file). EMF pictures are kept and written back
// but draw nothing: no EMF player is built in.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

class QPainter;

enum class TGraphicKind { None, Bitmap, Metafile, Icon, Jpeg };

class TPicture {
public:
    TPicture() = default;

    // The picture of a data block; nothing, with the reason in `error`, when it is damaged.
    static std::optional<TPicture> FromDataBlock(const QByteArray& block, QString* error = nullptr);
    // A bitmap picture holding `image` (saved as a BMP file).
    static TPicture FromImage(const QImage& image);
    // A bitmap picture holding the BMP file `bmp` as it is; nothing when it cannot be read.
    static std::optional<TPicture> FromBmp(const QByteArray& bmp);
    // A metafile picture holding a placeable WMF; nothing when `wmf` is no WMF.
    static std::optional<TPicture> FromWmf(const QByteArray& wmf);

    // The data block; empty for an empty picture (which files leave out).
    QByteArray DataBlock() const { return m_Block; }

    TGraphicKind Kind() const { return m_Kind; }
    bool IsEmpty() const { return m_Kind == TGraphicKind::None; }
    bool IsBitmap() const { return m_Kind == TGraphicKind::Bitmap; }
    bool IsMetafile() const { return m_Kind == TGraphicKind::Metafile; }
    // The size in pixels at 96 pixels per inch (metafiles from their box and units per inch).
    QSize Size() const { return m_Size; }
    int Width() const { return m_Size.width(); }
    int Height() const { return m_Size.height(); }
    // The bitmap of a bitmap, icon or JPEG picture; null for metafiles.
    const QImage& Image() const { return m_Image; }
    // The WMF of a metafile picture, with its placeable header; empty for others and for EMF.
    const QByteArray& Wmf() const { return m_Wmf; }

    // Draws the picture stretched onto `target`: bitmaps as images, metafiles as vectors.
    void Draw(QPainter& painter, const QRectF& target) const;

    bool operator==(const TPicture& other) const { return m_Block == other.m_Block; }

private:
    TGraphicKind m_Kind = TGraphicKind::None;
    QByteArray m_Block;
    QImage m_Image;
    QByteArray m_Wmf;
    QSize m_Size;
};
