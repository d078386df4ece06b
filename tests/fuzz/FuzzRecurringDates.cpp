// MVRECUR.DAX as the program reads it: the file read whole, then every record through the
// routines that read its formula, build its list text and find its days for a few months. A
// damaged file gives an error; nothing may fail otherwise, and what is read must write back and
// read again as the same records.

#include "FuzzSupport.h"
#include "recurring/RecurringFill.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"
#include "recurring/RecurringText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QString fileName = WriteFuzzInput(data, size, "MVRECUR.DAX");
    const TRecurringDatesRead read = ReadRecurringDatesFile(fileName);
    if (!read.Ok())
        return 0;
    for (const QString& record : read.Records) {
        RecordDisplayText(record);
        for (const auto& [year, month] :
             {std::pair{1, 1}, std::pair{2000, 2}, std::pair{2018, 3}, std::pair{9999, 12}}) {
            if (OfferedInMonth(record, year, month))
                FillOfRecord(record, year, month);
        }
    }
    const TRecurringDatesRead again = ParseRecurringDates(EncodeRecurringDates(read.Records));
    if (!again.Ok() || again.Records != read.Records)
        std::abort();
    return 0;
}
