// SVG clip art: the scan, then (for what it lets through) the metafile
// recorded from the drawing played onto a small bitmap, and the texture
// rasterised. Text needs fonts, hence the offscreen application made once;
// run with ASAN_OPTIONS=detect_leaks=0 (fontconfig's caches live until exit).
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/readerror.h"
#include "imaging/svgimport.h"
#include "imaging/tmetafile.h"

namespace {

QGuiApplication* MakeApp()
{
    static int argc = 1;
    static char name[] = "fuzz_svg";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

QGuiApplication* const app = MakeApp();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!dayloom::SvgImport::IsSafe(bytes))
        return 0;
    try {
        const dayloom::TMetafile m = dayloom::SvgImport::ToMetafile(bytes);
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        m.Play(p, QRectF(0, 0, 64, 48));
        p.end();
        dayloom::SvgImport::Rasterise(bytes, 64);
    } catch (const dayloom::ReadError&) {
    }
    return 0;
}
