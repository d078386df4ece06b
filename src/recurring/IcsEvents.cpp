#include "recurring/IcsEvents.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QTimeZone>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Components and properties may nest this deep; real files use three levels.
constexpr int MaxNesting = 16;
// Entries one file may make in the days asked for.
constexpr int MaxEntries = 1'000'000;

struct TIcsFailure {
    int Line;
    QString Message;
};

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponentPtr = std::unique_ptr<icalcomponent, TComponentFree>;

struct TIteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};

// The calendars of a file as libical components, with the line each property and component
// begins on, for the messages.
struct TParsedIcs {
    std::vector<TComponentPtr> Calendars;
    QHash<const void*, int> Lines;

    int LineOf(const void* item) const { return Lines.value(item, 0); }
};

bool IsValidTime(const icaltimetype& time)
{
    if (icaltime_is_null_time(time) || !QDate::isValid(time.year, time.month, time.day))
        return false;
    return time.is_date || (time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
                            time.second >= 0 && time.second <= 60);
}

// The date-time values of the properties whose dates the reader uses; libical takes the 30th of
// February and the 25th hour without complaint.
std::optional<QString> BadDateOf(icalproperty* property)
{
    switch (icalproperty_isa(property)) {
    case ICAL_DTSTART_PROPERTY:
    case ICAL_DTEND_PROPERTY:
    case ICAL_EXDATE_PROPERTY:
    case ICAL_RECURRENCEID_PROPERTY:
        if (!IsValidTime(icalproperty_get_datetime_with_component(property, nullptr)))
            return QString("not a valid date or time");
        return std::nullopt;
    case ICAL_RDATE_PROPERTY: {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(property);
        const icaltimetype start = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        if (!IsValidTime(start))
            return QString("not a valid date or time");
        return std::nullopt;
    }
    case ICAL_DURATION_PROPERTY:
        if (icaldurationtype_is_bad_duration(icalproperty_get_duration(property)))
            return QString("not a valid duration");
        return std::nullopt;
    case ICAL_RRULE_PROPERTY:
        if (icalproperty_get_rrule(property).freq == ICAL_NO_RECURRENCE)
            return QString("not a valid recurrence rule");
        return std::nullopt;
    default: return std::nullopt;
    }
}

// Logical lines of the file: physical lines (ended by CR LF or LF) with the folded lines that
// follow them (starting with a blank or a tab) joined on, each with the number of its first line.
struct TContentLine {
    QByteArray Text;
    int Line;
};

std::vector<TContentLine> ContentLines(const QByteArray& bytes)
{
    std::vector<TContentLine> lines;
    int number = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        start = end + 1;
        ++number;
        if (line.endsWith('\r'))
            line.chop(1);
        // libical would take a carriage return inside a line as the end of it.
        if (line.contains('\r'))
            throw TIcsFailure{number, "holds a carriage return inside the line"};
        if (line.contains('\0'))
            throw TIcsFailure{number, "holds a zero byte; this is not a text file"};
        // Invalid bytes come back as U+FFFD, so that the line is not the same.
        if (QString::fromUtf8(line).toUtf8() != line)
            throw TIcsFailure{number, "is not UTF-8 text"};
        if ((line.startsWith(' ') || line.startsWith('\t')) && !lines.empty())
            lines.back().Text += line.mid(1);
        else if (!line.isEmpty())
            lines.push_back({line, number});
    }
    return lines;
}

QString Quoted(const QByteArray& line)
{
    constexpr int Shown = 40;
    const QString text = QString::fromUtf8(line);
    return "\"" + (text.size() > Shown ? text.left(Shown) + "..." : text) + "\"";
}

// The properties of one content line as libical reads them (a list of dates is one property per
// date), taken out of the component they were read in; the caller owns them.
std::vector<icalproperty*> ReadProperties(const TContentLine& line)
{
    const QByteArray wrapped = "BEGIN:VEVENT\r\n" + line.Text + "\r\nEND:VEVENT\r\n";
    const TComponentPtr component(icalcomponent_new_from_string(wrapped.constData()));
    if (!component || icalcomponent_count_errors(component.get()) > 0 ||
        icalcomponent_count_components(component.get(), ICAL_ANY_COMPONENT) > 0)
        throw TIcsFailure{line.Line, "cannot read " + Quoted(line.Text)};
    std::vector<icalproperty*> properties;
    while (icalproperty* property = icalcomponent_get_first_property(component.get(), ICAL_ANY_PROPERTY)) {
        icalcomponent_remove_property(component.get(), property);
        properties.push_back(property);
    }
    return properties;
}

