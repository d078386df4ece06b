#pragma once
// Calendar files and style sheets as mvtool opens them: told apart by their header (a calendar
// file starts with its version and the value 1, a style sheet with 1 and 2) and read into a page
// through the page's own loading, so that a damaged file fails with the error the program shows.

#include "calendar/CalendarTypes.h"

#include <QString>

class TCalendarPanel32;

enum class TCalendarFileFormat { Calendar, StyleSheet };

struct TCalendarFileHeader {
    TCalendarFileFormat Format = TCalendarFileFormat::Calendar;
    int Version = CalendarFileVersion;
};

class TCalendarFile {
public:
    // Fails with the stream's error when the file cannot be opened or does not start as either.
    static TCalendarFileHeader ReadHeader(const QString& fileName);

    // Reads `fileName` into `page`, laid out and with its objects attached as the program shows
    // them. Objects keep the names the file gives them.
    static TCalendarFileHeader Load(TCalendarPanel32& page, const QString& fileName);

    // Writes the page as a calendar file or a style sheet, in the current version.
    static void Save(TCalendarPanel32& page, TCalendarFileFormat format, const QString& fileName);
};
