#include "print/ReportPrinter.h"

#include "platform/MervaneError.h"
#include "platform/ScreenPpi.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPicture>
#include <cmath>

TReportPrinter::TReportPrinter(QPagedPaintDevice& device)
    : m_Device(&device)
{
}

TReportPrinter::TReportPrinter(const QString& pdfFileName)
    : m_PdfWriter(std::make_unique<QPdfWriter>(pdfFileName))
    , m_Device(m_PdfWriter.get())
    , m_Target(pdfFileName)
{
    UsePdfWriter();
}

TReportPrinter::TReportPrinter(QIODevice& output)
    : m_PdfWriter(std::make_unique<QPdfWriter>(&output))
    , m_Device(m_PdfWriter.get())
    , m_Target("the PDF file")
{
    UsePdfWriter();
}

void TReportPrinter::UsePdfWriter()
{
    // A printer's resolution, so that a PDF file and a printed page come out in the same dots.
    m_PdfWriter->setResolution(1200);
}

TReportPrinter::~TReportPrinter()
{
    if (m_Painter.isActive())
        m_Painter.end();
}

void TReportPrinter::SetOrientation(QPageLayout::Orientation orientation)
{
    m_Device->setPageOrientation(orientation);
}

QPageLayout::Orientation TReportPrinter::Orientation() const
{
    return m_Device->pageLayout().orientation();
}

TPrinterMargins TReportPrinter::UnprintableMargins() const
{
    QPageLayout layout = m_Device->pageLayout();
    layout.setUnits(QPageLayout::Inch);
    const QMarginsF margins = layout.minimumMargins();
    return {margins.left(), margins.top(), margins.right(), margins.bottom()};
}

void TReportPrinter::Execute()
{
    if (OnBeforePrint)
        OnBeforePrint(*this);
    if (!m_Painter.begin(m_Device)) {
        throw EMervaneError(m_Target.isEmpty() ? QString("Unable to start printing")
                                               : QString("Unable to start printing on %1").arg(m_Target));
    }
    // A paged device puts its origin at the top-left of its margins (at the paper's corner only
    // in full-page mode); the canvas is addressed from the paper's corner.
    m_Painter.translate(-m_Device->pageLayout().paintRectPixels(m_Device->logicalDpiX()).topLeft());
    SetPen(Qt::black);
    SetBrush(Qt::white);
    try {
        if (OnPrint)
            OnPrint(*this);
    } catch (...) {
        m_Painter.end();
        throw;
    }
    if (!m_Painter.end()) {
        throw EMervaneError(m_Target.isEmpty() ? QString("Unable to finish printing")
                                               : QString("Unable to finish %1").arg(m_Target));
    }
}

void TReportPrinter::NewPage()
{
    if (!m_Device->newPage())
        throw EMervaneError("Unable to start a new page");
}

int TReportPrinter::XDPI() const
{
    return m_Device->logicalDpiX();
}

int TReportPrinter::YDPI() const
{
    return m_Device->logicalDpiY();
}

int TReportPrinter::XI2D(double inches) const
{
    return int(std::lround(inches * XDPI()));
}

int TReportPrinter::YI2D(double inches) const
{
    return int(std::lround(inches * YDPI()));
}

QRect TReportPrinter::InchRectToDevice(const QRectF& inches) const
{
    return QRect(QPoint(XI2D(inches.left()), YI2D(inches.top())),
                 QPoint(XI2D(inches.right()) - 1, YI2D(inches.bottom()) - 1));
}

QPointF TReportPrinter::InchPointToDevice(const QPointF& inches) const
{
    return {inches.x() * XDPI(), inches.y() * YDPI()};
}

void TReportPrinter::SetPen(const QColor& color, Qt::PenStyle style, int width)
{
    const int dots = std::abs(width);
    QPen pen(color, dots <= 1 ? 0 : dots, style); // width 0: the thinnest line
    m_Painter.setPen(pen);
}

void TReportPrinter::SetBrush(const QColor& color, Qt::BrushStyle style)
{
    m_Painter.setBrush(QBrush(color, style));
}

void TReportPrinter::SetFont(const QString& name, double points, bool bold, bool italic, bool underline,
                             const QColor& color)
{
    QFont font(name);
    font.setPointSizeF(points > 0 ? points : 1);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    m_Font = font;
    m_FontColor = color;
}

void TReportPrinter::SetFont(const QFont& font, const QColor& color)
{
    m_Font = font;
    // Screen fonts come sized in pixels; the page is measured in points.
    if (font.pixelSize() > 0)
        m_Font.setPointSizeF(font.pixelSize() * 72.0 / ScreenPpi());
    m_FontColor = color;
}

