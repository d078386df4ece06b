#pragma once
// A calendar file or style sheet as JSON, for `mvtool info` and `mvtool build`:
//
//   {"format": "calendar" or "style sheet", "version": 3,
//    "settings": {"CalendarLayout": "loFullCalendar", "TitleFont": {"Name": ..., "Size": 26, ...},
//                 "PageMonthNames": [12 names], "PageDayNames": [7 names, Sunday first], ...},
//    "date": {"year": 1997, "month": 1, "day": 0}, "startTime": "08:00", "userTitle": "",
//    "cells": [{"index": 5, "text": "plain text", "rtf": "{\\rtf1 ...}"}],
//    "objects": [{"class": "TGPLabel", "name": "Special1", "properties": {...}}]}
//
// Style sheets carry only the format, the version and the settings (without StartOfWeek). The
// page reads and writes the files and the property lists name the values, so what is shown is
// what the program reads, and building from what is shown writes the same bytes.
//
// Building starts from a new page: whatever the JSON leaves out keeps the page's default. A cell
// gives its text as RTF or as plain text (or both, when they agree); objects are created by
// their registered class names and set through their published properties. Any field that is
// unknown, of the wrong kind or out of range stops the build with EMervaneError naming it.

#include "tools/CalendarFile.h"

#include <QJsonObject>
#include <QString>

class TCalendarPanel32;

class TCalendarJson {
public:
    static QJsonObject Info(const QString& fileName);
    static void Build(const QJsonObject& json, const QString& fileName);

    // The same on a page.
    static QJsonObject PageToJson(TCalendarPanel32& page, const TCalendarFileHeader& header);
    // Sets a new page from `json`; returns the format to write it in.
    static TCalendarFileFormat JsonToPage(const QJsonObject& json, TCalendarPanel32& page);
};
