// Feeds arbitrary bytes to the readers of the system's own files that the
// configuration report uses (os-release, /proc/cpuinfo, /proc/meminfo,
// /etc/default/*, /proc/bus/input/devices). They must never fail, whatever
// the bytes.
#include <cstddef>
#include <cstdint>

#include "core/systeminformation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dayloom::sysinfo;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    OsReleaseName(bytes);
    int count = 0;
    CpuModel(bytes, &count);
    if (count < 0)
        __builtin_trap();
    const dayloom::MemoryStatus m = ParseMeminfo(bytes);
    // Figures are never negative and nothing available exceeds the total.
    if (m.total < 0 || m.available < 0 || m.available > m.total || m.swapTotal < 0 ||
        m.committed < 0)
        __builtin_trap();
    ShellVariable(bytes, QStringLiteral("LANG"));
    PointingDevices(bytes);
    return 0;
}
