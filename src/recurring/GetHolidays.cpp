#include "recurring/GetHolidays.h"

#include "recurring/HolidayCatalogue.h"
#include "recurring/RecordOrder.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringRecord.h"

#include <algorithm>

TGetHolidays::TGetHolidays(QWidget* parent)
    : TTickListDialog("Holidays", QSize(417, 273), {"Holidays", "AllButton", "nonebutton"}, parent)
{
    QStringList records = HolidayCatalogue();
    std::stable_sort(records.begin(), records.end(), TRecordOrder());
    List().SetRecords(records);
}
