#pragma once

#include <QList>
#include <QObject>

#include "stream/streamablepersistent.h"

namespace dayloom {

// Mixed into a registered class that is written as a component record. The
// record's component name is the object's QObject::objectName().
class StreamableComponent : public StreamablePersistent {
public:
    // Written as child records after the properties, in this order.
    virtual QList<QObject*> StreamChildren() const { return {}; }

    // Called when a reader begins to fill this component (before its
    // properties) and once the whole record list has been read.
    virtual void Loading() {}
    virtual void Loaded() {}
};

}  // namespace dayloom
