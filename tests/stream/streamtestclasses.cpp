#include "streamtestclasses.h"

#include "stream/classbuilder.h"

namespace dayloom::test {

TThing::TThing(QObject* parent) : QObject(parent), Font(new TFont(this))
{
    ++Alive();
}

TThing::~TThing() { --Alive(); }

int& TThing::Alive()
{
    static int count = 0;
    return count;
}

void TThing::WriteExtraProperties(ValueWriter& writer) const
{
    if (Data.isEmpty())
        return;
    writer.WritePropName(QStringLiteral("Blob.Data"));
    writer.WriteBinary(Data);
}

bool TThing::ReadExtraProperty(const QString& name, ValueReader& reader)
{
    if (name.compare(QLatin1String("Blob.Data"), Qt::CaseInsensitive) != 0)
        return false;
    Data = reader.ReadBinary();
    return true;
}

void RegisterThings(ComponentRegistry& registry)
{
    ClassBuilder<TThing>(registry, QStringLiteral("TThing"))
        .Creatable()
        .Integer("Tag", [](const TThing& t) { return t.Tag; }, [](TThing& t, int v) { t.Tag = v; }, 0)
        .Integer("Left", [](const TThing& t) { return t.Left; }, [](TThing& t, int v) { t.Left = v; })
        .Cursor("Cursor", [](const TThing& t) { return t.Cursor; }, [](TThing& t, int v) { t.Cursor = v; }, 0)
        .Bool("Locked", [](const TThing& t) { return t.Locked; }, [](TThing& t, bool v) { t.Locked = v; }, false)
        .Enum("Shade", [](const TThing& t) { return t.Shade; }, [](TThing& t, TShade v) { t.Shade = v; },
              {"shNone", "shLight", "shDark"}, shLight)
        .Set("Styles", [](const TThing& t) { return t.Styles; }, [](TThing& t, int v) { t.Styles = v; },
             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, 0)
        .Char("Letter", [](const TThing& t) { return t.Letter; }, [](TThing& t, QChar v) { t.Letter = v; }, 'a')
        .Float("Ratio", [](const TThing& t) { return t.Ratio; }, [](TThing& t, double v) { t.Ratio = v; })
        .String("Caption", [](const TThing& t) { return t.Caption; },
                [](TThing& t, const QString& v) { t.Caption = v; })
        .Color("Color", [](const TThing& t) { return t.Color; }, [](TThing& t, qint32 v) { t.Color = v; })
        .Object("Font", [](const TThing& t) { return t.Font; })
        .Stored([](const TThing& t) { return !t.ParentFont; })
        .Integer("Constant", [](const TThing& t) { return t.Constant; }, nullptr)
        .Stored([](const TThing&) { return false; });
    ClassBuilder<TBigThing>(registry, QStringLiteral("TBigThing"))
        .Creatable()
        .Integer("Extra", [](const TBigThing& t) { return t.Extra; }, [](TBigThing& t, int v) { t.Extra = v; });
}

}  // namespace dayloom::test
