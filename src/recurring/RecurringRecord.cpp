#include "recurring/RecurringRecord.h"

#include <cstdlib>

namespace {

// A piece of a formula, characters `from` to `to` (1-based), trimmed and read as a signed
// decimal integer.
std::optional<int> FormulaNumber(const QString& formula, int from, int to)
{
    const QString piece = formula.mid(from - 1, to - from + 1).trimmed();
    int start = 0;
    if (piece.startsWith(u'+') || piece.startsWith(u'-'))
        start = 1;
    // Two characters at most: no overflow to guard against, but the digits are checked, since
    // toInt would also take forms (blanks inside, other digit sets) that are not decimal numbers.
    if (piece.size() == start)
        return std::nullopt;
    for (int i = start; i < piece.size(); ++i) {
        if (piece[i] < u'0' || piece[i] > u'9')
            return std::nullopt;
    }
    return piece.toInt();
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

QString PadField(const QString& text, int width)
{
    QString field = text.left(width);
    // A cut between the two halves of a surrogate pair would leave half a character.
    if (field.size() == width && width > 0 && text.size() > width && field.back().isHighSurrogate())
        field.chop(1);
    return field.leftJustified(width, u' ');
}

QString MakeRecord(const QString& eventText, const QString& formula)
{
    // The tags are kept as the catalogue writes them: whole (up to column 131) and unpadded.
    if (formula.startsWith(FeastKind))
        return PadField(eventText, EventTextWidth) + formula.left(TagWidth);
    return PadField(eventText, EventTextWidth) + PadField(formula, FormulaWidth);
}

std::optional<QChar> RecordKind(const QString& record)
{
    if (record.size() <= EventTextWidth)
        return std::nullopt;
    return record[EventTextWidth];
}

QString RecordEventText(const QString& record)
{
    return record.left(EventTextWidth);
}

QString RecordFormula(const QString& record)
{
    return record.mid(EventTextWidth, FormulaWidth);
}

QString RecordTag(const QString& record)
{
    return record.mid(EventTextWidth, TagWidth).trimmed().toUpper();
}

QString MakeDayOfMonthFormula(int day, int month)
{
    return QString("@%1%2").arg(month, 2, 10, QChar(u'0')).arg(day, 2, 10, QChar(u'0'));
}

QString MakeSpecialFormula(int occurrence, int weekday, int month)
{
    if (!InRange(occurrence, 0, 5) || !InRange(weekday, 0, 7) || !InRange(month, 0, 12))
        return QString();
    return "$" + PadField(QString::number(occurrence), 2) + PadField(QString::number(weekday), 2) +
           PadField(QString::number(month), 2);
}

std::optional<TDayOfMonth> ParseDayOfMonth(const QString& formula)
{
    const std::optional<int> month = FormulaNumber(formula, 2, 3);
    const std::optional<int> day = FormulaNumber(formula, 4, 5);
    if (!month || !day || !InRange(*month, 0, 12) || !InRange(*day, 1, 31))
        return std::nullopt;
    return TDayOfMonth{*day, *month};
}

std::optional<TSpecial> ParseSpecial(const QString& formula)
{
    const std::optional<int> occurrence = FormulaNumber(formula, 2, 3);
    const std::optional<int> weekday = FormulaNumber(formula, 4, 5);
    const std::optional<int> month = FormulaNumber(formula, 6, 7);
    if (!occurrence || !weekday || !month || !InRange(*occurrence, 0, 5) || !InRange(*weekday, 0, 7) ||
        !InRange(*month, 0, 12))
        return std::nullopt;
    return TSpecial{*occurrence, *weekday, *month};
}

std::optional<TEasterOffset> ParseEasterTag(const QString& tag)
{
    if (tag == GoodFridayTag)
        return TEasterOffset{false, -2};
    if (tag == PalmSundayTag)
        return TEasterOffset{false, -7};
    for (const bool orthodox : {false, true}) {
        const QString base = orthodox ? OrthodoxEasterTag : EasterTag;
        if (!tag.startsWith(base))
            continue;
        const QString offset = tag.mid(base.size());
        if (offset.isEmpty())
            return TEasterOffset{orthodox, 0};
        // A sign and one or two digits; "+0" or "-00" are not written but read as Easter itself.
        if (offset.size() < 2 || offset.size() > 3 || (offset[0] != u'+' && offset[0] != u'-'))
            return std::nullopt;
        for (int i = 1; i < offset.size(); ++i) {
            if (offset[i] < u'0' || offset[i] > u'9')
                return std::nullopt;
        }
        return TEasterOffset{orthodox, offset.toInt()};
    }
    return std::nullopt;
}

QString MakeEasterFormula(const TEasterOffset& offset)
{
    if (!InRange(offset.Days, -MaxEasterOffset, MaxEasterOffset))
        return QString();
    const QString base = offset.Orthodox ? OrthodoxEasterTag : EasterTag;
    if (offset.Days == 0)
        return base;
    return base + (offset.Days > 0 ? u'+' : u'-') + QString::number(std::abs(offset.Days));
}

bool IsFirstCatalogueTag(const QString& tag)
{
    return tag == EasterTag || tag == GoodFridayTag || tag == PalmSundayTag;
}

bool WeekdayListed(const QString& formula, int day)
{
    return InRange(day, 1, 7) && formula.mid(1, FormulaWidth - 1).contains(QChar(u'0' + day));
}

QString Ordinal(int n)
{
    const int lastTwo = std::abs(n) % 100;
    if (lastTwo >= 11 && lastTwo <= 19)
        return QString::number(n) + "th";
    switch (std::abs(n) % 10) {
    case 1: return QString::number(n) + "st";
    case 2: return QString::number(n) + "nd";
    case 3: return QString::number(n) + "rd";
    default: return QString::number(n) + "th";
    }
}
