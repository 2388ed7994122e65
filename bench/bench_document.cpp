// Loading and saving a calendar document of 42 day cells holding about 5 KB
// of RTF each, with and without 500 page objects (labels).

#include <benchmark/benchmark.h>


#include "core/screen.h"
#include "objects/tgplabel.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

namespace {

using namespace dayloom;

QByteArray cellRtf(int k)
{
    QByteArray body;
    int line = 0;
    while (body.size() < 5000) {
        body += "\\pard\\f" + QByteArray::number(line % 2) + "\\fs" + QByteArray::number(16 + line % 4 * 2);
        body += (line % 3 == 0 ? "\\b " : "\\i ") + QByteArray("Cell ") + QByteArray::number(k) +
                " line " + QByteArray::number(line) + " with some words of ordinary text";
        body += (line % 3 == 0 ? "\\b0" : "\\i0") + QByteArray(" {\\cf1 coloured}\\par\n");
        ++line;
    }
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red200\\green0\\blue0;}" +
           body + "}";
}

void fill(TCalendarPanel32& page, int objects)
{
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k) {
        TWPRtfStorage text;
        text.SetRtfText(cellRtf(k));
        page.SetCellText(k, text);
    }
    for (int i = 0; i < objects; ++i) {
        auto* label = new TGPLabel;
        label->SetBounds(QRect(i % 700, i % 500, 120, 30));
        page.AddObject(label);
    }
}

void BM_SaveDocument(benchmark::State& state)
{
    TCalendarPanel32 page;
    fill(page, int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray doc = CalendarDocument::Save(page);
        bytes = doc.size();
        benchmark::DoNotOptimize(doc.constData());
    }
    state.counters["bytes"] = double(bytes);
}

void BM_LoadDocument(benchmark::State& state)
{
    QByteArray doc;
    {
        TCalendarPanel32 source;
        fill(source, int(state.range(0)));
        doc = CalendarDocument::Save(source);
    }
    TCalendarPanel32 page;
    for (auto _ : state) {
        // As the window opens a document: empty cells, no objects.
        page.ClearCells();
        page.DeleteAllObjects();
        CalendarDocument::Load(page, doc);
        benchmark::DoNotOptimize(page.Objects().size());
    }
    state.counters["bytes"] = double(doc.size());
}

}  // namespace

BENCHMARK(BM_SaveDocument)->Arg(0)->Arg(500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadDocument)->Arg(0)->Arg(500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
