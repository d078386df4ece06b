#include "calendar/CalendarDrawing.h"

#include "calendar/CalendarDates.h"
#include "calendar/PlannerLabels.h"
#include "platform/Lines.h"
#include "platform/ScreenPpi.h"
#include "platform/TextFit.h"

#include <QPainter>

namespace {

void SelectFont(QPainter& canvas, const TDrawFont& font)
{
    canvas.setFont(ScreenFont(font));
    canvas.setPen(ColorToQColor(font.Color));
}

// The height of a line of text in the canvas's font: what measuring a sample string gives.
int TextHeight(const QPainter& canvas)
{
    return QFontMetrics(canvas.font()).height();
}

// Single-line text clipped to `rect`, placed by DrawText-style flags; the background stays.
void DrawText(QPainter& canvas, const TRect& rect, const QString& text, unsigned flags)
{
    if (rect.IsEmpty())
        return;
    int alignment = Qt::TextSingleLine;
    alignment |= (flags & DT_CENTER) ? Qt::AlignHCenter : (flags & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    alignment |= (flags & DT_VCENTER) ? Qt::AlignVCenter : (flags & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    canvas.save();
    canvas.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    const TLineAnchor anchor = (flags & DT_CENTER)  ? TLineAnchor::Middle
                               : (flags & DT_RIGHT) ? TLineAnchor::End
                                                    : TLineAnchor::Start;
    canvas.drawText(rect.ToQRect(), alignment, VisibleLine(text, rect.Width(), anchor));
    canvas.restore();
}

void FillRect(QPainter& canvas, const TRect& rect, TColor color)
{
    if (!rect.IsEmpty())
        canvas.fillRect(rect.ToQRect(), ColorToQColor(color));
}

// MoveTo (x1, y1), LineTo (x2, y2): the end point stays undrawn.
void Line(QPainter& canvas, int x1, int y1, int x2, int y2)
{
    DrawLine(canvas, {x1, y1}, {x2, y2});
}

void UseBlackPen(QPainter& canvas)
{
    canvas.setPen(QPen(Qt::black, 0)); // the thinnest line: one device pixel
}

} // namespace

QFont ScreenFont(const TDrawFont& font)
{
    TFont described;
    described.SetName(font.Name);
    described.SetSize(font.Size);
    described.SetStyle(font.Style);
    return described.ToQFont();
}

void DrawBorder(QPainter& canvas, const TRect& r, TCalBorderStyle style)
{
    UseBlackPen(canvas);
    if (style == cbAll) {
        // Round the rectangle: each line starts where the last one left its end undrawn.
        Line(canvas, r.Left, r.Top, r.Right, r.Top);
        Line(canvas, r.Right, r.Top, r.Right, r.Bottom);
        Line(canvas, r.Right, r.Bottom, r.Left, r.Bottom);
        Line(canvas, r.Left, r.Bottom, r.Left, r.Top);
        return;
    }
    if (style == cbTop || style == cbTopBottom)
        Line(canvas, r.Left, r.Top, r.Right, r.Top);
    if (style == cbBottom || style == cbTopBottom)
        Line(canvas, r.Left, r.Bottom, r.Right, r.Bottom);
}

QString MonthTitle(const TCalendarDrawRecord& record, const QString& titleOverride)
{
    if (!titleOverride.isEmpty())
        return titleOverride;
    if (record.TitleShowYear)
        return record.MonthName(record.Month) + " " + QString::number(record.Year);
    return record.MonthName(record.Month);
}

void DrawMonth(QPainter& canvas, TCalendarDrawRecord& record, const QString& titleOverride)
{
    const int pos = FirstDayPosition(record.Month, record.Year, record.StartOfWeek);
    const int days = DaysInMonth(record.Month, record.Year);
    const TRect full = record.CalendarRect;
    const int l = full.Left, t = full.Top, r = full.Right - 1, b = full.Bottom - 1;

    FillRect(canvas, full, record.BackgroundColor);
    FillRect(canvas, {l, t, r, b}, record.BackgroundColor);

    // Title band.
    const int titleHeight = std::max(int(0.17 * (b - t)), record.MinTitleHeight);
    const int tb = t + 1 + titleHeight;
    FillRect(canvas, {l, t + 1, r, tb + 1}, record.TitleBGColor);
    record.TitleRect = {l, t + 1, r, tb};
    SelectFont(canvas, record.TitleFont);
    DrawText(canvas, record.TitleRect, MonthTitle(record, titleOverride),
             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    // Day-name headers.
    const int cw = (r - l) / 7;
    SelectFont(canvas, record.HeadersFont);
    const int fontHeight = std::abs(MulDiv(record.HeadersFont.Size, ScreenPpi(), 72));
    const int ht = tb + 1;
    const int hb = ht + int(1.5 * fontHeight);
    record.DaysHeaderRect = {l, ht, r, hb};
    FillRect(canvas, {l, ht, r, hb + 1}, record.HeadersBGColor);
    DrawBorder(canvas, record.DaysHeaderRect, record.HeadersBorder);
    SelectFont(canvas, record.HeadersFont);
    for (int c = 0; c < 7; ++c) {
        const QString name = record.DayName(DayNameIndexOfColumn(c, record.StartOfWeek));
        DrawText(canvas, {l + c * cw + 1, ht, l + c * cw + cw - 1, hb}, HeaderText(name, record.HeadersStyle),
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    // Cell lines.
    const int dt = hb;
    const int rh = (b - dt) / 6;
    UseBlackPen(canvas);
    if (record.CellBorder != cbNone) {
        const int i0 = record.CellBorder == cbBottom ? 1 : 0;
        const int i1 = record.CellBorder == cbTop ? 5 : 6;
        for (int i = i0; i <= i1; ++i) {
            const int y = i == 6 ? b : dt + rh * i;
            Line(canvas, l, y, r, y);
        }
        if (record.CellBorder == cbAll) {
            for (int j = 0; j <= 7; ++j) {
                const int x = j == 7 ? r : l + cw * j;
                Line(canvas, x, dt, x, b);
            }
        }
    }

    // Day numbers and cell records.
    SelectFont(canvas, record.CellFont);
    const bool upperRight = record.NumberPosition == cnpUpperRight;
    const unsigned numberFlags =
        upperRight ? (DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX) : (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const int numberHeight = TextHeight(canvas);
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 7; ++j) {
            TRect square{l + j * cw + 1, dt + i * rh + 1, l + j * cw + cw - 1, dt + i * rh + rh - 1};
            if (upperRight) {
                square.Left += 4;
                square.Right -= 5;
            }
            int n = 7 * i + j + 2 - pos;
            if (n >= 1 && n <= days)
                DrawText(canvas, square, QString::number(n), numberFlags);
            else
                n = 0;
            record.Cells[7 * i + j] = TCellRecord::MonthCell(square, n, upperRight, numberHeight);
        }
    }

    DrawBorder(canvas, {l, t, r, b}, record.CalendarBorder);
}

int PlannerRowDay(const QString& lowerLabel)
{
    bool ok = false;
    const int day = lowerLabel.left(2).trimmed().toInt(&ok);
    return ok ? day : 0;
}

void DrawPlannerRows(QPainter& canvas, TCalendarDrawRecord& record, int rowCount, const QStringList& upper,
                     const QStringList& lower, const QString& title)
{
    const TRect full = record.CalendarRect;
    const int l = full.Left, t = full.Top, r = full.Right - 1, b = full.Bottom - 1;
    FillRect(canvas, full, record.BackgroundColor);
    FillRect(canvas, {l, t, r, b}, record.BackgroundColor);

    SelectFont(canvas, record.TitleFont);
    record.TitleRect = {l + 5, t + 1, r - 5, t + 1 + TextHeight(canvas)};
    DrawText(canvas, record.TitleRect, title, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    const int top = record.TitleRect.Bottom + 1;
    UseBlackPen(canvas);
    canvas.setBrush(Qt::NoBrush);
    DrawRectangle(canvas, {l, top, r, b});
    const int rh = (b - top) / rowCount;
    const int xc = l + int(0.15 * (r - l));
    FillRect(canvas, {l + 1, top + 1, xc, b - 1}, record.HeadersBGColor);

    SelectFont(canvas, record.HeadersFont);
    for (int k = 0; k < rowCount; ++k) {
        const int y0 = top + rh * k + 1;
        DrawText(canvas, {l + 1, y0, xc, y0 + rh / 2}, upper.value(k),
                 DT_BOTTOM | DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        DrawText(canvas, {l + 1, y0 + rh / 2, xc, y0 + 2 * (rh / 2)}, lower.value(k),
                 DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    UseBlackPen(canvas);
    Line(canvas, xc, top, xc, b);
    for (int k = 1; k < rowCount; ++k)
        Line(canvas, l, top + rh * k, r, top + rh * k);

    for (int k = 0; k < rowCount && k < CellCount; ++k) {
        TCellRecord& cell = record.Cells[k];
        cell.Free = {xc + 4, top + rh * k + 4, r - 4, k == rowCount - 1 ? b - 4 : top + rh * (k + 1) - 4};
        cell.Whole = cell.Free;
        cell.Day = PlannerRowDay(lower.value(k));
    }
}

void DrawWeekPlanner(QPainter& canvas, TCalendarDrawRecord& record, const QString& titleOverride)
{
    const TPlannerLabels labels = WeekPlannerLabels(record, titleOverride);
    DrawPlannerRows(canvas, record, record.PlannerDays + 1, labels.Upper, labels.Lower, labels.Title);
}

void DrawDayPlanner(QPainter& canvas, TCalendarDrawRecord& record, const QString& titleOverride)
{
    const TPlannerLabels labels = DayPlannerLabels(record, titleOverride);
    DrawPlannerRows(canvas, record, record.PlannerRows + 1, labels.Upper, labels.Lower, labels.Title);
}
