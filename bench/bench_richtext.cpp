// Rich-text costs on the paths the page repaints and saves: painting a
// month of day cells, and writing and reading back a few kilobytes of RTF.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include "core/screen.h"
#include "richtext/richtextformat.h"
#include "richtext/richtextrenderer.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

// About 200 characters in three fonts, sizes and colours over three lines.
QByteArray CellText(int i)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl ;\\red200\\green0\\blue0;\\red0\\green0\\blue160;}"
           "\\pard\\qc\\f1\\fs24\\b Day " + QByteArray::number(i) + " meeting\\b0\\par"
           "\\pard\\f0\\fs16 Lunch with the team at the caf\\'e9 near the station, "
           "\\cf1\\i bring the slides\\i0\\cf0  and the printed agenda for the afternoon.\\par"
           "\\pard\\qr\\fs14\\cf2\\ul Call the office before five o'clock\\ulnone\\cf0\\par}";
}

struct Month {
    std::vector<std::unique_ptr<TWPRtfStorage>> stores;
    std::vector<QRect> cells;
    Month()
    {
        // A landscape Letter page at 96 per inch: 7 x 6 cells under a title.
        const int left = 48, top = 140, w = 137, h = 104;
        for (int i = 0; i < 42; ++i) {
            auto store = std::make_unique<TWPRtfStorage>();
            store->SetRtfText(CellText(i + 1));
            stores.push_back(std::move(store));
            const int r = i / 7, c = i % 7;
            cells.push_back(QRect(left + c * w + 2, top + r * h + 16, w - 4, h - 18));
        }
    }
};

void PaintMonth(RichTextRenderer& renderer, Month& month, QImage& page)
{
    QPainter painter(&page);
    for (size_t i = 0; i < month.stores.size(); ++i) {
        const QRect& cell = month.cells[i];
        painter.fillRect(cell, Qt::white);
        renderer.Paint(*month.stores[i], painter, cell, cell.width() * 15, 100);
    }
}

void BM_PaintMonthCached(benchmark::State& state)
{
    Month month;
    RichTextRenderer renderer;
    QImage page(1056, 816, QImage::Format_RGB32);
    page.fill(Qt::white);
    PaintMonth(renderer, month, page);  // lays the cells out once
    for (auto _ : state) {
        PaintMonth(renderer, month, page);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PaintMonthCached)->Unit(benchmark::kMillisecond);

void BM_PaintMonthFreshLayout(benchmark::State& state)
{
    Month month;
    RichTextRenderer renderer;
    QImage page(1056, 816, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (auto _ : state) {
        renderer.ClearCache();
        PaintMonth(renderer, month, page);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PaintMonthFreshLayout)->Unit(benchmark::kMillisecond);

QTextDocument* FiveKilobytes()
{
    auto* doc = new QTextDocument;
    PrepareRichDocument(*doc);
    QTextCursor c(doc);
    const QStringList families{"Arial", "Times New Roman", "Courier New"};
    int n = 0;
    while (doc->characterCount() < 5000) {
        QTextCharFormat f = CharFormatFor(families[n % 3], 8 + n % 9, n % 16,
                                          n % 4 ? QColor() : QColor(160, 0, 0));
        c.insertText(QStringLiteral("Word%1 caf\u00e9 \u03a9 text ").arg(n), f);
        if (n % 12 == 11)
            c.insertBlock();
        ++n;
    }
    return doc;
}

void BM_RtfWrite5K(benchmark::State& state)
{
    std::unique_ptr<QTextDocument> doc(FiveKilobytes());
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfWriter::Write(*doc));
}
BENCHMARK(BM_RtfWrite5K)->Unit(benchmark::kMicrosecond);

void BM_RtfRead5K(benchmark::State& state)
{
    std::unique_ptr<QTextDocument> doc(FiveKilobytes());
    const QByteArray rtf = RtfWriter::Write(*doc);
    state.counters["rtf_bytes"] = double(rtf.size());
    for (auto _ : state) {
        QTextDocument read;
        RtfReader::Read(rtf, read);
        benchmark::DoNotOptimize(read.characterCount());
    }
}
BENCHMARK(BM_RtfRead5K)->Unit(benchmark::kMicrosecond);

void BM_RtfWriteRead5K(benchmark::State& state)
{
    std::unique_ptr<QTextDocument> doc(FiveKilobytes());
    for (auto _ : state) {
        TWPRtfStorage store;
        store.SetRtfText(RtfWriter::Write(*doc));
        benchmark::DoNotOptimize(store.Revision());
    }
}
BENCHMARK(BM_RtfWriteRead5K)->Unit(benchmark::kMicrosecond);

}  // namespace
