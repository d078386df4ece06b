// What painting the day cells costs: reading a typical cell's RTF (three lines, two fonts, one
// 32 x 32 icon), laying it out and painting it at 60%, and the 42 cells of a page.

#include "richtext/RtfPicture.h"
#include "richtext/WPPageRenderer.h"
#include "richtext/WPRtfText.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

const QSize CellSize(90, 60); // a month cell's free rectangle at 60%
constexpr int Zoom = 60;

QByteArray TypicalCellRtf()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setBrush(Qt::red);
    painter.drawEllipse(2, 2, 28, 28);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 "
           "Times New Roman;}}{\\colortbl ;\\red0\\green0\\blue255;}\\uc1\\pard\\qc\\f0\\fs20\\b Team meeting\\b0"
           "\\par\\pard\\f1\\fs18\\cf1 Room 4, 10:30\\cf0\\par{\\pict\\pngblip\\picw32\\pich32\\picwgoal480"
           "\\pichgoal480 " +
           png.toHex() + "}\\f0  Birthday\\par}";
}

void PaintCell(TWPRtfText& text, QImage& target)
{
    QPainter painter(&target);
    TWPPageRenderer::ForTarget(CellSize, Zoom).Render(text.Document(), painter, QRect(QPoint(0, 0), CellSize));
}

void BM_ReadCell(benchmark::State& state)
{
    const QByteArray rtf = TypicalCellRtf();
    TWPRtfText text;
    for (auto _ : state)
        text.SetRtf(rtf);
}
BENCHMARK(BM_ReadCell);

void BM_ReadLayOutPaintCell(benchmark::State& state)
{
    const QByteArray rtf = TypicalCellRtf();
    QImage target(CellSize, QImage::Format_RGB32);
    for (auto _ : state) {
        TWPRtfText text;
        text.SetRtf(rtf);
        target.fill(Qt::white);
        PaintCell(text, target);
    }
}
BENCHMARK(BM_ReadLayOutPaintCell);

// Painting only: the cell keeps its laid-out document, as a page repaint finds it.
void BM_PaintCell(benchmark::State& state)
{
    TWPRtfText text;
    text.SetRtf(TypicalCellRtf());
    QImage target(CellSize, QImage::Format_RGB32);
    for (auto _ : state) {
        target.fill(Qt::white);
        PaintCell(text, target);
    }
}
BENCHMARK(BM_PaintCell);

// Opening a page: 42 cells read, laid out and painted.
void BM_ReadLayOutPaint42Cells(benchmark::State& state)
{
    const QByteArray rtf = TypicalCellRtf();
    QImage target(CellSize, QImage::Format_RGB32);
    for (auto _ : state) {
        std::vector<std::unique_ptr<TWPRtfText>> cells;
        for (int i = 0; i < 42; ++i) {
            cells.push_back(std::make_unique<TWPRtfText>());
            cells.back()->SetRtf(rtf);
            target.fill(Qt::white);
            PaintCell(*cells.back(), target);
        }
    }
}
BENCHMARK(BM_ReadLayOutPaint42Cells)->Unit(benchmark::kMillisecond);

// Repainting a page whose 42 cells are already read.
void BM_Paint42Cells(benchmark::State& state)
{
    std::vector<std::unique_ptr<TWPRtfText>> cells;
    for (int i = 0; i < 42; ++i) {
        cells.push_back(std::make_unique<TWPRtfText>());
        cells.back()->SetRtf(TypicalCellRtf());
    }
    QImage target(CellSize, QImage::Format_RGB32);
    for (auto _ : state) {
        for (auto& cell : cells) {
            target.fill(Qt::white);
            PaintCell(*cell, target);
        }
    }
}
BENCHMARK(BM_Paint42Cells)->Unit(benchmark::kMillisecond);

// Hostile cells: one word of N characters, and N characters of words in alternating formats in
// one paragraph. Reading and painting must grow linearly with N.
void BM_ReadPaintLongCell(benchmark::State& state, const QByteArray& body, int bodyCharacters)
{
    const int repeats = int(state.range(0)) / bodyCharacters;
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 " + body.repeated(repeats) + "}";
    QImage target(CellSize, QImage::Format_RGB32);
    for (auto _ : state) {
        TWPRtfText text;
        text.SetRtf(rtf);
        target.fill(Qt::white);
        PaintCell(text, target);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK_CAPTURE(BM_ReadPaintLongCell, OneWord, QByteArray("x"), 1)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadPaintLongCell, FormattedWords, QByteArray("{\\b bold} plain "), 11)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

} // namespace
