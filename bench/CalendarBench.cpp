// Painting and printing the calendar page: a full repaint should stay well under one frame.

#include "calendar/CalendarOutput.h"
#include "calendar/CalendarPanel32.h"
#include "effects/GFlatCalendar.h"
#include "effects/GSuperText.h"
#include "imaging/Picture.h"
#include "objects/GImage.h"
#include "objects/GPLabel.h"
#include "objects/GPRichBaseLabel.h"
#include "print/ReportPrinter.h"
#include "richtext/WPRtfStorage.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

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

// Mini calendars in a row of five, two rows, below the month's title; each with a shadow and a
// grid so that every drawing step runs.
void AddMiniCalendars(TCalendarPanel32& page, int count, int top)
{
    for (int i = 0; i < count; ++i) {
        auto* calendar = new TGFlatCalendar(nullptr);
        calendar->Loaded();
        page.PlaceObject(*calendar, QRect(20 + (i % 5) * 190, top + (i / 5) * 150, 180, 140));
        calendar->SetMonth(1 + i % 12);
        calendar->SetYear(2024);
        calendar->SetShadowDepth(3);
        calendar->SetCellBorderStyle(fcbAll);
        calendar->SetShowYear(true);
    }
}

// Special-effects texts with a gradient, a shadow and an outline: every drawing step runs.
void AddSuperTexts(TCalendarPanel32& page, int count, int top)
{
    for (int i = 0; i < count; ++i) {
        TGSuperText* text = TGSuperText::CreateForTool(nullptr);
        text->Loaded();
        page.PlaceObject(*text, QRect(20 + (i % 5) * 190, top + (i / 5) * 90, 180, 80));
        text->SetCaption(QString("Party %1").arg(i + 1));
        text->SetShadowDepth(3);
        text->SetOutlineWidth(1);
    }
}

// One mini calendar of 180 x 140 pixels, as the page draws each.
void BM_DrawMiniCalendar(benchmark::State& state)
{
    TGFlatCalendar calendar(nullptr);
    calendar.SetMonth(3);
    calendar.SetYear(2024);
    calendar.SetShadowDepth(3);
    calendar.SetCellBorderStyle(fcbAll);
    QImage target(180, 140, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        calendar.Draw(painter, target.size(), 1.0f);
    }
}
BENCHMARK(BM_DrawMiniCalendar)->Unit(benchmark::kMicrosecond);

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

