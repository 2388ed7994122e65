#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

#include "stream/propertyinfo.h"

namespace dayloom {

// The stream's description of one registered class: its name in records, its
// base class, the properties it declares itself (in stream order) and, for
// classes a record can create, a factory.
class ComponentClass {
public:
    // Creates an instance for a record read with the given owner and parent.
    // The instance must be deletable with delete; children the reader creates
    // for it receive it as their parent.
    using Factory = std::function<QObject*(QObject* owner, QObject* parent)>;

    ComponentClass(const QString& name, const QMetaObject* metaObject, const ComponentClass* base);

    const QString& Name() const { return m_name; }
    const QMetaObject* MetaObject() const { return m_metaObject; }
    const ComponentClass* Base() const { return m_base; }

    const Factory& GetFactory() const { return m_factory; }
    void SetFactory(Factory factory) { m_factory = std::move(factory); }

    // Declared by this class, in declaration order.
    const std::vector<PropertyInfo>& OwnProperties() const { return m_properties; }
    void AddProperty(PropertyInfo info);
    PropertyInfo& LastProperty() { return m_properties.back(); }

    // Every published property in stream order: the base classes' first.
    std::vector<const PropertyInfo*> Properties() const;
    // Looked up by name ignoring case, this class first, then its bases.
    const PropertyInfo* FindProperty(const QString& name) const;

private:
    QString m_name;
    const QMetaObject* m_metaObject;
    const ComponentClass* m_base;
    Factory m_factory;
    std::vector<PropertyInfo> m_properties;
};

}  // namespace dayloom
