// The value stream at the sizes of a calendar document: 42 binary values of
// 5 KB (the day cells' rich text) and 500 small component records.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <QByteArray>
#include <QObject>

#include "core/tfont.h"
#include "stream/classbuilder.h"
#include "stream/componentregistry.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace {

using namespace dayloom;

class TBenchLabel : public QObject {
    Q_OBJECT
public:
    explicit TBenchLabel(QObject* parent = nullptr) : QObject(parent), Font(new TFont(this)) {}
    int Left = 0;
    int Top = 0;
    int Width = 142;
    int Height = 33;
    int Alignment = 0;
    qint32 BackColor = 0xFFFFFF;
    bool Transparent = true;
    QString Caption = QStringLiteral("Text");
    TFont* Font;
};

ComponentRegistry& Registry()
{
    static ComponentRegistry* registry = [] {
        auto* r = new ComponentRegistry;
        using T = TBenchLabel;
        ClassBuilder<T>(*r, QStringLiteral("TGPLabel"))
            .Creatable()
            .Integer("Left", [](const T& t) { return t.Left; }, [](T& t, int v) { t.Left = v; })
            .Integer("Top", [](const T& t) { return t.Top; }, [](T& t, int v) { t.Top = v; })
            .Integer("Width", [](const T& t) { return t.Width; }, [](T& t, int v) { t.Width = v; })
            .Integer("Height", [](const T& t) { return t.Height; }, [](T& t, int v) { t.Height = v; })
            .Enum("Alignment", [](const T& t) { return t.Alignment; }, [](T& t, int v) { t.Alignment = v; },
                  {"taLeftJustify", "taRightJustify", "taCenter"}, 0)
            .String("Caption", [](const T& t) { return t.Caption; }, [](T& t, const QString& v) { t.Caption = v; })
            .Object("Font", [](const T& t) { return t.Font; })
            .Bool("Transparent", [](const T& t) { return t.Transparent; }, [](T& t, bool v) { t.Transparent = v; })
            .Color("BackColor", [](const T& t) { return t.BackColor; }, [](T& t, qint32 v) { t.BackColor = v; });
        return r;
    }();
    return *registry;
}

const QByteArray& Cell()
{
    static const QByteArray cell = [] {
        QByteArray b;
        for (int i = 0; i < 5 * 1024; ++i)
            b.append(char('a' + i % 26));
        return b;
    }();
    return cell;
}

QByteArray WriteBinaries()
{
    QByteArray out;
    ValueWriter w(&out);
    w.WriteListBegin();
    for (int i = 0; i < 42; ++i)
        w.WriteBinary(Cell());
    w.WriteListEnd();
    return out;
}

std::vector<std::unique_ptr<TBenchLabel>> MakeLabels()
{
    std::vector<std::unique_ptr<TBenchLabel>> labels;
    for (int i = 0; i < 500; ++i) {
        auto l = std::make_unique<TBenchLabel>();
        l->setObjectName(QStringLiteral("Component%1").arg(i));
        l->Left = i;
        l->Top = 2 * i;
        l->Caption = QStringLiteral("Label %1").arg(i);
        l->Alignment = i % 3;
        labels.push_back(std::move(l));
    }
    return labels;
}

QByteArray WriteComponents(const std::vector<std::unique_ptr<TBenchLabel>>& labels)
{
    QByteArray out;
    ValueWriter w(&out);
    w.SetRegistry(&Registry());
    w.WriteListBegin();
    for (const auto& l : labels)
        w.WriteRootComponent(l.get());
    w.WriteListEnd();
    return out;
}

void BM_WriteBinaries(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteBinaries());
}

void BM_ReadBinaries(benchmark::State& state)
{
    const QByteArray data = WriteBinaries();
    for (auto _ : state) {
        ValueReader r(data);
        r.ReadListBegin();
        while (!r.EndOfList())
            benchmark::DoNotOptimize(r.ReadBinary());
        r.ReadListEnd();
    }
    state.SetBytesProcessed(state.iterations() * data.size());
}

void BM_WriteComponents(benchmark::State& state)
{
    const auto labels = MakeLabels();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteComponents(labels));
}

void BM_ReadComponents(benchmark::State& state)
{
    const QByteArray data = WriteComponents(MakeLabels());
    for (auto _ : state) {
        std::vector<std::unique_ptr<QObject>> read;
        ValueReader r(data);
        r.SetRegistry(&Registry());
        r.ReadListBegin();
        r.ReadComponents(nullptr, nullptr, [&](QObject* c) { read.emplace_back(c); });
        benchmark::DoNotOptimize(read.size());
    }
    state.SetBytesProcessed(state.iterations() * data.size());
}

}  // namespace

BENCHMARK(BM_WriteBinaries)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBinaries)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteComponents)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadComponents)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

#include "bench_stream.moc"