// The filled month with ten mini calendars on top.
void BM_PaintFullPageWithMiniCalendars(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    AddMiniCalendars(page, 10, 120);
    page.SetZoom(float(state.range(0)) / 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPageWithMiniCalendars)->Arg(10)->Arg(6)->Unit(benchmark::kMillisecond);

// The filled month with ten special-effects texts on top.
void BM_PaintFullPageWithSuperTexts(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    AddSuperTexts(page, 10, 120);
    page.SetZoom(float(state.range(0)) / 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPageWithSuperTexts)->Arg(10)->Arg(6)->Unit(benchmark::kMillisecond);

// Clip art as metafiles hold it: a filled 24-point star, ten ellipses and a line of text,
// 2 × 1.5 inches at 1440 units an inch.
QByteArray ClipArtWmf()
{
    QByteArray records;
    const auto word = [](int v) { return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF); };
    const auto record = [&](int function, const QList<int>& words, const QByteArray& tail = {}) {
        records += word(3 + int(words.size()) + int(tail.size()) / 2) + word(0) + word(function);
        for (const int w : words)
            records += word(w);
        records += tail;
    };
    record(0x02FC, {0, 0x00FF, 0x0080, 0}); // brush
    record(0x02FA, {0, 15, 0, 0, 0});       // pen
    record(0x012D, {0});
    record(0x012D, {1});
    QList<int> star{24};
    for (int i = 0; i < 24; ++i) {
        const double r = i % 2 ? 400 : 1000;
        star << 1440 + int(r * std::cos(i * M_PI / 12)) << 1080 + int(r * std::sin(i * M_PI / 12));
    }
    record(0x0324, star);
    for (int i = 0; i < 10; ++i)
        record(0x0418, {200 + i * 50, 300 + i * 200, 100 + i * 50, 100 + i * 200});
    QByteArray face("Arial");
    face.append(QByteArray(32 - face.size(), '\0'));
    record(0x02FB, {-240, 0, 0, 0, 700}, QByteArray(8, '\0') + face);
    record(0x012D, {2});
    record(0x0521, {}, word(10) + "Clip art!!" + word(1800) + word(200));
    record(0, {});
    const QByteArray meta = word(1) + word(9) + word(0x300) + word((18 + int(records.size())) / 2) + word(0) + word(3) +
                            word(0) + word(0) + word(0);
    QByteArray header = word(0xCDD7) + word(0x9AC6) + word(0) + word(0) + word(0) + word(2880) + word(2160) +
                        word(1440) + word(0) + word(0);
    int checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint8(header[2 * i]) | (quint8(header[2 * i + 1]) << 8);
    return header + word(checksum) + meta + records;
}

// Five photos (bitmaps of 160 × 120) and five clip-art metafiles, each in a box of 100 × 75.
void AddPictures(TCalendarPanel32& page, int first, int count)
{
    QImage photo(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x, y * 2, (x * y) % 256));
    const TPicture bitmap = TPicture::FromImage(photo);
    const TPicture metafile = *TPicture::FromWmf(ClipArtWmf());
    for (int i = first; i < first + count; ++i) {
        auto* image = new TGImage(nullptr);
        image->Loaded();
        page.PlaceObject(*image, QRect(ObjectRect(i).topLeft(), QSize(100, 75)));
        image->SetPicture(i % 2 ? metafile : bitmap);
        image->SetBorderStyle(bsSingle);
    }
}

// The filled month with ten picture objects on top.
void BM_PaintFullPageWithPictures(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    AddPictures(page, 0, 10);
    page.SetZoom(float(state.range(0)) / 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPageWithPictures)->Arg(10)->Arg(6)->Unit(benchmark::kMillisecond);

// 30 objects of every kind the page creates (six each of text labels, rich labels, mini
// calendars, special-effects texts and pictures) on the 42 filled cells: the repaint must stay
// under 4 ms of CPU at 100 %.
void BM_PaintFullPageWithMixedObjects(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    AddTextLabels(page, 0, 6);
    AddRichLabels(page, 6, 6);
    AddPictures(page, 12, 6);
    AddMiniCalendars(page, 6, 420);
    AddSuperTexts(page, 6, 720);
    page.SetZoom(float(state.range(0)) / 10);
    QImage target(page.size(), QImage::Format_RGB32);
    for (auto _ : state)
        page.render(&target);
}
BENCHMARK(BM_PaintFullPageWithMixedObjects)->Arg(10)->Arg(6)->Unit(benchmark::kMillisecond);

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

// "Save As PDF" (and `mvtool render FILE out.pdf`) of a page with 42 filled cells and 30 text
// labels: the whole print pass into a file.
void BM_SavePdfWithCellsAndLabels(benchmark::State& state)
{
    TCalendarPanel32 page(nullptr);
    FillCells(page);
    for (int i = 0; i < 30; ++i) {
        auto* label = new TGPLabel(nullptr);
        label->Loaded();
        label->SetCaption(QString("Label number %1").arg(i + 1));
        page.PlaceObject(*label, QRect(20 + 30 * (i % 10), 40 + 200 * (i / 10), 160, 24));
    }
    QTemporaryDir dir;
    for (auto _ : state)
        SavePagePdf(page, dir.filePath("page.pdf"));
}
BENCHMARK(BM_SavePdfWithCellsAndLabels)->Unit(benchmark::kMillisecond);

} // namespace
