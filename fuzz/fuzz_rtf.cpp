// Feeds arbitrary bytes to the RTF reader, then writes what was read and
// reads that again: neither may crash, hang or grow without bound, and the
// second read must give back the same document.
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>
#include <QTextDocument>

#include "core/screen.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "richtext/twprtfstorage.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Broken pictures make the image readers complain on every input.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    dayloom::SetScreenPPI(96);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    dayloom::TWPRtfStorage store;
    store.SetRtfText(input);
    const QByteArray written = store.RtfText();

    dayloom::TWPRtfStorage again;
    again.SetRtfText(written);
    if (again.RtfText() != written)
        abort();  // what the writer writes must read back unchanged
    return 0;
}