// Builds the components line by line, each property read by libical on its own, so that a
// line libical cannot read is named.
TParsedIcs ParseComponents(const QByteArray& bytes)
{
    TParsedIcs parsed;
    // A component joins its parent when it ends, complete: a VTIMEZONE is found by its TZID
    // only when it has one as it joins.
    struct TOpen {
        TComponentPtr Component;
        QByteArray Name;
        int Line;
    };
    std::vector<TOpen> open;
    for (const TContentLine& line : ContentLines(bytes)) {
        const QByteArray upper = line.Text.toUpper();
        if (upper.startsWith("BEGIN:")) {
            const QByteArray name = upper.mid(6).trimmed();
            if (open.empty() && name != "VCALENDAR")
                throw TIcsFailure{line.Line, "expected BEGIN:VCALENDAR"};
            if (open.size() >= MaxNesting)
                throw TIcsFailure{line.Line, "components nest too deep"};
            const icalcomponent_kind kind = icalcomponent_string_to_kind(name.constData());
            icalcomponent* component = kind == ICAL_NO_COMPONENT || kind == ICAL_X_COMPONENT
                                           ? icalcomponent_new_x(name.constData())
                                           : icalcomponent_new(kind);
            if (!component)
                throw TIcsFailure{line.Line, "cannot read " + Quoted(line.Text)};
            parsed.Lines.insert(component, line.Line);
            open.push_back({TComponentPtr(component), name, line.Line});
        } else if (upper.startsWith("END:")) {
            const QByteArray name = upper.mid(4).trimmed();
            if (open.empty())
                throw TIcsFailure{line.Line, "END:" + QString::fromUtf8(name) + " without its BEGIN"};
            if (name != open.back().Name) {
                throw TIcsFailure{line.Line, QString("END:%1 where BEGIN:%2 of line %3 is open")
                                                 .arg(QString::fromUtf8(name), QString::fromUtf8(open.back().Name))
                                                 .arg(open.back().Line)};
            }
            TComponentPtr ended = std::move(open.back().Component);
            open.pop_back();
            if (open.empty())
                parsed.Calendars.push_back(std::move(ended));
            else
                icalcomponent_add_component(open.back().Component.get(), ended.release());
        } else {
            if (open.empty())
                throw TIcsFailure{line.Line, "text outside BEGIN:VCALENDAR and END:VCALENDAR"};
            const std::vector<icalproperty*> properties = ReadProperties(line);
            for (icalproperty* property : properties) {
                icalcomponent_add_property(open.back().Component.get(), property);
                parsed.Lines.insert(property, line.Line);
            }
            for (icalproperty* property : properties) {
                if (const std::optional<QString> bad = BadDateOf(property))
                    throw TIcsFailure{line.Line, *bad + " in " + Quoted(line.Text)};
            }
        }
    }
    if (!open.empty())
        throw TIcsFailure{open.back().Line, "BEGIN:" + QString::fromUtf8(open.back().Name) + " is never ended"};
    if (parsed.Calendars.empty())
        throw TIcsFailure{1, "no BEGIN:VCALENDAR; this is not an iCalendar file"};
    return parsed;
}

// A start of an event: a day for all-day events, else a local date and time.
struct TStart {
    QDateTime Local; // invalid for all-day events
    QDate Day;
};

// `time` in the machine's local time: zoned times (UTC included) converted, floating times
// taken as they are.
TStart LocalStart(icaltimetype time)
{
    if (time.is_date)
        return {QDateTime(), QDate(time.year, time.month, time.day)};
    if (time.zone)
        time = icaltime_convert_to_zone(time, icaltimezone_get_utc_timezone());
    // A leap second is shown as the second before it.
    const QTime clock(time.hour, time.minute, std::min(time.second, 59));
    const QDate day(time.year, time.month, time.day);
    const QDateTime local = time.zone ? QDateTime(day, clock, Qt::UTC).toLocalTime() : QDateTime(day, clock);
    return {local, local.date()};
}

