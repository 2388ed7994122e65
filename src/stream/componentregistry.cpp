#include "stream/componentregistry.h"

#include <algorithm>
#include <stdexcept>

#include "core/tfont.h"
#include "stream/classbuilder.h"

namespace dayloom {

namespace {

QString Key(const QString& name) { return name.toLower(); }

void RegisterFont(ComponentRegistry& registry)
{
    ClassBuilder<TFont>(registry, QStringLiteral("TFont"))
        .Integer("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET, &CharsetIdents())
        .Color("Color", &TFont::Color, &TFont::SetColor)
        .Integer("Height", &TFont::Height, &TFont::SetHeight)
        .String("Name", &TFont::Name, &TFont::SetName)
        .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"}, fpDefault)
        // The height carries the size; Size is only accepted when read.
        .Integer("Size", &TFont::Size, [](TFont& f, int points) { f.SetSize(std::clamp(points, -32767, 32767)); })
        .Stored([](const TFont&) { return false; })
        .Set("Style", &TFont::Style, &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
}

}  // namespace

ComponentRegistry::ComponentRegistry() { RegisterFont(*this); }

ComponentRegistry& ComponentRegistry::Global()
{
    static ComponentRegistry registry;
    return registry;
}

ComponentClass& ComponentRegistry::RegisterClass(const QString& name, const QMetaObject* metaObject)
{
    if (name.isEmpty() || name.size() > 255 || m_byName.contains(Key(name)))
        throw std::logic_error("bad or duplicate stream class name: " + name.toStdString());
    if (m_byMeta.contains(metaObject))
        throw std::logic_error("class registered twice: " + name.toStdString());
    const ComponentClass* base = nullptr;
    if (metaObject)
        base = ClassFor(metaObject->superClass());
    m_classes.push_back(std::make_unique<ComponentClass>(name, metaObject, base));
    ComponentClass* c = m_classes.back().get();
    m_byName.insert(Key(name), c);
    if (metaObject)
        m_byMeta.insert(metaObject, c);
    return *c;
}

const ComponentClass* ComponentRegistry::FindClass(const QString& name) const
{
    return m_byName.value(Key(name), nullptr);
}

const ComponentClass* ComponentRegistry::ClassOf(const QObject* object) const
{
    return object ? ClassFor(object->metaObject()) : nullptr;
}

const ComponentClass* ComponentRegistry::ClassFor(const QMetaObject* metaObject) const
{
    for (const QMetaObject* m = metaObject; m; m = m->superClass()) {
        if (ComponentClass* c = m_byMeta.value(m, nullptr))
            return c;
    }
    return nullptr;
}

}  // namespace dayloom
