#pragma once

#include <QString>

namespace dayloom {

class ValueReader;
class ValueWriter;

// Mixed into a registered class (a component or a nested object such as a
// picture) that streams state beyond its published properties, for example
// its data as a binary value named "Data".
class StreamablePersistent {
public:
    virtual ~StreamablePersistent() = default;

    // Called after the published properties are written. Write name/value
    // pairs with writer.WritePropName(name) followed by one value; the name
    // gets the dotted path of this object in front.
    virtual void WriteExtraProperties(ValueWriter& writer) const { Q_UNUSED(writer); }

    // Offered a property name that no published property of this object
    // takes (the rest of a dotted path, e.g. "Data" or "RtfText.Data"). Read
    // exactly one value and return true, or return false without reading.
    virtual bool ReadExtraProperty(const QString& name, ValueReader& reader)
    {
        Q_UNUSED(name);
        Q_UNUSED(reader);
        return false;
    }
};

}  // namespace dayloom
