#include "platformui/Printers.h"

#include <QPrinterInfo>

namespace {

TPrinterQuery SystemPrinters()
{
    return {
        [] { return QPrinterInfo::availablePrinterNames(); },
        [] { return QPrinterInfo::defaultPrinterName(); },
    };
}

TPrinterQuery g_Override;

} // namespace

const TPrinterQuery& Printers()
{
    static const TPrinterQuery system = SystemPrinters();
    return g_Override.InstalledPrinters ? g_Override : system;
}

void OverridePrinters(const TPrinterQuery& query)
{
    g_Override = query;
}
