#pragma once
// The page's way onto paper and into files, shared by the program's commands and mvtool: the
// paper and orientation a job takes from the page, the print pass that sends the page a number
// of times, and the PDF and bitmap files. Files are written whole or not at all; failures are
// EMervaneError with a message for the user.

#include <QString>

class QImage;
class QPagedPaintDevice;
class TCalendarPanel32;
class TReportPrinter;

// The page's paper (A4 or Letter) and orientation (landscape for a landscape page) on `device`.
void UsePaperOfPage(QPagedPaintDevice& device, const TCalendarPanel32& page);

// Prints `copies` copies of the page and its objects onto the report's running job, a new sheet
// between two, at full size: for the pass the page is printing and at zoom 1, and its zoom and
// printing state are back afterwards, also when printing fails.
void PrintPageCopies(TReportPrinter& report, TCalendarPanel32& page, int copies);

// One sheet of the page's paper into a PDF file: vector text and shapes.
void SavePagePdf(TCalendarPanel32& page, const QString& fileName);

// Writes `image` in `format` ("bmp", "png").
void SaveImageFile(const QImage& image, const QString& fileName, const char* format);
