// One drag step of a large selection at zoom 1: new bounds for 200 selected
// labels (the handle's change applied to each, the handle re-fitted) and the
// repaint of the page with its objects and grab squares.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "core/screen.h"
#include "objects/tghandle.h"
#include "objects/tgplabel.h"
#include "page/tcalendarpanel32.h"

using namespace dayloom;

static void BM_DragStep200Labels(benchmark::State& state)
{
    TCalendarPanel32 page;
    for (int i = 0; i < 200; ++i) {
        auto* l = new TGPLabel;
        page.AddObject(l);
        l->SetBounds(QRect(20 + (i % 10) * 75, 40 + (i / 10) * 48, 70, 30));
        l->SetCaption(QStringLiteral("Label %1").arg(i));
    }
    page.SelectAll();
    QImage target(page.ViewSize(), QImage::Format_RGB32);
    QImage offscreen;
    {
        QPainter p(&target);  // first paint lays the labels out
        page.PaintView(p, offscreen);
    }
    int step = 1;
    for (auto _ : state) {
        TGHandle* h = page.Handle();
        const QRect b = h->Bounds();
        h->ApplyBounds(h->NewBounds(TGHandle::ZoneMove, step, 0));
        step = -step;  // back and forth, so the selection stays on the page
        h->Refit();
        QPainter p(&target);
        page.PaintView(p, offscreen);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_DragStep200Labels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
