#include "calendar/CalendarPrinting.h"

#include "calendar/CalendarDates.h"
#include "calendar/CalendarDrawing.h"
#include "calendar/PlannerLabels.h"
#include "platform/Lines.h"
#include "platform/TextFit.h"
#include "print/ReportPrinter.h"

#include <algorithm>
#include <cmath>

namespace {

void SelectFont(TReportPrinter& report, const TDrawFont& font)
{
    report.SetFont(font.Name, font.Size, font.Style & FontStyleBit(fsBold), font.Style & FontStyleBit(fsItalic),
                   font.Style & FontStyleBit(fsUnderline), ColorToQColor(font.Color));
}

void UseBlackPen(TReportPrinter& report)
{
    report.SetPen(Qt::black, Qt::SolidLine, 1);
}

// MoveTo (x1, y1), LineTo (x2, y2): the end point stays undrawn.
void Line(TReportPrinter& report, int x1, int y1, int x2, int y2)
{
    DrawLine(report.Canvas(), {x1, y1}, {x2, y2});
}

void Fill(TReportPrinter& report, const TRect& rect, TColor color)
{
    if (!rect.IsEmpty())
        report.FillDeviceRect(rect.ToQRect(), ColorToQColor(color));
}

// Lines of one border style around a device rectangle.
void PrintBorder(TReportPrinter& report, const TRect& r, TCalBorderStyle style)
{
    UseBlackPen(report);
    if (style == cbAll) {
        // Round the rectangle: each line starts where the last one left its end undrawn.
        Line(report, r.Left, r.Top, r.Right, r.Top);
        Line(report, r.Right, r.Top, r.Right, r.Bottom);
        Line(report, r.Right, r.Bottom, r.Left, r.Bottom);
        Line(report, r.Left, r.Bottom, r.Left, r.Top);
        return;
    }
    if (style == cbTop || style == cbTopBottom)
        Line(report, r.Left, r.Top, r.Right, r.Top);
    if (style == cbBottom || style == cbTopBottom)
        Line(report, r.Left, r.Bottom, r.Right, r.Bottom);
}

// Centred horizontally in the rectangle and vertically on a box of 1.4 line heights centred in
// it, shortened to fit its width.
void PrintCentredText(TReportPrinter& report, const TRect& rect, const QString& text)
{
    const double dpiX = report.XDPI(), dpiY = report.YDPI();
    const QString fitted = FitText(report, text, rect.Width() / dpiX);
    if (fitted.isEmpty())
        return;
    const double lineHeight = report.LineHeight();
    const double box = 1.4 * lineHeight;
    const double boxTop = (rect.Top + rect.Bottom) / 2.0 / dpiY - box / 2;
    report.PrintCenter((rect.Left + rect.Right) / 2.0 / dpiX, boxTop + (box - lineHeight) / 2, fitted);
}

// Centred horizontally at the top of the rectangle.
void PrintTopCentredText(TReportPrinter& report, const TRect& rect, const QString& text)
{
    const QString fitted = FitText(report, text, rect.Width() / double(report.XDPI()));
    if (!fitted.isEmpty())
        report.PrintCenter((rect.Left + rect.Right) / 2.0 / report.XDPI(), rect.Top / double(report.YDPI()), fitted);
}

void PrintPlannerRows(TReportPrinter& report, TCalendarDrawRecord& record, int rowCount, const TPlannerLabels& labels)
{
    const TRect full = record.CalendarRect;
    const int l = full.Left, t = full.Top, r = full.Right - 1, b = full.Bottom - 1;
    Fill(report, full, record.BackgroundColor);

    SelectFont(report, record.TitleFont);
    const int titleBand = int(1.6 * report.LineHeight() * report.YDPI());
    record.TitleRect = {l + 5, t + 1, r - 5, t + 1 + titleBand};
    PrintTopCentredText(report, record.TitleRect, labels.Title);

    const int top = record.TitleRect.Bottom + 1;
    UseBlackPen(report);
    report.Canvas().setBrush(Qt::NoBrush);
    DrawRectangle(report.Canvas(), {l, top, r, b});
    const int rh = (b - top) / rowCount;
    const int xc = l + int(0.15 * (r - l));
    if (record.HeadersBGColor != clWhite)
        Fill(report, {l + 1, top + 1, xc, b - 1}, record.HeadersBGColor);

    SelectFont(report, record.HeadersFont);
    for (int k = 0; k < rowCount; ++k) {
        const int y0 = top + rh * k + 1;
        PrintCentredText(report, {l + 1, y0, xc, y0 + rh / 2}, labels.Upper.value(k));
        PrintCentredText(report, {l + 1, y0 + rh / 2, xc, y0 + 2 * (rh / 2)}, labels.Lower.value(k));
    }

    UseBlackPen(report);
    Line(report, xc, top, xc, b);
    for (int k = 1; k < rowCount; ++k)
        Line(report, l, top + rh * k, r, top + rh * k);

    // Cell insets are 4 screen pixels, scaled to the printer.
    const int inset = std::max(1, 4 * report.XDPI() / 96);
    for (int k = 0; k < rowCount && k < CellCount; ++k) {
        TCellRecord& cell = record.Cells[k];
        cell.Free = {xc + inset, top + rh * k + inset, r - inset,
                     k == rowCount - 1 ? b - inset : top + rh * (k + 1) - inset};
        cell.Whole = cell.Free;
        cell.Day = PlannerRowDay(labels.Lower.value(k));
    }
}

} // namespace

