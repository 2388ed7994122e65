// Bitmap files and bare DIBs: every input either decodes or throws the read error.
#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "imaging/bmpfile.h"
#include "imaging/dibreader.h"
#include "core/readerror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     qsizetype(size));
    try {
        dayloom::BmpFile::FromBytes(bytes);
    } catch (const dayloom::ReadError&) {
    }
    try {
        dayloom::DibReader::Read(bytes);
    } catch (const dayloom::ReadError&) {
    }
    return 0;
}
