#pragma once

#include <QObject>

#include "stream/streamablecomponent.h"

namespace dayloom {

class ComponentRegistry;
class TWPRtfStorage;

// A day-cell store as a component record of class "TWPRtfStorage": no
// published properties, and the text as the extra property "RtfText.Data", a
// binary holding the RTF document followed by four 0 bytes. An empty store
// writes no property at all.
class RtfStorageComponent : public QObject, public StreamableComponent {
    Q_OBJECT
public:
    explicit RtfStorageComponent(TWPRtfStorage* store, QObject* parent = nullptr);

    TWPRtfStorage* Store() const { return m_store; }

    void WriteExtraProperties(ValueWriter& writer) const override;
    bool ReadExtraProperty(const QString& name, ValueReader& reader) override;
    // Reading a record replaces the text: a record without the property is
    // an empty cell.
    void Loading() override;

    // Registers the class with the registry (once per registry).
    static void Register(ComponentRegistry& registry);

private:
    TWPRtfStorage* m_store;
};

}  // namespace dayloom
