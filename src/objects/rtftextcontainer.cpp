#include "objects/rtftextcontainer.h"

#include "richtext/twprtfstorage.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace dayloom {

RtfTextContainer::RtfTextContainer(TWPRtfStorage* store, QObject* parent) : QObject(parent), m_store(store) {}

void RtfTextContainer::WriteExtraProperties(ValueWriter& writer) const
{
    if (m_store->IsEmpty())
        return;
    QByteArray data = m_store->RtfText();
    data.append(4, '\0');
    writer.WritePropName(QStringLiteral("Data"));
    writer.WriteBinary(data);
}

bool RtfTextContainer::ReadExtraProperty(const QString& name, ValueReader& reader)
{
    if (name.compare(QLatin1String("Data"), Qt::CaseInsensitive) != 0)
        return false;
    QByteArray data = reader.ReadBinary();
    while (data.endsWith('\0'))
        data.chop(1);
    m_store->SetRtfText(data);
    if (m_onRead)
        m_onRead();
    return true;
}

}  // namespace dayloom