QString FitText(const TReportPrinter& report, const QString& text, double width)
{
    const qsizetype most = qsizetype(std::ceil(std::max(width, 0.0) * report.XDPI())) + 1;
    return FittingPrefix(text, width, most, [&report](const QString& part) { return report.TextWidth(part); });
}

void PrintMonth(TReportPrinter& report, TCalendarDrawRecord& record, const QString& titleOverride)
{
    const int pos = FirstDayPosition(record.Month, record.Year, record.StartOfWeek);
    const int days = DaysInMonth(record.Month, record.Year);
    const TRect full = record.CalendarRect;
    const int l = full.Left, t = full.Top, r = full.Right - 1, b = full.Bottom - 1;
    const int dpiX = report.XDPI(), dpiY = report.YDPI();

    Fill(report, full, record.BackgroundColor);

    // Title band; a white title background is the paper itself.
    const int titleHeight = std::max(int(0.17 * (b - t)), record.MinTitleHeight);
    const int tb = t + 1 + titleHeight;
    if (record.TitleBGColor != clWhite)
        Fill(report, {l, t + 1, r, tb + 1}, record.TitleBGColor);
    record.TitleRect = {l, t + 1, r, tb};
    SelectFont(report, record.TitleFont);
    PrintCentredText(report, record.TitleRect, MonthTitle(record, titleOverride));

    // Day-name headers.
    const int cw = (r - l) / 7;
    SelectFont(report, record.HeadersFont);
    const int ht = tb + 1;
    const int hb = ht + int(1.5 * report.LineHeight() * dpiY);
    record.DaysHeaderRect = {l, ht, r, hb};
    Fill(report, {l, ht, r, hb + 1}, record.HeadersBGColor);
    PrintBorder(report, record.DaysHeaderRect, record.HeadersBorder);
    for (int c = 0; c < 7; ++c) {
        const QString name = record.DayName(DayNameIndexOfColumn(c, record.StartOfWeek));
        PrintCentredText(report, {l + c * cw + 1, ht, l + c * cw + cw - 1, hb}, HeaderText(name, record.HeadersStyle));
    }

    // Cells: each outlined on its own, numbers at the top.
    const int dt = hb;
    const int rh = (b - dt) / 6;
    SelectFont(report, record.CellFont);
    const bool upperRight = record.NumberPosition == cnpUpperRight;
    const int numberBand = int((report.LineHeight() + report.Descent()) * dpiY);
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 7; ++j) {
            const TRect outline{l + j * cw, dt + i * rh, j == 6 ? r : l + (j + 1) * cw, i == 5 ? b : dt + (i + 1) * rh};
            PrintBorder(report, outline, record.CellBorder);

            TRect square{l + j * cw + 1, dt + i * rh + 1, l + j * cw + cw - 1, dt + i * rh + rh - 1};
            int n = 7 * i + j + 2 - pos;
            if (n < 1 || n > days)
                n = 0;
            if (n > 0) {
                const QString number = QString::number(n);
                if (upperRight)
                    report.PrintRight(square.Right / double(dpiX) - 0.05, square.Top / double(dpiY), number);
                else
                    PrintTopCentredText(report, square, number);
            }
            record.Cells[7 * i + j] = TCellRecord::MonthCell(square, n, upperRight, numberBand);
        }
    }

    PrintBorder(report, {l, t, r, b}, record.CalendarBorder);
}

void PrintWeekPlanner(TReportPrinter& report, TCalendarDrawRecord& record, const QString& titleOverride)
{
    PrintPlannerRows(report, record, record.PlannerDays + 1, WeekPlannerLabels(record, titleOverride));
}

void PrintDayPlanner(TReportPrinter& report, TCalendarDrawRecord& record, const QString& titleOverride)
{
    PrintPlannerRows(report, record, record.PlannerRows + 1, DayPlannerLabels(record, titleOverride));
}
