#include "calendar/CalendarOutput.h"

#include "calendar/CalendarPanel32.h"
#include "platform/FileCommit.h"
#include "platform/MervaneError.h"
#include "print/ReportPrinter.h"

#include <QImageWriter>
#include <QScopeGuard>

void UsePaperOfPage(QPagedPaintDevice& device, const TCalendarPanel32& page)
{
    // Orientation first: a printer works out its printable area for the paper in the
    // orientation it has when the paper is set.
    device.setPageOrientation(page.CalendarOrientation() == coLandscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
    device.setPageSize(QPageSize(page.UseA4Paper() ? QPageSize::A4 : QPageSize::Letter));
}

void PrintPageCopies(TReportPrinter& report, TCalendarPanel32& page, int copies)
{
    const float zoom = page.Zoom();
    const bool printing = page.Printing();
    const auto restore = qScopeGuard([&] {
        if (page.Zoom() != zoom)
            page.SetZoom(zoom);
        page.SetPrinting(printing);
    });
    page.SetPrinting(true);
    page.SetZoom(1.0f);
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1)
            report.NewPage();
        page.PrintPage(report, 0, 0);
    }
}

void SavePagePdf(TCalendarPanel32& page, const QString& fileName)
{
    TWholeSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EMervaneError(QString("Cannot create file %1").arg(fileName));
    {
        TReportPrinter report(file);
        UsePaperOfPage(report.Device(), page);
        report.OnPrint = [&page](TReportPrinter& r) { PrintPageCopies(r, page, 1); };
        report.Execute();
    }
    if (!file.CommitWhole())
        throw EMervaneError(QString("Cannot write %1: %2").arg(fileName, file.errorString()));
}

void SaveImageFile(const QImage& image, const QString& fileName, const char* format)
{
    TWholeSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EMervaneError(QString("Cannot create file %1").arg(fileName));
    QImageWriter writer(&file, format);
    // When the file could not be written, the commit below says so better than the writer.
    if (!writer.write(image) && file.error() == QFileDevice::NoError)
        throw EMervaneError(QString("Cannot write %1: %2").arg(fileName, writer.errorString()));
    if (!file.CommitWhole())
        throw EMervaneError(QString("Cannot write %1: %2").arg(fileName, file.errorString()));
}