void TReportPrinter::SetTextBackground(bool opaque)
{
    m_OpaqueText = opaque;
}

QFont TReportPrinter::DeviceFont() const
{
    // Sized in device dots, so that metrics, text and text paths agree on every device.
    QFont font = m_Font;
    font.setPixelSize(std::max(1, int(std::lround(m_Font.pointSizeF() * YDPI() / 72.0))));
    return font;
}

double TReportPrinter::TextWidth(const QString& text) const
{
    return QFontMetricsF(DeviceFont()).horizontalAdvance(text) / XDPI();
}

double TReportPrinter::LineHeight() const
{
    return QFontMetricsF(DeviceFont()).height() / YDPI();
}

double TReportPrinter::Ascent() const
{
    return QFontMetricsF(DeviceFont()).ascent() / YDPI();
}

double TReportPrinter::Descent() const
{
    return QFontMetricsF(DeviceFont()).descent() / YDPI();
}

QPointF TReportPrinter::TextOrigin(double x, double y) const
{
    return {x * XDPI(), (y + Ascent()) * YDPI()};
}

void TReportPrinter::PrintXY(double x, double y, const QString& text)
{
    m_Painter.save();
    m_Painter.setFont(DeviceFont());
    m_Painter.setPen(m_FontColor);
    if (m_OpaqueText) {
        m_Painter.setBackgroundMode(Qt::OpaqueMode);
        m_Painter.setBackground(m_Painter.brush());
    } else {
        m_Painter.setBackgroundMode(Qt::TransparentMode);
    }
    m_Painter.drawText(TextOrigin(x, y), text);
    m_Painter.restore();
}

void TReportPrinter::PrintCenter(double x, double y, const QString& text)
{
    PrintXY(x - TextWidth(text) / 2, y, text);
}

void TReportPrinter::PrintRight(double x, double y, const QString& text)
{
    PrintXY(x - TextWidth(text), y, text);
}

void TReportPrinter::Line(double x1, double y1, double x2, double y2)
{
    m_Painter.drawLine(InchPointToDevice({x1, y1}), InchPointToDevice({x2, y2}));
}

void TReportPrinter::Rectangle(double x1, double y1, double x2, double y2)
{
    m_Painter.drawRect(QRectF(InchPointToDevice({x1, y1}), InchPointToDevice({x2, y2})));
}

void TReportPrinter::FillDeviceRect(const QRect& device, const QColor& color)
{
    m_Painter.fillRect(device, color);
}

void TReportPrinter::BeginPath()
{
    m_Path = QPainterPath();
    m_InPath = true;
}

void TReportPrinter::PathText(double x, double y, const QString& text)
{
    if (m_InPath)
        m_Path.addText(TextOrigin(x, y), DeviceFont(), text);
}

void TReportPrinter::EndPath()
{
    m_InPath = false;
    m_CompletedPath = m_Path;
}

void TReportPrinter::StrokePath()
{
    m_Painter.strokePath(m_CompletedPath, m_Painter.pen());
}

void TReportPrinter::SelectClipPath()
{
    m_Painter.setClipPath(m_CompletedPath);
}

void TReportPrinter::ClearClip()
{
    m_Painter.setClipping(false);
}

void TReportPrinter::StretchDraw(const QRectF& inches, const QImage& image)
{
    m_Painter.drawImage(QRectF(InchPointToDevice(inches.topLeft()), InchPointToDevice(inches.bottomRight())), image);
}

void TReportPrinter::StretchDraw(const QRectF& inches, const QPicture& picture)
{
    StretchDrawDevice(InchRectToDevice(inches), picture);
}

void TReportPrinter::StretchDrawDevice(const QRect& device, const QPicture& picture)
{
    const QRect source = picture.boundingRect();
    if (source.isEmpty() || device.isEmpty())
        return;
    // Qt plays a picture back scaled from the resolution it was recorded at to the device's;
    // undo that, so the frame maps exactly onto the target.
    const QPaintDevice* target = m_Painter.device();
    const double dpiX = double(picture.logicalDpiX()) / target->logicalDpiX();
    const double dpiY = double(picture.logicalDpiY()) / target->logicalDpiY();
    m_Painter.save();
    m_Painter.translate(device.topLeft());
    m_Painter.scale(dpiX * device.width() / source.width(), dpiY * device.height() / source.height());
    m_Painter.translate(-source.left() / dpiX, -source.top() / dpiY);
    m_Painter.drawPicture(0, 0, picture);
    m_Painter.restore();
}
