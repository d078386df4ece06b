#pragma once
// Prints a calendar on the print engine: the same elements and proportions as the screen
// drawing, in printer device units, with the printer's own rules: texts shortened to fit their
// box, titles and headers centred on 1.4 line heights, each cell outlined on its own, and day
// numbers at the top of the cells. The routines write the cell geometry (device units) into the
// record.

#include "calendar/CalendarDrawRecord.h"

class TReportPrinter;

void PrintMonth(TReportPrinter& report, TCalendarDrawRecord& record, const QString& titleOverride);
void PrintWeekPlanner(TReportPrinter& report, TCalendarDrawRecord& record, const QString& titleOverride);
void PrintDayPlanner(TReportPrinter& report, TCalendarDrawRecord& record, const QString& titleOverride);

// `text` cut one character at a time from its end until it is at most `width` inches wide in
// the report's current font.
QString FitText(const TReportPrinter& report, const QString& text, double width);
