#pragma once

#include <memory>
#include <vector>

#include <QHash>
#include <QObject>
#include <QString>

#include "stream/componentclass.h"

namespace dayloom {

// The classes the stream knows: looked up by their record name when reading
// and by an instance's meta-object when writing. Register a base class before
// the classes derived from it (ClassBuilder does the registering).
//
// Every registry knows TFont (Charset, Color, Height, Name, Pitch, Size never
// written, Style), so font properties can be declared as nested objects.
class ComponentRegistry {
public:
    ComponentRegistry();
    ComponentRegistry(const ComponentRegistry&) = delete;
    ComponentRegistry& operator=(const ComponentRegistry&) = delete;

    // The registry the program's classes register with and readers and
    // writers use unless given another.
    static ComponentRegistry& Global();

    // The base is the nearest registered class among the meta-object's
    // superclasses. A name registered twice is a programming error.
    ComponentClass& RegisterClass(const QString& name, const QMetaObject* metaObject);

    // By record name, ignoring case; null when unknown.
    const ComponentClass* FindClass(const QString& name) const;
    // The registered class of an instance: its own or the nearest base's.
    const ComponentClass* ClassOf(const QObject* object) const;
    const ComponentClass* ClassFor(const QMetaObject* metaObject) const;

private:
    std::vector<std::unique_ptr<ComponentClass>> m_classes;
    QHash<QString, ComponentClass*> m_byName;
    QHash<const QMetaObject*, ComponentClass*> m_byMeta;
};

}  // namespace dayloom
