#include "recurring/RecurringText.h"

#include "recurring/RecurringRecord.h"

#include <QLocale>

#include <cstdlib>

namespace {

QString LongMonthName(int month)
{
    return QLocale().monthName(month, QLocale::LongFormat);
}

// `day` 1 = Sunday .. 7 = Saturday; Qt counts from Monday.
QString ShortDayName(int day)
{
    return QLocale().dayName(day == 1 ? 7 : day - 1, QLocale::ShortFormat);
}

} // namespace

QString DayOfMonthText(const QString& formula)
{
    const std::optional<TDayOfMonth> date = ParseDayOfMonth(formula);
    if (!date)
        return QString();
    return Ordinal(date->Day) + " of " + (date->Month == 0 ? QString("Each Month") : LongMonthName(date->Month));
}

QString SpecialText(const QString& formula)
{
    const std::optional<TSpecial> special = ParseSpecial(formula);
    if (!special)
        return QString();
    QString text = special->Occurrence == 5 ? QString("Last ") : Ordinal(special->Occurrence + 1) + " ";
    text += special->Weekday == 7 ? QString("Day ") : ShortDayName(special->Weekday + 1) + " of ";
    text += special->Month == 0 ? QString("Each Month") : LongMonthName(special->Month);
    return text;
}

QString WeekdaysText(const QString& formula)
{
    QStringList names;
    for (int day = 1; day <= 7; ++day) {
        if (WeekdayListed(formula, day))
            names += ShortDayName(day);
    }
    return names.join(u',');
}

QString EasterOffsetText(const TEasterOffset& offset)
{
    QString text = offset.Orthodox ? QString("Orthodox Easter") : QString("Easter");
    if (offset.Days == 0)
        return text;
    const int days = std::abs(offset.Days);
    // A true minus sign, as printed; the hyphen of the tag is only its spelling.
    text += offset.Days > 0 ? QString(" + ") : QString::fromUtf16(u" \u2212 ");
    return text + QString::number(days) + (days == 1 ? " day" : " days");
}

QString RecordDisplayText(const QString& record)
{
    const std::optional<QChar> kind = RecordKind(record);
    const QString formula = RecordFormula(record);
    QString formulaText;
    const QString tag = RecordTag(record);
    const std::optional<TEasterOffset> easter = kind == FeastKind ? ParseEasterTag(tag) : std::nullopt;
    if (easter && !IsFirstCatalogueTag(tag))
        formulaText = EasterOffsetText(*easter);
    else if (kind == DayOfMonthKind)
        formulaText = DayOfMonthText(formula);
    else if (kind == SpecialKind)
        formulaText = SpecialText(formula);
    else if (kind == WeekdaysKind)
        formulaText = WeekdaysText(formula);
    else
        return RecordEventText(record);
    return RecordEventText(record).trimmed() + " (" + formulaText + ")";
}
