// Writing and reading component records: what saving and opening a calendar spends per record.

#include "stream/Component.h"
#include "stream/Font.h"
#include "stream/Reader.h"
#include "stream/Writer.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

namespace {

// A record like a text label's: a handful of integers, a caption, a nested font.
class TBenchLabel : public TComponent {
public:
    using TComponent::TComponent;
    QString ClassName() const override { return "TBenchLabel"; }
    void PublishProperties(TPropertyList& list) override
    {
        list.AddInteger(
            "Left", [this] { return m_Left; }, [this](qint64 v) { m_Left = int(v); }, NoDefault);
        list.AddInteger(
            "Top", [this] { return m_Top; }, [this](qint64 v) { m_Top = int(v); }, NoDefault);
        list.AddInteger(
            "Width", [this] { return m_Width; }, [this](qint64 v) { m_Width = int(v); }, NoDefault);
        list.AddInteger(
            "Height", [this] { return m_Height; }, [this](qint64 v) { m_Height = int(v); }, NoDefault);
        list.AddString(
            "Caption", [this] { return m_Caption; }, [this](const QString& v) { m_Caption = v; });
        list.AddObject("Font", m_Font);
    }

private:
    int m_Left = 120, m_Top = 340, m_Width = 142, m_Height = 33;
    QString m_Caption = "Independence Day";
    TFont m_Font;
};

QByteArray WriteRecords(int count)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer);
    TBenchLabel label(nullptr);
    for (int i = 0; i < count; ++i)
        writer.WriteRootComponent(label);
    writer.FlushBuffer();
    return bytes;
}

void BM_WriteRecords(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRecords(int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteRecords)->Arg(42)->Arg(1000);

void BM_ReadRecords(benchmark::State& state)
{
    QByteArray bytes = WriteRecords(int(state.range(0)));
    TBenchLabel label(nullptr);
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TReader reader(buffer);
        for (int i = 0; i < state.range(0); ++i)
            reader.ReadRootComponent(label);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadRecords)->Arg(42)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
