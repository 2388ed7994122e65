// Feeds arbitrary bytes to the ini-file reader, then reads and writes through
// it so that every path over odd lines is exercised.
#include <cstddef>
#include <cstdint>

#include "stream/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dayloom::IniFile ini;
    ini.SetData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    ini.ReadString(QStringLiteral("MRU"), QStringLiteral("F0"), QString());
    ini.ReadInteger(QStringLiteral("Zooming"), QStringLiteral("Main"), 60);
    ini.ReadBool(QStringLiteral("Hints"), QStringLiteral("On"), true);
    const QStringList lines = ini.ReadSection(QStringLiteral("MRU"));
    ini.WriteInteger(QStringLiteral("Zooming"), QStringLiteral("Main"), int(lines.size()));
    ini.WriteString(QStringLiteral("MRU"), QStringLiteral("F9"), QStringLiteral("x"));
    ini.EraseSection(QStringLiteral("Icons"));
    ini.DeleteKey(QStringLiteral("Zooming"), QStringLiteral("Prop"));
    // What was written must read back the same way.
    dayloom::IniFile again;
    again.SetData(ini.Data());
    if (again.ReadString(QStringLiteral("MRU"), QStringLiteral("F9"), QString()) !=
        ini.ReadString(QStringLiteral("MRU"), QStringLiteral("F9"), QString()))
        __builtin_trap();
    return 0;
}
