#include "platformui/PrinterCopies.h"

#include <QPrinter>

#include <algorithm>

int ChosenCopies(const QPrinter& printer)
{
    return std::max(1, printer.copyCount());
}

int MaxDriverCopies(const QPrinter& printer)
{
    // Qt does not tell the driver's limit, only whether it makes copies itself.
    return printer.supportsMultipleCopies() ? 9999 : 1;
}
