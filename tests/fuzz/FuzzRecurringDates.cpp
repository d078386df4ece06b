// Feeds arbitrary bytes to the reader of the recurring dates file, and every record it gives
// to the routines that read formulas and build the list texts.

#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"
#include "recurring/RecurringText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    if (!read.Ok())
        return 0;
    for (const QString& record : read.Records) {
        RecordDisplayText(record);
        RecordTag(record);
        const QString formula = RecordFormula(record);
        ParseDayOfMonth(formula);
        ParseSpecial(formula);
    }
    // What was read writes back and reads again as the same records.
    const TRecurringDatesRead again = ParseRecurringDates(EncodeRecurringDates(read.Records));
    if (!again.Ok() || again.Records != read.Records)
        std::abort();
    return 0;
}
