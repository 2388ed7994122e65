// Picture codecs and metafile playback.
//
// JPEG: a Letter-landscape page at 96 PPI (1056 x 816), painted like a
// month grid with text, encoded at quality 100. Compare with
//   cjpeg -quality 100 -sample 1x1 page.bmp   (the same settings)
// on the 24-bit BMP this program writes to $DAYLOOM_BENCH_OUT/page.bmp.
//
// Metafile: playback of an enhanced metafile of 5,000 drawing records onto
// the same page size.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include "imaging/bmpfile.h"
#include "imaging/jpegcodec.h"
#include "imaging/tmetafile.h"

namespace {

QImage PageImage()
{
    QImage img(1056, 816, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, 1056, 0);
    g.setColorAt(0, QColor(30, 60, 160));
    g.setColorAt(1, QColor(200, 40, 90));
    p.fillRect(48, 40, 960, 90, g);
    QFont title("DejaVu Sans");
    title.setPixelSize(56);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(48, 40, 960, 90), Qt::AlignCenter, "December 2026");
    QFont cell("DejaVu Sans");
    cell.setPixelSize(14);
    p.setFont(cell);
    const int cw = 960 / 7, ch = 600 / 6;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const QRect box(48 + c * cw, 170 + r * ch, cw, ch);
            if ((r + c) % 5 == 0)
                p.fillRect(box.adjusted(1, 1, 0, 0), QColor(255, 245, 200));
            p.setPen(QPen(Qt::black, 1));
            p.drawRect(box);
            p.setPen(Qt::darkBlue);
            p.drawText(box.adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignRight,
                       QString::number(r * 7 + c + 1));
            if ((r * 7 + c) % 3 == 0)
                p.drawText(box.adjusted(4, 24, -4, -2), Qt::TextWordWrap,
                           "Meeting at ten, call the printer");
        }
    return img;
}

// 5,000 records: pens, brushes, rectangles, ellipses, polylines and text.
QByteArray MetafileBytes()
{
    QByteArray b;
    auto u32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    auto rec = [&](quint32 type, std::initializer_list<quint32> values) {
        u32(type);
        u32(8 + 4 * quint32(values.size()));
        for (quint32 v : values)
            u32(v);
    };
    // Header: bounds, frame (0.01 mm), signature, version, size (patched),
    // records, handles, description, palette, device 1056 x 816 px at 96 PPI.
    rec(1, {0, 0, 1055, 815, 0, 0, 27940, 21590, 0x464D4520, 0x10000, 0, 0, 16, 0, 0, 0,
            1056, 816, 279, 216});
    int records = 1;
    for (int i = 0; records < 4999; ++i) {
        const quint32 x = quint32((i * 37) % 1000), y = quint32((i * 53) % 780);
        rec(39, {1, 0, quint32(((i * 40) & 0xFF) | ((i * 7 & 0xFF) << 8) | 0x300000), 0});
        rec(37, {1});
        rec(38, {2, 0, 1, 0, 0x000000});
        rec(37, {2});
        rec(i % 2 ? 43 : 42, {x, y, x + 40, y + 24});
        rec(87, {0, 0, 0, 0, 3, (y << 16) | x, ((y + 20) << 16) | (x + 30),
                 ((y + 5) << 16) | (x + 50)});
        records += 6;
    }
    rec(14, {0, 16, 20});
    ++records;
    // nBytes at offset 48, nRecords at 52.
    const quint32 size = quint32(b.size()), count = quint32(records);
    for (int i = 0; i < 4; ++i) {
        b[48 + i] = char((size >> (8 * i)) & 0xFF);
        b[52 + i] = char((count >> (8 * i)) & 0xFF);
    }
    return b;
}

void BM_JpegEncodePage(benchmark::State& state)
{
    const QImage page = PageImage();
    const QByteArray out = qgetenv("DAYLOOM_BENCH_OUT");
    if (!out.isEmpty()) {
        dayloom::BmpFile::FromImage(page).Save(QString::fromLocal8Bit(out) + "/page.bmp");
        QFile f(QString::fromLocal8Bit(out) + "/page.jpg");
        if (f.open(QIODevice::WriteOnly))
            f.write(dayloom::JpegCodec::Encode(page, 100));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(dayloom::JpegCodec::Encode(page, 100));
}
BENCHMARK(BM_JpegEncodePage)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_JpegDecodePalette(benchmark::State& state)
{
    const QByteArray jpeg = dayloom::JpegCodec::Encode(PageImage(), 90);
    for (auto _ : state)
        benchmark::DoNotOptimize(dayloom::JpegCodec::DecodePalette(jpeg));
}
BENCHMARK(BM_JpegDecodePalette)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MetafilePlay5000(benchmark::State& state)
{
    const dayloom::TMetafile m = dayloom::TMetafile::FromBytes(MetafileBytes());
    QImage img(1056, 816, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        m.Play(p, QRectF(0, 0, 1056, 816));
    }
}
BENCHMARK(BM_MetafilePlay5000)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
