// Full repaints of the calendar page into an image: a Letter landscape month
// with two minis and text in all 42 cells, and the 60-month sheet.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "core/screen.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

// About 200 characters of formatted text.
QByteArray cellRtf(int cell)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}\\f0\\fs18 ";
    rtf += "\\b Cell " + QByteArray::number(cell) + "\\b0 : meeting at \\i ten\\i0 , ";
    rtf += "\\f1 lunch with the team, \\ul call the printer\\ul0 , ";
    rtf += "\\f0 pick up the parcel at the post office, water the plants and book the trip.}";
    return rtf;
}

void fillCells(TCalendarPanel32& page, int variant)
{
    for (int k = 1; k <= 42; ++k) {
        TWPRtfStorage s;
        s.SetRtfText(cellRtf(k + variant));
        page.SetCellText(k, s);
    }
}

void paintOnce(TCalendarPanel32& page, QImage& target)
{
    static QImage offscreen;
    QPainter p(&target);
    page.PaintView(p, offscreen);
}

void BM_MonthWithTwoMinisAndCellText(benchmark::State& state)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);  // Letter landscape, two minis
    fillCells(page, 0);
    QImage target(page.ViewSize(), QImage::Format_RGB32);
    paintOnce(page, target);
    for (auto _ : state)
        paintOnce(page, target);
}
BENCHMARK(BM_MonthWithTwoMinisAndCellText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same page after every cell's text changed: each cell is laid out and
// rendered anew.
void BM_MonthWithTwoMinisAllCellsChanged(benchmark::State& state)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    QImage target(page.ViewSize(), QImage::Format_RGB32);
    int variant = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillCells(page, ++variant);
        state.ResumeTiming();
        paintOnce(page, target);
    }
}
BENCHMARK(BM_MonthWithTwoMinisAllCellsChanged)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SixtyMonthSheet(benchmark::State& state)
{
    TCalendarPanel32 page;
    page.ResetPage();
    page.SetMainCalYear(1997);
    page.SetMainCalMonth(12);
    page.SetCalendarLayout(loMC60MonthLS);
    page.RecalcPageLayout(true);
    QImage target(page.ViewSize(), QImage::Format_RGB32);
    paintOnce(page, target);
    for (auto _ : state)
        paintOnce(page, target);
}
BENCHMARK(BM_SixtyMonthSheet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
