// Icons of 16-bit (NE) icon libraries: .ICL and .NIL files, old programs: the resource table, every icon group and the images it
// names, as the icon palette and --icons read them.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "imaging/iconlibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     qsizetype(size));
    const dayloom::IconLibrary library = dayloom::IconLibrary::FromBytes(bytes);
    // Decoding is the same for every group: a few are enough per input.
    const int count = std::min(library.Count(), 32);
    for (int i = 0; i < count; ++i) {
        library.GroupName(i);
        library.Icon(i);
    }
    return 0;
}
