// The program's start-up to the first painted page, opening and saving a calendar, and undo and
// redo with the memory the history takes, with a well-filled calendar: text in all 42 day cells
// and 30 page objects.

#include "app/CalendarDocument.h"
#include "app/MainForms.h"
#include "calendar/CalendarPanel32.h"
#include "objects/GPLabel.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platformui/Printers.h"
#include "platformui/ScriptedUiServices.h"
#include "richtext/WPRtfStorage.h"

#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

// Owns the page objects, as the main window does.
class TBenchOwner : public TComponent {
public:
    TBenchOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TBenchOwner"; }
};

// A data folder holding a calendar that the program reopens at start.
class TBenchSetting {
public:
    TBenchSetting()
    {
        OverrideDataFolder(Dir.path() + "/");
        OverridePrinters({[] { return QStringList{"Office"}; }, [] { return QString("Office"); }});
        File = Dir.filePath("Full.MVF");
        WriteFullCalendar(File);
        TIniFile(IniFileName()).WriteString("MRU", "F0", File);
    }

    ~TBenchSetting()
    {
        OverridePrinters({});
        OverrideDataFolder(QString());
    }

    QTemporaryDir Dir;
    TScriptedUiServices Ui;
    QString File;

private:
    static void WriteFullCalendar(const QString& fileName)
    {
        TBenchOwner owner;
        TCalendarPanel32 page(&owner);
        page.ResetToDefaults();
        page.SetCalendarLayout(LOFullCalendarLS);
        page.SetMainCalMonth(6);
        page.SetMainCalYear(2027);
        TWPRtfStorage text(nullptr);
        text.RtfText().SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                              "\\f0\\fs20 Dentist 9:30\\par\\f1\\b Soccer practice\\par\\b0 Call Grandma\\par}");
        for (int cell = 1; cell <= 42; ++cell)
            page.SetCellRtf(cell, text);
        for (int i = 0; i < 30; ++i) {
            auto* label = new TGPLabel(&owner);
            label->Loaded();
            label->SetCaption(QString("Label %1").arg(i + 1));
            label->SetBorderStyle(bsSingle);
            label->SetDepthShadow(2);
            page.PlaceObject(*label, QRect(20 + (i % 6) * 120, 40 + (i / 6) * 90, 100, 30));
        }
        page.SaveToFile(fileName);
    }
};

void BM_StartUpToFirstPaintedPage(benchmark::State& state)
{
    TBenchSetting setting;
    for (auto _ : state) {
        TMainForms forms;
        forms.Start();
        benchmark::DoNotOptimize(forms.Main.grab());
        if (forms.Main.CurrentFileName() != setting.File || forms.Main.CalendarPanel().Objects().size() != 30)
            state.SkipWithError("the calendar did not open");
        state.PauseTiming();
        forms.Main.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaintedPage)->Unit(benchmark::kMillisecond);

void BM_OpenCalendar(benchmark::State& state)
{
    TBenchSetting setting;
    TMainForms forms;
    forms.Start();
    for (auto _ : state) {
        if (!forms.Main.Document().OpenCalendarFile(setting.File))
            state.SkipWithError("the calendar did not open");
    }
}
BENCHMARK(BM_OpenCalendar)->Unit(benchmark::kMillisecond);

void BM_SaveCalendar(benchmark::State& state)
{
    TBenchSetting setting;
    TMainForms forms;
    forms.Start();
    const QString copy = setting.Dir.filePath("Copy.MVF");
    for (auto _ : state) {
        if (!forms.Main.Document().SaveCalendarFile(copy))
            state.SkipWithError("the calendar was not saved");
    }
}
BENCHMARK(BM_SaveCalendar)->Unit(benchmark::kMillisecond);

// The program on the full calendar, with one step of `kind` recorded: a label moved, a cell's
// text changed, or the page's settings changed.
enum class TStepKind { Move, CellText, Properties };

// Makes the `number`-th step of `kind` on the page and records it.
void MakeStep(TCalendarMain& main, TStepKind kind, int number)
{
    TCalendarDocument& document = main.Document();
    TCalendarPanel32& page = main.CalendarPanel();
    switch (kind) {
    case TStepKind::Move: {
        TGGraphicControl* object = page.Objects()[number % page.Objects().size()];
        object->SetBounds(object->Left() + 1, object->Top(), object->Width(), object->Height());
        document.NameObjectChange("Move", {});
        document.RecordPendingChange();
        break;
    }
    case TStepKind::CellText: {
        TWPRtfStorage text(nullptr);
        text.RtfText().Assign(page.GetCellRtf(number % 42 + 1)->RtfText());
        text.RtfText().Document().setPlainText(QString("Typed %1").arg(number));
        page.SetCellRtf(number % 42 + 1, text);
        document.RecordStep("Typing");
        break;
    }
    case TStepKind::Properties:
        page.SetTitleBGColor(number % 2 ? clAqua : clYellow);
        document.RecordStep("Properties");
        break;
    }
}

// Undo (or redo) of one step; the other half of each round is not timed.
void UndoOrRedo(benchmark::State& state, TStepKind kind, bool undo)
{
    TBenchSetting setting;
    TMainForms forms;
    forms.Start();
    TCalendarDocument& document = forms.Main.Document();
    MakeStep(forms.Main, kind, 0);
    if (document.History().count() != 1)
        state.SkipWithError("no step was recorded");
    for (auto _ : state) {
        if (!undo) {
            state.PauseTiming();
            document.Undo();
            state.ResumeTiming();
            document.Redo();
        } else {
            document.Undo();
            state.PauseTiming();
            document.Redo();
            state.ResumeTiming();
        }
    }
}

void BM_UndoStep(benchmark::State& state)
{
    UndoOrRedo(state, TStepKind(state.range(0)), true);
}
BENCHMARK(BM_UndoStep)
    ->Arg(int(TStepKind::Move))
    ->Arg(int(TStepKind::CellText))
    ->Arg(int(TStepKind::Properties))
    ->Unit(benchmark::kMillisecond);

void BM_RedoStep(benchmark::State& state)
{
    UndoOrRedo(state, TStepKind(state.range(0)), false);
}
BENCHMARK(BM_RedoStep)
    ->Arg(int(TStepKind::Move))
    ->Arg(int(TStepKind::CellText))
    ->Arg(int(TStepKind::Properties))
    ->Unit(benchmark::kMillisecond);

// The heap the history takes for a full history of steps of one kind (or of the three in turn),
// over the page's own: the counter HistoryMB.
void BM_HistoryMemory(benchmark::State& state)
{
    TBenchSetting setting;
    TMainForms forms;
    forms.Start();
    TCalendarDocument& document = forms.Main.Document();
    for (auto _ : state) {
        state.PauseTiming();
        document.ResetHistory();
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int i = 0; i < TCalendarDocument::HistoryLimit; ++i)
            MakeStep(forms.Main, state.range(0) < 3 ? TStepKind(state.range(0)) : TStepKind(i % 3), i);
        state.PauseTiming();
        const size_t after = mallinfo2().uordblks;
        state.counters["HistoryMB"] = double(after - before) / (1024 * 1024);
        state.counters["Steps"] = document.History().count();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryMemory)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
