// JPEG decoding with both sets of settings; corrupt data must fail cleanly.
#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "imaging/jpegcodec.h"
#include "core/readerror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     qsizetype(size));
    try {
        dayloom::JpegCodec::Decode(bytes);
    } catch (const dayloom::ReadError&) {
    }
    try {
        dayloom::JpegCodec::DecodePalette(bytes);
    } catch (const dayloom::ReadError&) {
    }
    return 0;
}
