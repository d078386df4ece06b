#pragma once
// What only a real printer knows, for the print command: the copies the user chose in the
// printer's settings, how many the printer's driver makes by itself, and the printer's
// unprintable margins. They need a QPrinter, which the print command owns and hands to the
// report (print/ReportPrinter.h) as its device; the job's copy count is set on the printer itself
// (QPrinter::setCopyCount).

#include <QMarginsF>
#include <QString>

class QPrinter;

// The copies chosen in the printer's settings, at least 1.
int ChosenCopies(const QPrinter& printer);
// The largest number of copies the driver makes by itself (1 when it cannot). A printer that
// writes a file (PDF) makes none: the program sends each copy itself.
int MaxDriverCopies(const QPrinter& printer);
// The same for the CUPS queue `queue`: the copies its driver makes (the queue's printer-type
// says whether it makes copies, copies-supported up to how many); 1 when the queue is unknown or
// its server cannot be reached.
int MaxQueueCopies(const QString& queue);

// The printer's unprintable margins in inches on its current paper and orientation; none for a
// printer that writes a file.
QMarginsF UnprintableMargins(const QPrinter& printer);
