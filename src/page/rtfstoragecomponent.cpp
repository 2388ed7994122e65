#include "page/rtfstoragecomponent.h"

#include <mutex>

#include "richtext/twprtfstorage.h"
#include "stream/classbuilder.h"
#include "stream/componentregistry.h"
#include "stream/valuereader.h"
#include "stream/valuewriter.h"

namespace dayloom {

namespace {

const QString kDataName = QStringLiteral("RtfText.Data");

}  // namespace

RtfStorageComponent::RtfStorageComponent(TWPRtfStorage* store, QObject* parent)
    : QObject(parent), m_store(store)
{
}

void RtfStorageComponent::WriteExtraProperties(ValueWriter& writer) const
{
    if (!m_store || m_store->IsEmpty())
        return;
    QByteArray data = m_store->RtfText();
    data.append(4, '\0');
    writer.WritePropName(kDataName);
    writer.WriteBinary(data);
}

bool RtfStorageComponent::ReadExtraProperty(const QString& name, ValueReader& reader)
{
    if (name.compare(kDataName, Qt::CaseInsensitive) != 0)
        return false;
    QByteArray data = reader.ReadBinary();
    // The RTF is followed by 0 bytes (four when this program wrote it).
    qsizetype end = data.size();
    while (end > 0 && data.at(end - 1) == '\0')
        --end;
    data.truncate(end);
    if (m_store) {
        if (data.isEmpty())
            m_store->Clear();
        else
            m_store->SetRtfText(data);
    }
    return true;
}

void RtfStorageComponent::Loading()
{
    if (m_store && !m_store->IsEmpty())
        m_store->Clear();
}

void RtfStorageComponent::Register(ComponentRegistry& registry)
{
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    if (registry.FindClass(QStringLiteral("TWPRtfStorage")))
        return;
    // Cell stores are only ever read into the page's existing stores, so the
    // class has no factory: in an object list it is not a class to create.
    ClassBuilder<RtfStorageComponent>(registry, QStringLiteral("TWPRtfStorage"));
}

}  // namespace dayloom
