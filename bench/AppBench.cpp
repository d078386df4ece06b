// The program's start-up to the first painted page, and opening and saving a calendar, with a
// well-filled calendar: text in all 42 day cells and 30 page objects.

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
#include <benchmark/benchmark.h>

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

} // namespace
