#pragma once
// The recurring dates file "MVRECUR.DAX": one record per line, lines ended by CR LF, read and
// written whole, in the data folder. Files of earlier versions are Windows-1252. A list with a
// record that Windows-1252 cannot hold is written as UTF-8 behind a byte order mark, so that no
// text is lost; the reader takes both, and UTF-8 without the mark as a text editor saves it.
// Also the one-time conversion of the older file "MVRECUR.DAT" (fixed dates only: MMDD, then the
// event text) at program start.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Records read, or why they could not be.
struct TRecurringDatesRead {
    QStringList Records;
    QString Error; // empty when read

    bool Ok() const { return Error.isEmpty(); }
};

// Files larger than this are refused rather than read whole (some hundred thousand records).
inline constexpr qint64 MaxRecurringDatesFileSize = 16 * 1024 * 1024;

// The records in a file's bytes. CR LF, LF and CR each end a line; a last line without an end
// counts. UTF-8 behind a byte order mark; without the mark, UTF-8 when the bytes are valid UTF-8
// with characters beyond ASCII, else Windows-1252. Fails on invalid UTF-8 behind the mark and on
// zero bytes, which no text file of records holds.
TRecurringDatesRead ParseRecurringDates(const QByteArray& bytes);
// The bytes of a file of `records`: each followed by CR LF; Windows-1252 when every record can
// be written so and the bytes read back as Windows-1252, else UTF-8 behind a byte order mark.
QByteArray EncodeRecurringDates(const QStringList& records);

// DataFolder() + "MVRECUR.DAX" and + "MVRECUR.DAT".
QString RecurringDatesFileName();
QString OldRecurringDatesFileName();

// A missing file is an empty list; a file that cannot be read or is damaged is an error.
TRecurringDatesRead ReadRecurringDatesFile(const QString& fileName);
// Writes the file atomically; empty when written, else why not (the old file is then whole).
QString WriteRecurringDatesFile(const QString& fileName, const QStringList& records);

// A line of the older file as a record: characters 5 to 154 as the event text in 120 columns,
// then "@" and characters 1 to 4 in 10 columns.
QString ConvertOldRecord(const QString& line);
// When `oldFileName` exists: its lines, converted, join the records of `fileName` (those already
// there, compared case-insensitively, are not added twice), the file is written and the old file
// deleted. Empty when done or there was nothing to do, else why not; a file that could not be
// read or written leaves both files as they were.
QString ConvertOldRecurringDates(const QString& oldFileName, const QString& fileName);