// libical steps such a rule through every hour, minute or second until one matches, without
// returning: a rule that never matches would keep it busy for hours. Rules without BY parts
// return each step and are bounded by the steps allowed.
bool RepeatsWithinDaysOnChosenParts(const icalrecurrencetype& rule)
{
    if (rule.freq != ICAL_SECONDLY_RECURRENCE && rule.freq != ICAL_MINUTELY_RECURRENCE &&
        rule.freq != ICAL_HOURLY_RECURRENCE)
        return false;
    for (const short* part : {rule.by_second, rule.by_minute, rule.by_hour, rule.by_month_day, rule.by_year_day,
                              rule.by_week_no, rule.by_month, rule.by_set_pos}) {
        if (part[0] != ICAL_RECURRENCE_ARRAY_MAX)
            return true;
    }
    return rule.by_day[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

class TEventExpander {
public:
    TEventExpander(const TParsedIcs& parsed, const QDate& first, const QDate& last)
        : m_Parsed(parsed)
        , m_First(first)
        , m_Last(last)
    {
    }

    // Enters the days of `event`'s occurrences, leaving out those at `replaced` (made by events
    // of the same UID with a RECURRENCE-ID).
    void Expand(icalcomponent* event, const QSet<QDateTime>& replaced);
    QList<TIcsEntry> TakeEntries() { return std::move(m_Entries); }

private:
    // The time of a date-time property, its zone looked up; an unknown TZID is an error.
    icaltimetype TimeOf(icalproperty* property, icalcomponent* event) const;
    void Enter(const TStart& start, qint64 length, const QString& summary);

    const TParsedIcs& m_Parsed;
    QDate m_First;
    QDate m_Last;
    int m_Steps = 0;
    QList<TIcsEntry> m_Entries;
};

icaltimetype TEventExpander::TimeOf(icalproperty* property, icalcomponent* event) const
{
    icaltimetype time = icalproperty_get_datetime_with_component(property, event);
    if (icalproperty_isa(property) == ICAL_RDATE_PROPERTY) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(property);
        const icaltimezone* zone = time.zone;
        time = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        time.zone = zone;
    }
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (tzid && !time.is_date && !time.zone) {
        throw TIcsFailure{m_Parsed.LineOf(property),
                          "unknown time zone " + QString::fromUtf8(icalparameter_get_tzid(tzid))};
    }
    return time;
}

// Identifies an occurrence for EXDATE and RECURRENCE-ID: its UTC time, or its day at midnight
// UTC for all-day events.
QDateTime OccurrenceKey(const TStart& start)
{
    return start.Local.isValid() ? start.Local.toUTC() : QDateTime(start.Day, QTime(0, 0), Qt::UTC);
}

void TEventExpander::Expand(icalcomponent* event, const QSet<QDateTime>& replaced)
{
    const QString summary = QString::fromUtf8(icalcomponent_get_summary(event)).trimmed();
    icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!dtstart)
        throw TIcsFailure{m_Parsed.LineOf(event), "an event without DTSTART"};
    if (summary.isEmpty())
        return;
    const icaltimetype startTime = TimeOf(dtstart, event);
    const TStart start = LocalStart(startTime);

    // The length: days for all-day events, else seconds.
    qint64 length = startTime.is_date ? 1 : 0;
    if (icalproperty* dtend = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
        const icaltimetype endTime = TimeOf(dtend, event);
        if (endTime.is_date != startTime.is_date)
            throw TIcsFailure{m_Parsed.LineOf(dtend), "DTEND must be a date when DTSTART is, else a date and time"};
        const TStart end = LocalStart(endTime);
        length = startTime.is_date ? start.Day.daysTo(end.Day) : start.Local.secsTo(end.Local);
        if (length < 0)
            throw TIcsFailure{m_Parsed.LineOf(dtend), "the event ends before it starts"};
    } else if (icalproperty* duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
        const int seconds = icaldurationtype_as_int(icalproperty_get_duration(duration));
        if (seconds < 0)
            throw TIcsFailure{m_Parsed.LineOf(duration), "a negative duration"};
        length = startTime.is_date ? std::max(1, seconds / 86400) : seconds;
    }

    QSet<QDateTime> excluded = replaced;
    for (icalproperty* exdate = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); exdate;
         exdate = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.insert(OccurrenceKey(LocalStart(TimeOf(exdate, event))));
    const auto enterUnlessExcluded = [&](const TStart& occurrence) {
        if (!excluded.contains(OccurrenceKey(occurrence)))
            Enter(occurrence, length, summary);
    };

    // Days before the first day asked for that an occurrence may start on and still reach it.
    const qint64 reach = startTime.is_date ? length : length / 86400 + 1;
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rrule) {
        enterUnlessExcluded(start);
    } else {
        const icalrecurrencetype rule = icalproperty_get_rrule(rrule);
        if (RepeatsWithinDaysOnChosenParts(rule)) {
            throw TIcsFailure{m_Parsed.LineOf(rrule),
                              "a rule repeating every hour, minute or second with BY parts is not supported"};
        }
        std::unique_ptr<icalrecur_iterator, TIteratorFree> iterator(icalrecur_iterator_new(rule, startTime));
        if (!iterator)
            throw TIcsFailure{m_Parsed.LineOf(rrule), "a recurrence rule that cannot be followed"};
        for (icaltimetype next = icalrecur_iterator_next(iterator.get()); !icaltime_is_null_time(next);
             next = icalrecur_iterator_next(iterator.get())) {
            if (++m_Steps > MaxIcsRecurrenceSteps) {
                throw TIcsFailure{m_Parsed.LineOf(rrule),
                                  "the recurrence rule repeats too often to reach " + m_Last.toString(Qt::ISODate)};
            }
            // Occurrences days before the first day asked for are passed without the cost of
            // converting their time: a rule may start centuries before it.
            if (QDate(next.year, next.month, next.day).daysTo(m_First) > reach + 2)
                continue;
            next.zone = startTime.zone;
            const TStart occurrence = LocalStart(next);
            if (occurrence.Day > m_Last)
                break;
            if (occurrence.Day.daysTo(m_First) <= reach)
                enterUnlessExcluded(occurrence);
        }
    }
    for (icalproperty* rdate = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); rdate;
         rdate = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
        enterUnlessExcluded(LocalStart(TimeOf(rdate, event)));
}

