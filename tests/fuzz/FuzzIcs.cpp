// An iCalendar file as `mvtool year` and "Import Events (.ics)..." read it: the file read whole,
// its events expanded over a year. A damaged file gives an error; nothing may fail otherwise, and
// every entry read lies in the year, on a day its event gives.

#include "FuzzSupport.h"
#include "recurring/IcsEvents.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QString fileName = WriteFuzzInput(data, size, "events.ics");
    const QDate first(2027, 1, 1);
    const QDate last(2027, 12, 31);
    const TIcsRead read = ReadIcsFile(fileName, first, last);
    if (!read.Ok()) {
        if (read.Entries.isEmpty())
            return 0;
        std::abort();
    }
    for (const TIcsEntry& entry : read.Entries) {
        if (!entry.Date.isValid() || entry.Date < first || entry.Date > last || entry.Summary.isEmpty())
            std::abort();
        IcsEntryText(entry);
    }
    return 0;
}
