// The undo history: taking back (and making again) a move of 200 labels
// with the repaint of the page that follows, and what 10,000 steps on the
// stack cost in memory.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QImage>
#include <QPainter>
#include <QUndoStack>

#include "objects/tghandle.h"
#include "objects/tgplabel.h"
#include "page/tcalendarpanel32.h"
#include "undo/editrecorder.h"

using namespace dayloom;

namespace {

void addLabels(TCalendarPanel32& page, int count)
{
    for (int i = 0; i < count; ++i) {
        auto* l = new TGPLabel;
        page.AddObject(l);
        l->SetBounds(QRect(20 + (i % 10) * 75, 40 + (i / 10) * 48, 70, 30));
        l->SetCaption(QStringLiteral("Label %1").arg(i));
    }
}

// Bytes the program holds on its heap now (glibc's count of what is in use,
// blocks of their own included): resident memory would hide what earlier
// runs freed and this one takes again.
qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd);
}

}  // namespace

// Each iteration is one undo or one redo of the move (alternately) and the
// page painted as the window shows it afterwards.
static void BM_UndoMove200LabelsAndRepaint(benchmark::State& state)
{
    TCalendarPanel32 page;
    QUndoStack stack;
    EditRecorder recorder(&page, &stack);
    addLabels(page, 200);
    page.SelectAll();
    QImage target(page.ViewSize(), QImage::Format_RGB32);
    QImage offscreen;
    {
        QPainter p(&target);
        page.PaintView(p, offscreen);
    }
    recorder.RecordObjects({}, [&] {
        TGHandle* h = page.Handle();
        h->ApplyBounds(h->NewBounds(TGHandle::ZoneMove, 12, 9));
    });
    if (stack.count() != 1 || stack.undoText() != QLatin1String("Move"))
        state.SkipWithError("the move was not one step");
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            recorder.Undo();
        else
            recorder.Redo();
        undo = !undo;
        QPainter p(&target);
        page.PaintView(p, offscreen);
    }
}
BENCHMARK(BM_UndoMove200LabelsAndRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 10,000 steps of every-day kinds (moves of one object, and one placed
// label in every hundred) on one stack: the heap they take (the placed
// labels themselves included).
static void BM_TenThousandSteps(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto page = std::make_unique<TCalendarPanel32>();
        QUndoStack stack;
        EditRecorder recorder(page.get(), &stack);
        addLabels(*page, 50);
        const qint64 before = heapInUse();
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i) {
            TGGraphicControl* o = page->Objects().at(i % page->Objects().size());
            if (i % 100 == 99) {
                recorder.RecordObjects({}, [&] {
                    auto* l = new TGPLabel;
                    page->PlaceObject(l, QRect(300, 300, 80, 20));
                    l->SetCaption(QStringLiteral("Placed"));
                });
            } else {
                page->Handle()->Clear();
                page->Handle()->Add(o);
                recorder.RecordObjects({}, [&] { o->SetBounds(o->Bounds().translated(i % 2 ? 3 : -3, 1)); });
            }
        }
        state.PauseTiming();
        const qint64 grown = heapInUse() - before;
        state.counters["steps"] = double(stack.count());
        state.counters["MB"] = double(grown) / (1024.0 * 1024.0);
        state.counters["bytes_per_step"] = double(grown) / double(qMax(1, stack.count()));
        if (stack.count() != 10000)
            state.SkipWithError("not 10,000 steps");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TenThousandSteps)->Unit(benchmark::kMillisecond)->Iterations(1);
