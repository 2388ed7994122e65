// Feeds arbitrary bytes to the calendar-document and style-sheet readers.
// A document that reads (whole or in part) must write bytes that read back
// whole, with the same objects; from the second generation on, writing and
// reading change nothing.
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include "core/readerror.h"
#include "core/screen.h"
#include "objects/pageobjectclasses.h"
#include "objects/symbolfonts.h"
#include "objects/tggraphiccontrol.h"
#include "objects/tgsupertext.h"
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
    // No application fonts: the static application would remove them after
    // Qt's font cache is gone at exit.
    dayloom::SymbolFonts::SetExtraFontFolders({});
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
        DocumentLoadResult first;
        try {
            first = CalendarDocument::Load(page, input);
        } catch (const ReadError&) {
            read = false;
        }
        if (read) {
            if (first.ObjectsRead != page.Objects().size())
                abort();  // every object read is on the page
            // Special-effects texts draw whatever their values, on the
            // screen at a zoom and on paper at 600 dots per inch.
            QImage canvas(64, 64, QImage::Format_RGB32);
            QPicture paper;
            {
                QPainter p(&canvas);
                QPainter onPaper(&paper);
                const double paperScale = 600.0 / 96.0;
                onPaper.scale(paperScale, paperScale);
                const PageMapping screen = PageMapping::Screen(Zoom(0.601f), 96);
                for (TGGraphicControl* o : page.Objects())
                    if (auto* text = qobject_cast<TGSuperText*>(o)) {
                        text->Paint(p, screen);
                        text->PaintPaper(onPaper, 96, paperScale);
                    }
            }
            // What the writer wrote reads back whole with the same objects.
            // Values the writer leaves out (empty strings, zero floats) read
            // back as constructed, and names are given anew on reading (a
            // component read and dropped still takes one): without names,
            // the second generation is the fixed point.
            for (TGGraphicControl* o : page.Objects())
                o->setObjectName(QString());
            const QByteArray firstWritten = CalendarDocument::Save(page);
            TCalendarPanel32 again;
            const DocumentLoadResult second = CalendarDocument::Load(again, firstWritten);
            if (second.Partial() || second.ObjectsRead != first.ObjectsRead)
                abort();  // what was kept of a damaged document is whole again
            for (TGGraphicControl* o : again.Objects())
                o->setObjectName(QString());
            const QByteArray written = CalendarDocument::Save(again);
            if (written != firstWritten) {
                TCalendarPanel32 third;
                if (CalendarDocument::Load(third, written).Partial())
                    abort();
                for (TGGraphicControl* o : third.Objects())
                    o->setObjectName(QString());
                if (CalendarDocument::Save(third) != written)
                    abort();  // what the writer writes must read back unchanged
            }
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
