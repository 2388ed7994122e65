#pragma once

#include <functional>
#include <optional>
#include <type_traits>

#include <QChar>
#include <QObject>
#include <QStringList>

#include "stream/componentclass.h"
#include "stream/componentregistry.h"
#include "stream/standardidents.h"

namespace dayloom {

// Registers class T (a QObject subclass with Q_OBJECT) and declares its
// published properties in stream order. Getters and setters are member
// function pointers or callables taking T; pass nullptr as the setter of a
// read-only property.
//
//   ClassBuilder<TGPLabel>(registry, "TGPLabel")
//       .Creatable()
//       .Enum("Alignment", &TGPLabel::Alignment, &TGPLabel::SetAlignment,
//             {"taLeftJustify", "taRightJustify", "taCenter"}, taLeftJustify)
//       .Color("colorShadow", &TGPLabel::colorShadow, &TGPLabel::SetcolorShadow, 0x808080)
//       .Object("Font", &TGPLabel::Font).Stored([](const TGPLabel& l) { return !l.ParentFont(); });
template <class T>
class ClassBuilder {
    static_assert(std::is_base_of_v<QObject, T>, "stream classes are QObjects");
    static_assert(QtPrivate::HasQ_OBJECT_Macro<T>::Value, "stream classes need Q_OBJECT");

public:
    using Default = std::optional<qint64>;

    ClassBuilder(ComponentRegistry& registry, const QString& name)
        : m_class(registry.RegisterClass(name, &T::staticMetaObject))
    {
    }

    ComponentClass& Class() const { return m_class; }

    // Records of this class create it with new T(parent).
    ClassBuilder& Creatable()
    {
        static_assert(std::is_constructible_v<T, QObject*>, "needs a T(QObject* parent) constructor");
        m_class.SetFactory([](QObject*, QObject* parent) -> QObject* { return new T(parent); });
        return *this;
    }
    ClassBuilder& Factory(ComponentClass::Factory factory)
    {
        m_class.SetFactory(std::move(factory));
        return *this;
    }

    template <class G, class S>
    ClassBuilder& Integer(const QString& name, G get, S set, Default def = std::nullopt,
                          const IdentMap* idents = nullptr)
    {
        PropertyInfo p = Ordinal(name, PropertyKind::Integer, get, set, def);
        p.identMap = idents;
        return Add(std::move(p));
    }
    template <class G, class S>
    ClassBuilder& Color(const QString& name, G get, S set, Default def = std::nullopt)
    {
        return Integer(name, get, set, def, &ColorIdents());
    }
    template <class G, class S>
    ClassBuilder& Cursor(const QString& name, G get, S set, Default def = std::nullopt)
    {
        return Integer(name, get, set, def, &CursorIdents());
    }
    template <class G, class S>
    ClassBuilder& Bool(const QString& name, G get, S set, Default def = std::nullopt)
    {
        return Add(Ordinal(name, PropertyKind::Bool, get, set, def));
    }
    template <class G, class S>
    ClassBuilder& Enum(const QString& name, G get, S set, const QStringList& names,
                       Default def = std::nullopt)
    {
        PropertyInfo p = Ordinal(name, PropertyKind::Enum, get, set, def);
        p.valueNames = names;
        return Add(std::move(p));
    }
    template <class G, class S>
    ClassBuilder& Set(const QString& name, G get, S set, const QStringList& names,
                      Default def = std::nullopt)
    {
        PropertyInfo p = Ordinal(name, PropertyKind::Set, get, set, def);
        p.valueNames = names;
        return Add(std::move(p));
    }
    template <class G, class S>
    ClassBuilder& Char(const QString& name, G get, S set, Default def = std::nullopt)
    {
        PropertyInfo p;
        p.name = name;
        p.kind = PropertyKind::Char;
        p.defaultValue = def;
        p.getOrdinal = [get](const QObject* o) -> qint64 {
            return QChar(std::invoke(get, *static_cast<const T*>(o))).unicode();
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setOrdinal = [set](QObject* o, qint64 v) {
                std::invoke(set, *static_cast<T*>(o), QChar(char16_t(v)));
            };
        }
        return Add(std::move(p));
    }
    template <class G, class S>
    ClassBuilder& Float(const QString& name, G get, S set)
    {
        using V = std::decay_t<std::invoke_result_t<G, const T&>>;
        PropertyInfo p;
        p.name = name;
        p.kind = PropertyKind::Float;
        p.getFloat = [get](const QObject* o) -> double {
            return double(std::invoke(get, *static_cast<const T*>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setFloat = [set](QObject* o, double v) {
                std::invoke(set, *static_cast<T*>(o), static_cast<V>(v));
            };
        }
        return Add(std::move(p));
    }
    template <class G, class S>
    ClassBuilder& String(const QString& name, G get, S set)
    {
        PropertyInfo p;
        p.name = name;
        p.kind = PropertyKind::String;
        p.getString = [get](const QObject* o) -> QString {
            return std::invoke(get, *static_cast<const T*>(o));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setString = [set](QObject* o, const QString& v) {
                std::invoke(set, *static_cast<T*>(o), v);
            };
        }
        return Add(std::move(p));
    }
    // A nested object (a font, a picture): written as its own properties
    // under "Name.". Its class must be registered too.
    template <class G>
    ClassBuilder& Object(const QString& name, G get)
    {
        PropertyInfo p;
        p.name = name;
        p.kind = PropertyKind::Object;
        p.getObject = [get](const QObject* o) -> QObject* {
            return std::invoke(get, *static_cast<const T*>(o));
        };
        return Add(std::move(p));
    }

    // Writes the last declared property only when the predicate holds.
    template <class Pred>
    ClassBuilder& Stored(Pred pred)
    {
        m_class.LastProperty().stored = [pred](const QObject* o) -> bool {
            return std::invoke(pred, *static_cast<const T*>(o));
        };
        return *this;
    }

private:
    template <class G, class S>
    static PropertyInfo Ordinal(const QString& name, PropertyKind kind, G get, S set, Default def)
    {
        using V = std::decay_t<std::invoke_result_t<G, const T&>>;
        PropertyInfo p;
        p.name = name;
        p.kind = kind;
        p.defaultValue = def;
        p.getOrdinal = [get](const QObject* o) -> qint64 {
            return static_cast<qint64>(std::invoke(get, *static_cast<const T*>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setOrdinal = [set](QObject* o, qint64 v) {
                std::invoke(set, *static_cast<T*>(o), static_cast<V>(v));
            };
        }
        return p;
    }

    ClassBuilder& Add(PropertyInfo p)
    {
        m_class.AddProperty(std::move(p));
        return *this;
    }

    ComponentClass& m_class;
};

}  // namespace dayloom
