// Painting and printing the calendar page: a full repaint should stay well under one frame.

#include "calendar/CalendarPanel32.h"
#include "objects/GPLabel.h"
#include "objects/GPRichBaseLabel.h"
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

// The place of the page's `index`th object, in a grid of six columns.
QRect ObjectRect(int index)
{
    return {20 + (index % 6) * 120, 40 + (index / 6) * 90, 100, 40};
}

// Rich labels of two short paragraphs in two fonts; the page is their window and holds the
// master editor they draw through, as the main window does.
void AddRichLabels(TCalendarPanel32& page, int first, int count)
{
    CreateMasterRichText(page);
    TWPRtfText text;
    text.SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                "\\qc\\f0\\fs24\\b Team meeting\\par\\f1\\b0\\i room 4\\par}");
    for (int i = first; i < first + count; ++i) {
        auto* label = new TGPRichBaseLabel(nullptr);
        page.PlaceObject(*label, ObjectRect(i));
        label->Loaded();
        label->SetRTFText(text);
        label->SetTransparent(false);
    }
}

void AddTextLabels(TCalendarPanel32& page, int first, int count)
{
    for (int i = first; i < first + count; ++i) {
        auto* label = new TGPLabel(nullptr);
        label->Loaded();
        label->SetCaption(QString("Label %1").arg(i + 1));
        label->SetBorderStyle(bsSingle);
        label->SetDepthShadow(2);
        page.PlaceObject(*label, ObjectRect(i));
    }
}

// The full page with ten rich labels on top of the 42 filled cells.
void BM_PaintFullPageWithRichLabels(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    AddRichLabels(page, 0, 10);
    page.SetZoom(float(state.range(0)) / 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPageWithRichLabels)->Arg(10)->Arg(6)->Unit(benchmark::kMillisecond);

// 30 objects of the kinds the page creates so far (20 text labels, 10 rich labels) on the 42
// filled cells: the repaint must stay under 4 ms of CPU at 100 %.
void BM_PaintFullPageWithMixedObjects(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    AddTextLabels(page, 0, 20);
    AddRichLabels(page, 20, 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPageWithMixedObjects)->Unit(benchmark::kMillisecond);

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