void TEventExpander::Enter(const TStart& start, qint64 length, const QString& summary)
{
    QDate lastDay = start.Day;
    if (!start.Local.isValid()) {
        lastDay = start.Day.addDays(std::max<qint64>(length, 1) - 1);
    } else if (length > 0) {
        // An event that ends at midnight ends on the day before.
        lastDay = start.Local.addSecs(length - 1).date();
    }
    const QDate from = std::max(start.Day, m_First);
    const QDate to = std::min(lastDay, m_Last);
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        if (m_Entries.size() >= MaxEntries)
            throw TIcsFailure{0, "more events than a calendar can show"};
        std::optional<QTime> time;
        if (start.Local.isValid() && day == start.Day)
            time = start.Local.time();
        m_Entries.append({day, time, summary});
    }
}

} // namespace

TIcsRead ParseIcsEvents(const QByteArray& bytes, const QString& fileName, const QDate& first, const QDate& last)
{
    icalerror_set_errors_are_fatal(0);
    TIcsRead read;
    try {
        const TParsedIcs parsed = ParseComponents(bytes);
        TEventExpander expander(parsed, first, last);
        for (const TComponentPtr& calendar : parsed.Calendars) {
            // Occurrences that events with a RECURRENCE-ID replace, by UID.
            QHash<QString, QSet<QDateTime>> replaced;
            std::vector<icalcomponent*> events;
            for (icalcomponent* event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT); event;
                 event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
                events.push_back(event);
                if (icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
                    const QString uid = QString::fromUtf8(icalcomponent_get_uid(event));
                    replaced[uid].insert(
                        OccurrenceKey(LocalStart(icalproperty_get_datetime_with_component(id, event))));
                }
            }
            for (icalcomponent* event : events) {
                if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
                    continue;
                const bool replacement = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
                const QString uid = QString::fromUtf8(icalcomponent_get_uid(event));
                expander.Expand(event, replacement ? QSet<QDateTime>() : replaced.value(uid));
            }
        }
        read.Entries = expander.TakeEntries();
    } catch (const TIcsFailure& failure) {
        read.Error = failure.Line > 0 ? QString("%1, line %2: %3").arg(fileName).arg(failure.Line).arg(failure.Message)
                                      : QString("%1: %2").arg(fileName, failure.Message);
        return read;
    }
    std::stable_sort(read.Entries.begin(), read.Entries.end(), [](const TIcsEntry& a, const TIcsEntry& b) {
        if (a.Date != b.Date)
            return a.Date < b.Date;
        if (a.Time.has_value() != b.Time.has_value())
            return !a.Time.has_value();
        return a.Time.has_value() && *a.Time < *b.Time;
    });
    return read;
}

TIcsRead ReadIcsFile(const QString& fileName, const QDate& first, const QDate& last)
{
    TIcsRead read;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        read.Error = QString("Cannot open file %1: %2").arg(fileName, file.errorString());
        return read;
    }
    if (file.size() > MaxIcsFileSize) {
        read.Error = QString("%1: larger than %2 MB; not read").arg(fileName).arg(MaxIcsFileSize / (1024 * 1024));
        return read;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.Error = QString("Cannot read file %1: %2").arg(fileName, file.errorString());
        return read;
    }
    return ParseIcsEvents(bytes, fileName, first, last);
}

QString IcsEntryText(const TIcsEntry& entry)
{
    if (!entry.Time)
        return entry.Summary;
    // The form of the page's day planner times: the hour of a 12-hour clock and the locale's
    // AM and PM texts.
    return QLocale().toString(*entry.Time, "h:mm AP") + " " + entry.Summary;
}
