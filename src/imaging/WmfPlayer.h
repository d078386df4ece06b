#pragma once
// Plays Windows metafiles (WMF, with or without the 22-byte placeable header) onto a QPainter,
// so that clip art stays vector on screen, in PDF and on the printer. Qt has no WMF reader.
//
// The player follows Microsoft's published WMF format: map modes with window and viewport,
// pens, brushes (solid, hatched, DIB patterns), fonts, palettes, lines, polylines, polygons,
// rectangles, round rectangles, ellipses, arcs, pies, chords, text, clip rectangles, save and
// restore of the drawing state, and DIB blits. Escapes (and the EMF copies some writers embed
// in them) and records it does not know are skipped. The picture's bounding box (the placeable
// header's, or the first window set by the records) is stretched onto the target rectangle.

#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <optional>

class QPainter;

struct TWmfHeader {
    QRect Bounds;                // the picture's box in logical units
    int UnitsPerInch = 0;        // logical units in an inch
    qsizetype RecordsOffset = 0; // where the 18-byte metafile header starts
    int NumberOfObjects = 0;
};

// The key that opens a placeable header.
inline constexpr quint32 PlaceableWmfKey = 0x9AC6CDD7;

// The header of a WMF (placeable or plain); nothing when the data is no WMF or its box is empty.
std::optional<TWmfHeader> ReadWmfHeader(const QByteArray& data);

// `data` as a placeable WMF: returned as it is when it is one; a plain WMF gets a header whose
// box is its first window (at 1440 units per inch). Nothing when there is no WMF or no box.
std::optional<QByteArray> PlaceableWmf(const QByteArray& data);

// The picture's size in pixels at `ppi`, from the header's box and units per inch.
QSize WmfPixelSize(const TWmfHeader& header, int ppi);

// Draws the metafile stretched onto `target` (in the painter's coordinates) and restores the
// painter's state. False when the data is no WMF; damaged records end the playback early.
bool PlayWmf(QPainter& painter, const QByteArray& data, const QRectF& target);
