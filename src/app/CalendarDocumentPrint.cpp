// The document's printing and export commands.

#include "app/CalendarDocument.h"

#include "calendar/CalendarOutput.h"
#include "calendar/CalendarPanel32.h"
#include "platform/ProgramFolders.h"
#include "platformui/PrinterDriver.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"
#include "print/ReportPrinter.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScopeGuard>

#include <cmath>

namespace {

// A printer margin cut (not rounded) to hundredths of an inch. The small allowance keeps a
// margin such as 0.29 inch, which binary floating point holds as 0.28999..., at 0.29.
double CutToHundredths(double inches)
{
    return std::floor(inches * 100 + 1e-6) / 100;
}

// The save dialog of an export; the chosen file, empty when cancelled. It starts in the
// folder of the user's files, as the calendar files' dialogs do.
QString AskExportFileName(const QString& title, const QString& filter, const QString& extension,
                          const QString& proposed)
{
    TFileDialogRequest request;
    request.Title = title;
    request.Filter = filter;
    request.DefaultExtension = extension;
    request.InitialFolder = UserFilesFolder();
    request.OverwritePrompt = true;
    request.FileName = proposed;
    return UiServices().GetSaveFileName(request);
}

QString Reason(const std::exception& error)
{
    return QString::fromStdString(error.what());
}

} // namespace

QPrinter& TCalendarDocument::Printer()
{
    if (!m_Printer)
        m_Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_Printer;
}

void TCalendarDocument::PrintSetup()
{
    emit CommitPendingEdits();
    if (!CheckPrinters())
        return;
    UiServices().PrintDialog(Printer());
}

bool TCalendarDocument::CheckPrinterMargins(const TPrinterMargins& unprintable) const
{
    const TCalendarPanel32& page = *m_Page;
    QString list;
    if (CutToHundredths(unprintable.Left) > page.LeftMarginInch())
        list += "\rLeft Margin is possibly outside of Printer printable area";
    if (CutToHundredths(unprintable.Top) > page.TopMarginInch())
        list += "\r" + QString("Top Margin is possibly outside of Printer printable area");
    if (CutToHundredths(unprintable.Right) > page.RightMarginInch())
        list += "\r" + QString("Right Margin is possibly outside of Printer printable area");
    if (CutToHundredths(unprintable.Bottom) > page.BottomMarginInch())
        list += "\r" + QString("Bottom Margin is possibly outside of Printer printable area");
    if (list.isEmpty())
        return true;
    return AskYesNo("Margin Warning:\r" + list + "\r" + "\r" + "Print anyways?", "Margin Warning");
}

void TCalendarDocument::PrintCalendar()
{
    emit CommitPendingEdits();
    if (!CheckPrinters())
        return;
    m_PrintDone = false;
    QPrinter& printer = Printer();
    if (UiServices().PrintDialog(printer)) {
        UsePaperOfPage(printer, *m_Page);
        const QMarginsF unprintable = UnprintableMargins(printer);
        if (!CheckPrinterMargins({unprintable.left(), unprintable.top(), unprintable.right(), unprintable.bottom()}))
            return;
        try {
            RunPrintJob(printer);
        } catch (const std::exception& error) {
            m_PrintDone = false;
            ShowInfo("Unable to print the calendar.\r" + Reason(error));
        }
    }
    if (!m_PrintDone)
        return;
    if (m_Page->HasSuperTextObject())
        ShowInfo("Print job completed and sent to printer!\r\rNote: this design contains complex shapes or "
                 "text.\rPlease be patient while the printer produces its\routput...");
    else
        ShowInfo("Print job completed and sent to printer!");
}

void TCalendarDocument::PrintPreview()
{
    emit CommitPendingEdits();
    QPrinter& printer = Printer();
    UsePaperOfPage(printer, *m_Page);
    QPrintPreviewDialog dialog(&printer, DialogParent());
    dialog.setWindowTitle("Print Preview");
    // Qt opens the preview narrower than its tool bar, which then hides its last buttons.
    dialog.resize(dialog.size().expandedTo(dialog.sizeHint()));
    // The preview draws its pages, and prints them, through the print pass.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        try {
            RunPrintJob(*target);
        } catch (const std::exception& error) {
            ShowInfo("Unable to print the calendar.\r" + Reason(error));
        }
    });
    UiServices().ExecDialog(dialog);
}

void TCalendarDocument::RunPrintJob(QPrinter& printer)
{
    const int chosen = ChosenCopies(printer);
    const bool collate = printer.collateCopies();
    const auto restore = qScopeGuard([&] {
        printer.setCopyCount(chosen);
        printer.setCollateCopies(collate);
        m_HideModified = false;
        UpdateModified();
    });
    // A driver that makes the copies gets the page once with the copy count; otherwise the
    // pass sends every copy and the job asks for one, so that a system which copies on the
    // driver's behalf does not multiply them again. Copies of one sheet need no collating,
    // and asking for it would make CUPS copy in place of a driver that cannot collate.
    printer.setCollateCopies(false);
    if (MaxDriverCopies(printer) >= chosen) {
        printer.setCopyCount(chosen);
        m_CopiesToPrint = 1;
    } else {
        printer.setCopyCount(1);
        m_CopiesToPrint = chosen;
    }
    // The job's title in the printer's queue.
    printer.setDocName(m_FileName.isEmpty() ? QString("Mervane") : QFileInfo(m_FileName).fileName());
    TReportPrinter report(printer);
    report.OnPrint = [this](TReportPrinter& r) { PrintPass(r); };
    report.Execute();
}

void TCalendarDocument::PrintPass(TReportPrinter& report)
{
    TCalendarPanel32& page = *m_Page;
    emit CommitPendingEdits();
    page.SetPaintingSuspended(true);
    // Shown unmodified meanwhile, which hides the Save and Cancel buttons.
    m_HideModified = true;
    UpdateModified();
    m_PrintDone = true;
    BusyCursor();
    const auto restore = qScopeGuard([&] {
        NormalCursor();
        page.SetPaintingSuspended(false);
        page.update();
    });
    PrintPageCopies(report, page, m_CopiesToPrint);
}

void TCalendarDocument::SaveAsBitmap()
{
    emit CommitPendingEdits();
    const QString chosen =
        AskExportFileName("Save Calendar As Bitmap", "Bitmap File|*.BMP", "BMP", ProposedFileName(".BMP"));
    if (chosen.isEmpty())
        return;
    try {
        SaveImageFile(m_Page->RenderToBitmap(), chosen, "bmp");
    } catch (const std::exception& error) {
        ShowInfo("Unable to save " + chosen + ".\r" + Reason(error));
    }
}

void TCalendarDocument::SaveAsPdf()
{
    emit CommitPendingEdits();
    const QString chosen = AskExportFileName("Save Calendar As PDF", "PDF File|*.PDF", "pdf", ProposedFileName(".pdf"));
    if (chosen.isEmpty())
        return;
    TCalendarPanel32& page = *m_Page;
    page.SetPaintingSuspended(true);
    BusyCursor();
    QString failure;
    try {
        SavePagePdf(page, chosen);
    } catch (const std::exception& error) {
        failure = Reason(error);
    }
    NormalCursor();
    page.SetPaintingSuspended(false);
    page.update();
    if (!failure.isEmpty())
        ShowInfo("Unable to save " + chosen + ".\r" + failure);
}
