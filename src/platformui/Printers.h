#pragma once
// The installed printers and the default printer, behind one query that tests can replace
// (a test machine has no printers, or whichever the test pretends).

#include <QString>
#include <QStringList>
#include <functional>

struct TPrinterQuery {
    std::function<QStringList()> InstalledPrinters;
    std::function<QString()> DefaultPrinter; // empty when none is chosen
};

// The query in force: the system's printers unless overridden.
const TPrinterQuery& Printers();

// Replaces the query; an empty query (both functions unset) returns to the system's.
void OverridePrinters(const TPrinterQuery& query);
