#include "platformui/PrinterDriver.h"

#include <QPrinter>

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace {

struct TDestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

struct TDestInfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

// The queue's printer-type bits; none when missing or not a number.
unsigned PrinterType(const cups_dest_t& dest)
{
    const char* value = cupsGetOption("printer-type", dest.num_options, dest.options);
    if (!value)
        return 0;
    bool ok = false;
    const unsigned type = QByteArray(value).toUInt(&ok);
    return ok ? type : 0;
}

} // namespace

int ChosenCopies(const QPrinter& printer)
{
    return std::max(1, printer.copyCount());
}

int MaxDriverCopies(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return 1;
    return MaxQueueCopies(printer.printerName());
}

int MaxQueueCopies(const QString& queue)
{
    if (queue.isEmpty())
        return 1;
    const QByteArray name = queue.toUtf8();
    const std::unique_ptr<cups_dest_t, TDestDeleter> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr));
    if (!dest || !(PrinterType(*dest) & CUPS_PRINTER_COPIES))
        return 1;
    // The driver makes copies; the server says how many a job may ask for.
    const std::unique_ptr<cups_dinfo_t, TDestInfoDeleter> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info)
        return 1;
    ipp_attribute_t* supported = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest.get(), info.get(), CUPS_COPIES);
    if (!supported || ippGetValueTag(supported) != IPP_TAG_RANGE || ippGetCount(supported) < 1)
        return 1;
    int upper = 1;
    ippGetRange(supported, 0, &upper);
    return std::max(1, upper);
}

QMarginsF UnprintableMargins(const QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return layout.minimumMargins();
    // Setting the paper gives a printer's layout the device's printable area as its margins;
    // its minimum margins stay 0 for CUPS printers. The program never changes the margins.
    const QMarginsF margins = layout.margins();
    const QMarginsF minimum = layout.minimumMargins();
    return {std::max(margins.left(), minimum.left()), std::max(margins.top(), minimum.top()),
            std::max(margins.right(), minimum.right()), std::max(margins.bottom(), minimum.bottom())};
}
