#pragma once

#include <functional>

#include <QObject>

#include "stream/streamablepersistent.h"

namespace dayloom {

class TWPRtfStorage;

// The nested stream object behind a rich-text label's RTFText: no
// published properties, one raw value "Data" holding the RTF followed by
// four zero bytes, left out when the text is empty.
class RtfTextContainer : public QObject, public StreamablePersistent {
    Q_OBJECT
public:
    RtfTextContainer(TWPRtfStorage* store, QObject* parent);

    TWPRtfStorage* Store() const { return m_store; }
    // Called after the text was read.
    void SetOnRead(std::function<void()> onRead) { m_onRead = std::move(onRead); }

    void WriteExtraProperties(ValueWriter& writer) const override;
    bool ReadExtraProperty(const QString& name, ValueReader& reader) override;

private:
    TWPRtfStorage* m_store;
    std::function<void()> m_onRead;
};

}  // namespace dayloom
