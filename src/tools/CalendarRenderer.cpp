#include "tools/CalendarRenderer.h"

#include "calendar/CalendarOutput.h"
#include "calendar/CalendarPanel32.h"
#include "tools/CalendarFile.h"
#include "tools/ToolPage.h"
#include "tools/ToolError.h"

#include <QFileInfo>

namespace {

// The shared writers fail with std::runtime_error; mvtool reports its own errors.
template <typename Write>
void Written(Write write)
{
    try {
        write();
    } catch (const std::runtime_error& error) {
        throw EToolError(QString::fromStdString(error.what()));
    }
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
    // The program's own print pass, as "Save As PDF" runs it.
    Written([&] { SavePagePdf(page, outFile); });
}

QStringList TCalendarRenderer::Render(const QString& fileName, const QString& outFile, float zoom)
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
        Written([&] { SaveImageFile(ScreenImage(page, zoom), outFile, "png"); });
    else if (kind == "bmp")
        Written([&] { SaveImageFile(Bitmap(page, zoom), outFile, "bmp"); });
    else
        PrintPdf(page, outFile);
    return page.ObjectsLeftOut();
}
