// Fuzzes the value reader and the component reader. The first byte picks
// the mode; whatever records were read must write back to bytes that read
// again, and a second generation must write back to itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QObject>

#include "core/readerror.h"
#include "core/tfont.h"
#include "stream/classbuilder.h"
#include "stream/componentregistry.h"
#include "stream/streamablecomponent.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace {

using namespace dayloom;

class TFuzzThing : public QObject, public StreamableComponent {
    Q_OBJECT
public:
    explicit TFuzzThing(QObject* parent = nullptr) : QObject(parent), Font(new TFont(this)) {}

    int Left = 0;
    int Cursor = 0;
    bool Locked = false;
    int Kind = 0;
    int Styles = 0;
    QChar Letter = QLatin1Char('a');
    double Ratio = 0;
    QString Caption;
    qint32 Color = 0;
    TFont* Font;
    QByteArray Data;

    void WriteExtraProperties(ValueWriter& writer) const override
    {
        if (Data.isEmpty())
            return;
        writer.WritePropName(QStringLiteral("Picture.Data"));
        writer.WriteBinary(Data);
    }
    bool ReadExtraProperty(const QString& name, ValueReader& reader) override
    {
        if (name.compare(QLatin1String("Picture.Data"), Qt::CaseInsensitive) != 0)
            return false;
        Data = reader.ReadBinary();
        return true;
    }
    QList<QObject*> StreamChildren() const override
    {
        QList<QObject*> out;
        for (QObject* c : children()) {
            if (qobject_cast<TFuzzThing*>(c))
                out << c;
        }
        return out;
    }
};

ComponentRegistry& Registry()
{
    static ComponentRegistry* registry = [] {
        auto* r = new ComponentRegistry;
        using T = TFuzzThing;
        ClassBuilder<T>(*r, QStringLiteral("TGPLabel"))
            .Creatable()
            .Integer("Left", [](const T& t) { return t.Left; }, [](T& t, int v) { t.Left = v; })
            .Cursor("Cursor", [](const T& t) { return t.Cursor; }, [](T& t, int v) { t.Cursor = v; }, 0)
            .Bool("Locked", [](const T& t) { return t.Locked; }, [](T& t, bool v) { t.Locked = v; }, false)
            .Enum("Alignment", [](const T& t) { return t.Kind; }, [](T& t, int v) { t.Kind = v; },
                  {"taLeftJustify", "taRightJustify", "taCenter"}, 0)
            .Set("Styles", [](const T& t) { return t.Styles; }, [](T& t, int v) { t.Styles = v; },
                 {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
            .Char("Letter", [](const T& t) { return t.Letter; }, [](T& t, QChar v) { t.Letter = v; })
            .Float("Ratio", [](const T& t) { return t.Ratio; }, [](T& t, double v) { t.Ratio = v; })
            .String("Caption", [](const T& t) { return t.Caption; }, [](T& t, const QString& v) { t.Caption = v; })
            .Color("Color", [](const T& t) { return t.Color; }, [](T& t, qint32 v) { t.Color = v; })
            .Object("Font", [](const T& t) { return t.Font; });
        return r;
    }();
    return *registry;
}

void ValueLoop(ValueReader& r, const uint8_t* ops, size_t opCount)
{
    for (size_t i = 0; !r.AtEnd(); ++i) {
        switch (opCount ? ops[i % opCount] % 12 : 0) {
        case 0: r.SkipValue(); break;
        case 1: r.ReadInteger(); break;
        case 2: r.ReadString(); break;
        case 3: r.ReadFloat(); break;
        case 4: r.ReadIdent(); break;
        case 5: r.ReadBinary(); break;
        case 6: r.ReadSet(); break;
        case 7: r.ReadListBegin(); break;
        case 8: r.ReadListEnd(); break;
        case 9: r.ReadChar(); break;
        case 10: r.ReadBoolean(); break;
        default: r.ReadStr(); break;
        }
    }
}

QByteArray ReadAndWrite(const QByteArray& input, bool lenient, bool* ok)
{
    std::vector<std::unique_ptr<QObject>> objects;
    ValueReader r(input);
    r.SetRegistry(&Registry());
    if (lenient)
        r.SetErrorHandler([](const QString&) { return true; });
    *ok = true;
    try {
        r.ReadComponents(nullptr, nullptr, [&](QObject* c) { objects.emplace_back(c); });
    } catch (const ReadError&) {
        *ok = false;
    }
    QByteArray out;
    ValueWriter w(&out);
    w.SetRegistry(&Registry());
    for (const auto& o : objects)
        w.WriteRootComponent(o.get());
    w.WriteListEnd();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int mode = data[0] % 4;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    try {
        switch (mode) {
        case 0: {
            // The first few bytes double as the sequence of read operations.
            ValueReader r(input);
            ValueLoop(r, data + 1, std::min<size_t>(size - 1, 8));
            break;
        }
        case 1:
        case 2: {
            // Empty strings and zero floats are left out and read back as
            // constructed values, so the second generation is the fixed point.
            bool ok = false;
            const QByteArray once = ReadAndWrite(input, mode == 2, &ok);
            const QByteArray twice = ReadAndWrite(once, false, &ok);
            if (!ok)
                std::abort();  // what the writer wrote must read back
            const QByteArray thrice = ReadAndWrite(twice, false, &ok);
            if (!ok || thrice != twice) {
                if (qEnvironmentVariableIsSet("FUZZ_STREAM_DEBUG"))
                    qWarning("twice  %s\nthrice %s", twice.toHex(' ').constData(), thrice.toHex(' ').constData());
                std::abort();
            }
            break;
        }
        default: {
            TFuzzThing root;
            ValueReader r(input);
            r.SetRegistry(&Registry());
            r.ReadRootComponent(&root);
            break;
        }
        }
    } catch (const ReadError&) {
    }
    return 0;
}

#include "fuzz_stream.moc"
