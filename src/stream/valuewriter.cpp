#include "stream/valuewriter.h"

#include <stdexcept>

#include <QIODevice>
#include <QtEndian>

#include "core/cp1252.h"
#include "stream/componentregistry.h"
#include "stream/extendedfloat.h"
#include "stream/identmap.h"
#include "stream/streamablecomponent.h"
#include "stream/writeerror.h"

namespace dayloom {

namespace {
constexpr qsizetype kBufferSize = 1000;
// Nested objects inside nested objects; deeper means a cycle in the getters.
constexpr int kMaxObjectDepth = 16;
}  // namespace

ValueWriter::ValueWriter(QIODevice* device)
    : m_device(device), m_registry(&ComponentRegistry::Global())
{
    m_buffer.reserve(kBufferSize);
}

ValueWriter::ValueWriter(QByteArray* target)
    : m_target(target), m_registry(&ComponentRegistry::Global())
{
}

ValueWriter::~ValueWriter()
{
    try {
        Flush();
    } catch (const WriteError&) {
        // Reported only to callers that flush themselves.
    }
}

void ValueWriter::Flush()
{
    if (!m_device || m_buffer.isEmpty())
        return;
    const QByteArray pending = m_buffer;
    m_written += pending.size();
    m_buffer.clear();
    if (m_device->write(pending) != pending.size())
        throw WriteError(QString::fromLatin1(streamerror::StreamWriteError));
}

void ValueWriter::Put(const char* data, qsizetype size)
{
    if (m_target) {
        m_target->append(data, size);
        m_written += size;
        return;
    }
    if (m_buffer.size() + size > kBufferSize)
        Flush();
    if (size >= kBufferSize) {
        m_written += size;
        if (m_device->write(data, size) != size)
            throw WriteError(QString::fromLatin1(streamerror::StreamWriteError));
        return;
    }
    m_buffer.append(data, size);
}

void ValueWriter::WriteTag(ValueTag tag) { PutByte(quint8(tag)); }

void ValueWriter::WriteRaw(const QByteArray& bytes) { Put(bytes.constData(), bytes.size()); }

void ValueWriter::WriteListBegin() { WriteTag(ValueTag::List); }

void ValueWriter::WriteListEnd() { WriteTag(ValueTag::EndOfList); }

void ValueWriter::WriteInteger(qint32 value)
{
    if (value >= -128 && value <= 127) {
        WriteTag(ValueTag::Int8);
        PutByte(quint8(qint8(value)));
    } else if (value >= -32768 && value <= 32767) {
        WriteTag(ValueTag::Int16);
        char b[2];
        qToLittleEndian(qint16(value), b);
        Put(b, 2);
    } else {
        WriteTag(ValueTag::Int32);
        char b[4];
        qToLittleEndian(value, b);
        Put(b, 4);
    }
}

void ValueWriter::WriteBoolean(bool value) { WriteTag(value ? ValueTag::True : ValueTag::False); }

void ValueWriter::WriteString(const QString& text)
{
    const QByteArray bytes = toCp1252(text);
    if (bytes.size() < 256) {
        WriteTag(ValueTag::String);
        PutByte(quint8(bytes.size()));
    } else {
        WriteTag(ValueTag::LString);
        char b[4];
        qToLittleEndian(qint32(bytes.size()), b);
        Put(b, 4);
    }
    WriteRaw(bytes);
}

void ValueWriter::WriteFloat(double value)
{
    WriteTag(ValueTag::Extended);
    const Extended80 e = DoubleToExtended(value);
    Put(reinterpret_cast<const char*>(e.data()), qsizetype(e.size()));
}

void ValueWriter::WriteIdent(const QString& ident)
{
    if (ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        WriteTag(ValueTag::False);
    } else if (ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        WriteTag(ValueTag::True);
    } else if (ident.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
        WriteTag(ValueTag::Nil);
    } else {
        WriteTag(ValueTag::Ident);
        WriteStr(ident);
    }
}

void ValueWriter::WriteChar(QChar ch) { WriteString(QString(ch)); }

void ValueWriter::WriteBinary(const QByteArray& data)
{
    WriteTag(ValueTag::Binary);
    char b[4];
    qToLittleEndian(qint32(data.size()), b);
    Put(b, 4);
    WriteRaw(data);
}

void ValueWriter::WriteSet(const QStringList& members)
{
    WriteTag(ValueTag::Set);
    for (const QString& m : members) {
        if (!m.isEmpty())
            WriteStr(m);
    }
    PutByte(0);
}

void ValueWriter::WriteNil() { WriteTag(ValueTag::Nil); }

void ValueWriter::WriteStr(const QString& text)
{
    QByteArray bytes = toCp1252(text);
    if (bytes.size() > 255)
        bytes.truncate(255);
    PutByte(quint8(bytes.size()));
    WriteRaw(bytes);
}

void ValueWriter::WriteSignature() { Put(kComponentSignature, 4); }

void ValueWriter::WritePropName(const QString& name) { WriteStr(m_path + name); }

void ValueWriter::WriteRootComponent(const QObject* component)
{
    WriteSignature();
    WriteComponent(component);
}

void ValueWriter::WriteComponent(const QObject* component)
{
    const ComponentClass* cls = m_registry->ClassOf(component);
    if (!cls)
        throw std::logic_error("writing an object of an unregistered class");
    if (++m_depth > kMaxStreamNesting) {
        --m_depth;
        throw std::logic_error("components nested too deeply to be read back");
    }
    WriteStr(cls->Name());
    WriteStr(component->objectName());
    WriteProperties(component);
    WriteListEnd();
    if (auto* sc = dynamic_cast<const StreamableComponent*>(component)) {
        for (const QObject* child : sc->StreamChildren())
            WriteComponent(child);
    }
    WriteListEnd();
    --m_depth;
}

void ValueWriter::WriteProperties(const QObject* instance)
{
    const QString saved = m_path;
    m_path.clear();
    WriteObjectProperties(instance, 0);
    m_path = saved;
}

void ValueWriter::WriteObjectProperties(const QObject* instance, int depth)
{
    if (depth > kMaxObjectDepth)
        throw std::logic_error("nested stream objects form a cycle");
    const ComponentClass* cls = m_registry->ClassOf(instance);
    if (!cls)
        throw std::logic_error("writing the properties of an unregistered class");
    for (const PropertyInfo* p : cls->Properties()) {
        if (p->stored && !p->stored(instance))
            continue;
        if (p->kind == PropertyKind::Object) {
            const QObject* nested = p->getObject(instance);
            if (!nested)
                continue;
            const QString saved = m_path;
            m_path += p->name + QLatin1Char('.');
            WriteObjectProperties(nested, depth + 1);
            m_path = saved;
            continue;
        }
        WriteProperty(instance, *p);
    }
    if (auto* sp = dynamic_cast<const StreamablePersistent*>(instance))
        sp->WriteExtraProperties(*this);
}

void ValueWriter::WriteProperty(const QObject* instance, const PropertyInfo& p)
{
    switch (p.kind) {
    case PropertyKind::Float: {
        const double v = p.getFloat(instance);
        if (v == 0)
            return;
        WritePropName(p.name);
        WriteFloat(v);
        return;
    }
    case PropertyKind::String: {
        const QString v = p.getString(instance);
        if (v.isEmpty())
            return;
        WritePropName(p.name);
        WriteString(v);
        return;
    }
    case PropertyKind::Object:
        return;
    default:
        break;
    }

    const qint64 v = p.getOrdinal(instance);
    if (p.defaultValue && *p.defaultValue == v)
        return;
    WritePropName(p.name);
    switch (p.kind) {
    case PropertyKind::Integer:
        if (p.identMap) {
            if (auto ident = p.identMap->ToIdent(v)) {
                WriteIdent(*ident);
                return;
            }
        }
        WriteInteger(qint32(v));
        return;
    case PropertyKind::Char:
        WriteChar(QChar(char16_t(v)));
        return;
    case PropertyKind::Bool:
        WriteBoolean(v != 0);
        return;
    case PropertyKind::Enum:
        if (v >= 0 && v < p.valueNames.size())
            WriteIdent(p.valueNames.at(v));
        else
            WriteInteger(qint32(v));
        return;
    case PropertyKind::Set: {
        QStringList members;
        for (qsizetype bit = 0; bit < p.valueNames.size() && bit < 63; ++bit) {
            if (v & (qint64(1) << bit))
                members << p.valueNames.at(bit);
        }
        WriteSet(members);
        return;
    }
    default:
        return;
    }
}

}  // namespace dayloom
