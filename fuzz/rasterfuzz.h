// Shared by the PNG and GIF targets: the clip-art loader for one format,
// the thumbnail reader and the bitmap the picture stores, each run on its
// own corpus. Qt's GIF reader is a plugin, hence the application made once.
#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QGuiApplication>
#include <QSize>

#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "imaging/imageloader.h"
#include "imaging/rasterreader.h"

namespace {

QGuiApplication* MakeApp()
{
    static int argc = 1;
    static char name[] = "fuzz_raster";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

QGuiApplication* const app = MakeApp();

int RunRaster(const uint8_t* data, size_t size, dayloom::ImageLoader::Kind kind)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto format = kind == dayloom::ImageLoader::Kind::Png ? dayloom::RasterReader::Format::Png
                                                                : dayloom::RasterReader::Format::Gif;
    try {
        const dayloom::LoadedPicture p = dayloom::ImageLoader::Load(bytes, kind);
        // What a document stores reads back.
        dayloom::BmpFile::FromBytes(p.BitmapValue.Bytes());
    } catch (const dayloom::ReadError&) {
    }
    try {
        dayloom::RasterReader::ReadScaled(bytes, format, QSize(48, 48));
    } catch (const dayloom::ReadError&) {
    }
    return 0;
}

}  // namespace
