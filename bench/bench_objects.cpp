// One drag step of a large selection: new bounds for 200 selected labels
// (the handle's change applied to each, the handle re-fitted) and the repaint
// of the page with its objects and grab squares, at zoom 1 and at the
// window's 60 %.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "core/pagemapping.h"
#include "core/screen.h"
#include "core/zoom.h"
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
    page.SetView(PageMapping::Screen(state.range(0) == 100 ? Zoom() : Zoom::FromPercent(int(state.range(0))),
                                     ScreenPPI()));
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
BENCHMARK(BM_DragStep200Labels)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
