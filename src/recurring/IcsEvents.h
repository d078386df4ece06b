#pragma once
// Events of an iCalendar (.ics) file as day entries: the VEVENTs read through libical, their
// RRULE, RDATE and EXDATE expanded, times with a TZID converted to local time, an event that
// spans several days entered on each of them. Cancelled events, VTODO and VJOURNAL are skipped.
// A damaged file is one error naming the file and the line; nothing is read from it then.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// One event on one day: the local start time on the day the event starts at a time, none for
// all-day events and the further days of an event that spans several.
struct TIcsEntry {
    QDate Date;
    std::optional<QTime> Time;
    QString Summary;

    bool operator==(const TIcsEntry&) const = default;
};

struct TIcsRead {
    QList<TIcsEntry> Entries; // by date, then time (all-day first), then file order
    QString Error;            // empty when read

    bool Ok() const { return Error.isEmpty(); }
};

// Files larger than this are refused rather than read whole.
inline constexpr qint64 MaxIcsFileSize = 16 * 1024 * 1024;
// Occurrences the recurrence rules of one file may step through before the last day asked for;
// a rule that would take more (every second since year 1) is refused, so that reading ends soon.
inline constexpr int MaxIcsRecurrenceSteps = 500'000;

// The entries of the events in `bytes` that fall on days from `first` to `last`. `fileName`
// names the file in the error.
TIcsRead ParseIcsEvents(const QByteArray& bytes, const QString& fileName, const QDate& first, const QDate& last);
// Reads the file and parses it; a file that is missing, cannot be read or is too big is an error.
TIcsRead ReadIcsFile(const QString& fileName, const QDate& first, const QDate& last);

// The text an entry writes into its day cell: "9:30 AM Dentist" as the page's day planners show
// times, the summary alone without a time.
QString IcsEntryText(const TIcsEntry& entry);
