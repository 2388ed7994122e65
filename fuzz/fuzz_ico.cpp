// Icon files: the directory and every image in it.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QGuiApplication>

#include "imaging/iconfile.h"
#include "core/readerror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     qsizetype(size));
    try {
        const dayloom::IconFile icon = dayloom::IconFile::FromBytes(bytes);
        for (int i = 0; i < icon.ImageCount(); ++i) {
            try {
                dayloom::IconFile::DrawOnBitmap(icon.Image(i));
            } catch (const dayloom::ReadError&) {
            }
        }
    } catch (const dayloom::ReadError&) {
    }
    return 0;
}
