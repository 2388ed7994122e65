// Shared by the metafile targets (fuzz_emf, fuzz_wmf): the loader tells the
// kinds apart, each target starts from its own corpus.
// Metafiles: load, then play onto a small bitmap (text needs fonts, hence
// the offscreen application made once). Fontconfig's caches behind that
// application are still held at exit; run with ASAN_OPTIONS=detect_leaks=0 or the leak
// check reports them when the run ends.
#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "imaging/tmetafile.h"
#include "core/readerror.h"

namespace {

QGuiApplication* MakeApp()
{
    static int argc = 1;
    static char name[] = "fuzz_metafile";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

QGuiApplication* const app = MakeApp();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const dayloom::TMetafile m = dayloom::TMetafile::FromBytes(bytes);
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        m.Play(p, QRectF(0, 0, 64, 48));
        p.end();
        dayloom::TMetafile::FromPictureData(m.PictureData());
    } catch (const dayloom::ReadError&) {
    }
    return 0;
}
