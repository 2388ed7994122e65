// Feeds arbitrary bytes to the calendar-document and style-sheet readers.
// A document that reads must write and read back to the same bytes.
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>

#include "core/readerror.h"
#include "core/screen.h"
#include "objects/pageobjectclasses.h"
#include "objects/tggraphiccontrol.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "stream/classbuilder.h"
#include "stream/componentregistry.h"

namespace {

// A page object with a string and a float besides the base's geometry.
class TFuzzShape : public dayloom::TGGraphicControl {
    Q_OBJECT
public:
    explicit TFuzzShape(QObject* parent = nullptr) : TGGraphicControl(parent) {}
    QString Caption;
    double Ratio = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    dayloom::SetScreenPPI(96);
    using dayloom::ClassBuilder;
    dayloom::RegisterPageObjectClasses(dayloom::ComponentRegistry::Global());
    ClassBuilder<TFuzzShape>(dayloom::ComponentRegistry::Global(), QStringLiteral("TFuzzShape"))
        .Creatable()
        .String("Caption", [](const TFuzzShape& s) { return s.Caption; },
                [](TFuzzShape& s, const QString& v) { s.Caption = v; })
        .Float("Ratio", [](const TFuzzShape& s) { return s.Ratio; },
               [](TFuzzShape& s, double v) { s.Ratio = v; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dayloom;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        TCalendarPanel32 page;
        bool read = true;
        try {
            CalendarDocument::Load(page, input);
        } catch (const ReadError&) {
            read = false;
        }
        if (read) {
            const QByteArray written = CalendarDocument::Save(page);
            TCalendarPanel32 again;
            CalendarDocument::Load(again, written);
            for (TGGraphicControl* o : again.Objects())
                o->setObjectName(QString());
            for (TGGraphicControl* o : page.Objects())
                o->setObjectName(QString());
            if (CalendarDocument::Save(again) != CalendarDocument::Save(page))
                abort();  // what the writer writes must read back unchanged
        }
    }
    {
        TCalendarPanel32 page;
        try {
            CalendarDocument::LoadStyle(page, input);
        } catch (const ReadError&) {
        }
    }
    return 0;
}

#include "fuzz_document.moc"
