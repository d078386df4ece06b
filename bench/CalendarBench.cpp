// Painting and printing the calendar page: a full repaint should stay well under one frame.

#include "calendar/CalendarPanel32.h"
#include "print/ReportPrinter.h"
#include "richtext/WPRtfStorage.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// June 1997 with three lines of text in two fonts in every cell.
void FillCells(TCalendarPanel32& page)
{
    page.SetMainCalMonth(6);
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                          "\\f0\\fs20 Dentist 9:30\\par\\f1\\b Soccer practice\\par\\b0 Call Grandma\\par}");
    for (int cell = 1; cell <= 42; ++cell)
        page.SetCellRtf(cell, text);
}

void BM_PaintFullPage(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    page.SetZoom(float(state.range(0)) / 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPage)->Arg(10)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_PaintSixtyMonths(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(loMC60Month);
    page.RecalcLayout(true);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintSixtyMonths)->Unit(benchmark::kMillisecond);

void BM_RenderToBitmap(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(page.RenderToBitmap());
}
BENCHMARK(BM_RenderToBitmap)->Unit(benchmark::kMillisecond);

void BM_PrintPageToPdf(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    QTemporaryDir dir;
    for (auto _ : state) {
        TReportPrinter report(dir.filePath("page.pdf"));
        report.OnPrint = [&](TReportPrinter& r) { page.PrintPage(r, 0, 0); };
        report.Execute();
    }
}
BENCHMARK(BM_PrintPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace
