#include "tools/CalendarRenderer.h"

#include "calendar/CalendarPanel32.h"
#include "print/ReportPrinter.h"
#include "tools/CalendarFile.h"
#include "tools/ToolPage.h"
#include "tools/ToolError.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryFile>

namespace {

void SaveImage(const QImage& image, const QString& outFile, const char* format)
{
    QSaveFile file(outFile);
    if (!file.open(QIODevice::WriteOnly))
        throw EToolError(QString("Cannot create file %1").arg(outFile));
    QImageWriter writer(&file, format);
    if (!writer.write(image) || !file.commit())
        throw EToolError(QString("Cannot write %1: %2").arg(outFile, writer.errorString()));
}

} // namespace

QImage TCalendarRenderer::ScreenImage(TCalendarPanel32& page, float zoom)
{
    page.SetZoom(zoom);
    return page.grab().toImage();
}

QImage TCalendarRenderer::Bitmap(TCalendarPanel32& page, float zoom)
{
    page.SetZoom(zoom);
    return page.RenderToBitmap();
}

void TCalendarRenderer::PrintPdf(TCalendarPanel32& page, const QString& outFile)
{
    // The printer writes to a file name, not to a device: print into a temporary file, then
    // save its bytes so that the target is replaced whole or not at all.
    QTemporaryFile printed(QDir::temp().filePath("mvtool-XXXXXX.pdf"));
    if (!printed.open())
        throw EToolError(QString("Cannot create a temporary file in %1").arg(QDir::tempPath()));
    printed.close();

    {
        // Printing as in the program's print pass: no change notifications meanwhile. The page
        // prints at full size whatever its zoom.
        page.SetPrinting(true);
        const auto printingDone = qScopeGuard([&page] { page.SetPrinting(false); });
        TReportPrinter report(printed.fileName());
        report.Device().setPageSize(QPageSize(page.UseA4Paper() ? QPageSize::A4 : QPageSize::Letter));
        report.SetOrientation(page.CalendarOrientation() == coLandscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
        report.OnPrint = [&page](TReportPrinter& r) { page.PrintPage(r, 0, 0); };
        report.Execute();
    }

    if (!printed.open())
        throw EToolError(QString("Cannot read the printed page in %1").arg(printed.fileName()));
    QSaveFile file(outFile);
    if (!file.open(QIODevice::WriteOnly))
        throw EToolError(QString("Cannot create file %1").arg(outFile));
    const QByteArray pdf = printed.readAll();
    if (file.write(pdf) != pdf.size() || !file.commit())
        throw EToolError(QString("Cannot write %1").arg(outFile));
}

void TCalendarRenderer::Render(const QString& fileName, const QString& outFile, float zoom)
{
    const QString kind = QFileInfo(outFile).suffix().toLower();
    if (kind != "png" && kind != "bmp" && kind != "pdf")
        throw EToolError(QString("%1: expected an output file ending in .png, .bmp or .pdf").arg(outFile));
    if (!(zoom >= MinZoom && zoom <= MaxZoom))
        throw EToolError(QString("--zoom: expected a factor from %1 to %2").arg(MinZoom).arg(MaxZoom));
    if (kind == "pdf" && zoom != 1)
        throw EToolError("--zoom: a PDF is printed at full size");

    TToolPage page;
    TCalendarFile::Load(page, fileName);
    if (kind == "png")
        SaveImage(ScreenImage(page, zoom), outFile, "png");
    else if (kind == "bmp")
        SaveImage(Bitmap(page, zoom), outFile, "bmp");
    else
        PrintPdf(page, outFile);
}
