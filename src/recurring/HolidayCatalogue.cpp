#include "recurring/HolidayCatalogue.h"

#include "recurring/RecurringRecord.h"

QStringList HolidayCatalogue()
{
    static const struct {
        const char* EventText;
        const char* Formula;
    } holidays[] = {
        {"April Fools's Day", "@0401"},
        {"Armed Forces Day", "$2 6 5"},
        {"Christmas Day", "@1225"},
        {"Daylight Savings time begins", "$0 0 4"},
        {"Daylight Savings Time ends", "$5 0 10"},
        {"Easter", "#EASTER"},
        {"Father's Day", "$2 0 6"},
        {"Flag Day", "@0614"},
        {"Good Friday", "#GOODFRIDAY"},
        {"Groundhog Day", "@0202"},
        {"Halloween", "@1031"},
        {"Independence Day", "@0704"},
        {"Labor Day", "$0 1 9"},
        {"Lincoln's Birthday", "@0212"},
        {"Martin Luther King Day", "$2 1 1"},
        {"Memorial Day", "$5 1 5"},
        {"Mother's Day", "$1 0 5"},
        {"New Year's Day", "@0101"},
        {"Palm Sunday", "#PALMSUNDAY"},
        {"President's Day", "$2 1 2"},
        {"St. Patrick's Day", "@0317"},
        {"Thanksgiving Day", "$3 4 11"},
        {"United Nations Day", "@1024"},
        {"Valentine's Day", "@0214"},
        {"Veterans Day", "@1111"},
        {"Washington's Birthday", "@0222"},
    };
    QStringList records;
    for (const auto& holiday : holidays) {
        const QString formula = holiday.Formula;
        // The tags are kept whole, the longest running past the formula's ten columns.
        if (formula.startsWith(FeastKind))
            records += PadField(holiday.EventText, EventTextWidth) + formula;
        else
            records += MakeRecord(holiday.EventText, formula);
    }
    return records;
}
