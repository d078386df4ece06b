#include "tools/CalendarRenderer.h"

#include "calendar/CalendarOutput.h"
#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "tools/CalendarFile.h"
#include "tools/ToolPage.h"

#include <QFileInfo>

TObjectsLeftOut TObjectsLeftOut::Of(const TCalendarPanel32& page)
{
    return {page.ObjectsLeftOut(), page.ObjectsLeftOutReason()};
}

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
    SavePagePdf(page, outFile);
}

TObjectsLeftOut TCalendarRenderer::Render(const QString& fileName, const QString& outFile, float zoom)
{
    const QString kind = QFileInfo(outFile).suffix().toLower();
    if (kind != "png" && kind != "bmp" && kind != "pdf")
        throw EMervaneError(QString("%1: expected an output file ending in .png, .bmp or .pdf").arg(outFile));
    if (!(zoom >= MinZoom && zoom <= MaxZoom))
        throw EMervaneError(QString("--zoom: expected a factor from %1 to %2").arg(MinZoom).arg(MaxZoom));
    if (kind == "pdf" && zoom != 1)
        throw EMervaneError("--zoom: a PDF is printed at full size");

    TToolPage page;
    TCalendarFile::Load(page, fileName);
    if (kind == "png")
        SaveImageFile(ScreenImage(page, zoom), outFile, "png");
    else if (kind == "bmp")
        SaveImageFile(Bitmap(page, zoom), outFile, "bmp");
    else
        PrintPdf(page, outFile);
    return TObjectsLeftOut::Of(page);
}
