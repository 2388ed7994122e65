// Clip art: thumbnails of a folder of 500 pictures (goal: within 2 s, made
// on worker threads while the window stays free), one drag step of a page
// holding a placed 4,000 x 3,000 PNG with transparency (goal: under 8 ms,
// the object drawing a cached copy at its size), and recording an SVG
// drawing as a metafile.
//
// The folder mixes what a clip-art folder holds: the program's own SVG and
// EMF drawings (data/Clipart) and 240 x 180 PNG pictures with transparency.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include "imaging/imageloader.h"
#include "imaging/svgimport.h"
#include "imaging/thumbnailloader.h"
#include "objects/objectdialogs.h"
#include "objects/tghandle.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "page/tcalendarpanel32.h"

using namespace dayloom;

namespace {

QString ClipartFolder()
{
    return QStringLiteral(DAYLOOM_SOURCE_DIR "/data/Clipart");
}

QStringList MakeFolder(const QTemporaryDir& dir, int count)
{
    const QDir art(ClipartFolder());
    const QStringList shipped = art.entryList({QStringLiteral("*.svg"), QStringLiteral("*.emf")});
    QImage png(240, 180, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    {
        QPainter p(&png);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(200, 40, 40, 200));
        p.drawEllipse(QRectF(10, 10, 220, 160));
    }
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        QString path;
        if (i % 2 == 0 && !shipped.isEmpty()) {
            const QString name = shipped.at((i / 2) % shipped.size());
            path = dir.filePath(QStringLiteral("%1-%2").arg(i).arg(name));
            QFile::copy(art.filePath(name), path);
        } else {
            path = dir.filePath(QStringLiteral("picture%1.png").arg(i));
            png.save(path);
        }
        paths << path;
    }
    return paths;
}

}  // namespace

static void BM_ThumbnailsOf500Pictures(benchmark::State& state)
{
    QTemporaryDir dir;
    const QStringList paths = MakeFolder(dir, 500);
    for (auto _ : state) {
        ThumbnailLoader loader;
        QEventLoop loop;
        int delivered = 0;
        QObject::connect(&loader, &ThumbnailLoader::Ready, [&delivered] { ++delivered; });
        QObject::connect(&loader, &ThumbnailLoader::Finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loader.Start(paths, QSize(48, 48));
        loop.exec();
        if (delivered != paths.size())
            state.SkipWithError("not every thumbnail arrived");
    }
}
BENCHMARK(BM_ThumbnailsOf500Pictures)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_DragStepPlaced4000x3000Png(benchmark::State& state)
{
    QImage photo(4000, 3000, QImage::Format_ARGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgba(x & 0xFF, y & 0xFF, (x + y) & 0xFF, 100 + (x % 156));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.png"));
    photo.save(path);
    const LoadedPicture loaded = ImageLoader::Load(path);
    ObjectDialogs().browseImage = [&loaded](LoadedPicture& picture, bool& stretch, bool& autoSize) {
        picture = loaded;
        stretch = true;
        autoSize = false;
        return true;
    };
    TCalendarPanel32 page;
    auto* image = new TGImage;
    page.AddObject(image);
    image->SetBounds(QRect(60, 120, 480, 360));
    image->LoadImageFromDisk();
    ObjectDialogs() = ObjectDialogHooks();
    page.SelectAll();
    QImage target(page.ViewSize(), QImage::Format_RGB32);
    QImage offscreen;
    {
        QPainter p(&target);
        page.PaintView(p, offscreen);
    }
    int step = 1;
    for (auto _ : state) {
        TGHandle* h = page.Handle();
        h->ApplyBounds(h->NewBounds(TGHandle::ZoneMove, step, 0));
        step = -step;
        h->Refit();
        QPainter p(&target);
        page.PaintView(p, offscreen);
    }
    state.counters["picture_width"] = image->Picture()->Width();
}
BENCHMARK(BM_DragStepPlaced4000x3000Png)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

static void BM_RecordSvgAsMetafile(benchmark::State& state)
{
    QFile f(ClipartFolder() + QStringLiteral("/christmas-tree.svg"));
    f.open(QIODevice::ReadOnly);
    const QByteArray svg = f.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(SvgImport::ToMetafile(svg).Bytes().size());
}
BENCHMARK(BM_RecordSvgAsMetafile)->Unit(benchmark::kMillisecond);
