#pragma once
// Draws a calendar page for `mvtool render`, each kind of output the way the program makes it:
// the screen image (page and objects as the window shows them at a zoom), the bitmap that
// "Save As Bitmap" writes (the page's own drawing at the zoom, no objects, day planners from
// 8:00 am) and the printed page as a PDF (full size, objects included, landscape when the
// layout is). Outputs are written whole or not at all.

#include <QImage>
#include <QString>
#include <QStringList>

class TCalendarPanel32;

// The objects of a file that could not be read, by class, and why the first of them was not.
struct TObjectsLeftOut {
    QStringList Classes;
    QString Reason;

    static TObjectsLeftOut Of(const TCalendarPanel32& page);
};

class TCalendarRenderer {
public:
    // The program's zoom range.
    static constexpr float MinZoom = 0.2f;
    static constexpr float MaxZoom = 1.0f;

    // Reads `fileName` and writes `outFile`, the output chosen by its extension (.png, .bmp or
    // .pdf, any case). A PDF is printed at full size and takes no zoom. Returns the file's
    // objects that could not be read and so are not drawn.
    static TObjectsLeftOut Render(const QString& fileName, const QString& outFile, float zoom);

    // The page shown at `zoom`, its objects included.
    static QImage ScreenImage(TCalendarPanel32& page, float zoom);
    // What "Save As Bitmap" writes at `zoom`.
    static QImage Bitmap(TCalendarPanel32& page, float zoom);
    // Prints the page onto one sheet of its paper (A4 or Letter) in a PDF.
    static void PrintPdf(TCalendarPanel32& page, const QString& outFile);
};
