#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QString>
#include <QStringList>

namespace dayloom {

class IdentMap;

// How a published property travels in a component record.
enum class PropertyKind {
    Integer,  // tag 2/3/4, or an identifier through the ident map (colours, cursors)
    Char,     // a one-character string
    Enum,     // its value name as an identifier
    Bool,     // tag 9 / tag 8
    Set,      // tag 11 with the names of the bits present, bit 0 first
    Float,    // tag 5
    String,   // tag 6 or 12
    Object,   // a nested object: its own properties as "Name.Sub"
};

// One published property of a component class. Accessors take the instance
// as a QObject of the class that declared the property.
struct PropertyInfo {
    QString name;
    PropertyKind kind = PropertyKind::Integer;

    // Integer, Char (the UTF-16 code), Enum, Bool, Set (bit mask).
    std::function<qint64(const QObject*)> getOrdinal;
    std::function<void(QObject*, qint64)> setOrdinal;
    std::function<double(const QObject*)> getFloat;
    std::function<void(QObject*, double)> setFloat;
    std::function<QString(const QObject*)> getString;
    std::function<void(QObject*, const QString&)> setString;
    // Object: the nested object (may be null); nested objects need no setter.
    std::function<QObject*(const QObject*)> getObject;

    // Ordinal kinds: a value equal to the declared default is not written;
    // without a declared default the value is always written.
    std::optional<qint64> defaultValue;
    // When set and false for an instance, the property is not written.
    std::function<bool(const QObject*)> stored;
    // Enum value names (ordinal 0 first) or set member names (bit 0 first).
    QStringList valueNames;
    // Integer: names for some values, written instead of the number.
    const IdentMap* identMap = nullptr;

    bool HasSetter() const
    {
        switch (kind) {
        case PropertyKind::Float: return bool(setFloat);
        case PropertyKind::String: return bool(setString);
        case PropertyKind::Object: return true;
        default: return bool(setOrdinal);
        }
    }
};

}  // namespace dayloom
