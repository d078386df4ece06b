#pragma once
// The print engine: runs a print job on a paged device and offers for each page a canvas
// addressed in inches from the paper's top-left corner. The device is either the caller's (the
// printer a print dialog set up, a print preview's printer, any QPagedPaintDevice), which the
// report uses but does not own, or a PDF file the report writes itself. The page and its objects
// print themselves through it; the print command sets orientation and starts the job. Device
// units are the device's dots; XI2D/YI2D convert. What only a real printer knows (copies, its
// driver) stays with the caller's QPrinter (platformui/PrinterDriver.h), so this needs Qt Gui only.

#include <QColor>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <memory>

class QIODevice;
class QPdfWriter;
class QPicture;

// The printer's unprintable border on each side, in inches.
struct TPrinterMargins {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

class TReportPrinter {
public:
    // A job on the caller's device, which must outlive the report: a print dialog's or a print
    // preview's QPrinter, or QPrinter(QPrinter::HighResolution) for the default printer. Whatever
    // margins the device is set up with, the canvas starts at the paper's corner.
    explicit TReportPrinter(QPagedPaintDevice& device);
    // A job written to a PDF file.
    explicit TReportPrinter(const QString& pdfFileName);
    // A job written as a PDF into `output`, open for writing, which must outlive the report (a
    // QSaveFile, so that the file is replaced whole or not at all).
    explicit TReportPrinter(QIODevice& output);
    ~TReportPrinter();

    TReportPrinter(const TReportPrinter&) = delete;
    TReportPrinter& operator=(const TReportPrinter&) = delete;

    // The device the job runs on, for settings the report does not wrap (page size).
    QPagedPaintDevice& Device() { return *m_Device; }

    // Job settings, for the coming job.
    void SetOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation Orientation() const;
    // The device's unprintable border, from its page layout.
    TPrinterMargins UnprintableMargins() const;

    // Runs the job: OnBeforePrint, then OnPrint with the first page open, then ends the job.
    // Fails with a message when the job cannot be started or the device cannot finish it.
    // Anything OnPrint throws ends the job and is passed on.
    std::function<void(TReportPrinter&)> OnBeforePrint;
    std::function<void(TReportPrinter&)> OnPrint;
    void Execute();
    void NewPage();
    bool Printing() const { return m_Painter.isActive(); }

    // Units.
    int XDPI() const;
    int YDPI() const;
    int XI2D(double inches) const;
    int YI2D(double inches) const;
    QRect InchRectToDevice(const QRectF& inches) const;
    QPointF InchPointToDevice(const QPointF& inches) const;

    // Drawing state. A pen width of 0 or 1 is the thinnest line the device draws; a larger or
    // negative width is a physical width in device dots.
    void SetPen(const QColor& color, Qt::PenStyle style = Qt::SolidLine, int width = 1);
    void SetBrush(const QColor& color, Qt::BrushStyle style = Qt::SolidPattern);
    void SetFont(const QString& name, double points, bool bold, bool italic, bool underline, const QColor& color);
    void SetFont(const QFont& font, const QColor& color);
    // Whether text paints a background box in the brush colour (off: transparent).
    void SetTextBackground(bool opaque);

    // Text measured and printed in the current font, in inches.
    double TextWidth(const QString& text) const;
    double LineHeight() const;
    double Ascent() const;
    double Descent() const;
    // Prints with the text's top-left corner at (x, y).
    void PrintXY(double x, double y, const QString& text);
    // Centred horizontally on x, respectively ending at x; top at y.
    void PrintCenter(double x, double y, const QString& text);
    void PrintRight(double x, double y, const QString& text);

    void Line(double x1, double y1, double x2, double y2);
    void Rectangle(double x1, double y1, double x2, double y2);
    void FillDeviceRect(const QRect& device, const QColor& color);

    // Paths: text and shapes added between BeginPath and EndPath form one path, which can be
    // stroked with the pen or selected as the clipping region.
    void BeginPath();
    void PathText(double x, double y, const QString& text);
    void EndPath();
    void StrokePath();
    void SelectClipPath();
    void ClearClip();

    void StretchDraw(const QRectF& inches, const QImage& image);
    // A picture's bounding rectangle is its frame: recorders set it to the area they drew for
    // (QPicture::setBoundingRect), and that frame is stretched onto the target.
    void StretchDraw(const QRectF& inches, const QPicture& picture);
    void StretchDrawDevice(const QRect& device, const QPicture& picture);

    // The canvas in device units, for drawing the engine does not wrap.
    QPainter& Canvas() { return m_Painter; }

private:
    QFont DeviceFont() const;
    QPointF TextOrigin(double x, double y) const; // baseline point for a top-left corner

    void UsePdfWriter();

    std::unique_ptr<QPdfWriter> m_PdfWriter; // the device of a job into a PDF
    QPagedPaintDevice* m_Device;
    QString m_Target; // the device in error messages; empty for a caller's device
    QPainter m_Painter;
    QFont m_Font;
    QColor m_FontColor = Qt::black;
    bool m_OpaqueText = false;
    QPainterPath m_Path;
    bool m_InPath = false;
    QPainterPath m_CompletedPath;
};
