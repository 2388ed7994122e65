#include "stream/valuereader.h"

#include <cstring>
#include <memory>

#include <QIODevice>
#include <QtEndian>

#include "core/cp1252.h"
#include "core/readerror.h"
#include "stream/componentregistry.h"
#include "stream/extendedfloat.h"
#include "stream/identmap.h"
#include "stream/streamablecomponent.h"

namespace dayloom {

namespace {

// Counts one level of nesting for as long as it lives.
class NestingGuard {
public:
    NestingGuard(int& level) : m_level(level)
    {
        if (m_level >= kMaxStreamNesting)
            throw ReadError(streamerror::InvalidStreamFormat);
        ++m_level;
    }
    ~NestingGuard() { --m_level; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& m_level;
};

int IndexOfName(const QStringList& names, const QString& name)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool IsIntegerTag(ValueTag tag)
{
    return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32;
}

}  // namespace

ValueReader::ValueReader(const QByteArray& data)
    : m_data(data), m_in(m_data, streamerror::StreamReadError),
      m_registry(&ComponentRegistry::Global())
{
}

ValueReader::ValueReader(QIODevice* device)
    : m_data(device ? device->readAll() : QByteArray()),
      m_in(m_data, streamerror::StreamReadError), m_device(device),
      m_deviceStart(device ? device->pos() - m_data.size() : 0),
      m_registry(&ComponentRegistry::Global())
{
}

ValueReader::~ValueReader()
{
    if (m_device && !m_device->isSequential())
        m_device->seek(m_deviceStart + m_in.Pos());
}

void ValueReader::Fail(const char* message) { throw ReadError(message); }

ValueTag ValueReader::NextValue() const { return ValueTag(m_in.PeekU8()); }

ValueTag ValueReader::ReadValue() { return ValueTag(m_in.U8()); }

bool ValueReader::EndOfList() const { return !m_in.AtEnd() && m_in.PeekU8() == 0; }

QString ValueReader::readCp1252(qsizetype length)
{
    m_in.Need(length);
    const QString s = fromCp1252(m_in.Here(), length);
    m_in.Skip(length);
    return s;
}

void ValueReader::ReadListBegin()
{
    if (NextValue() != ValueTag::List) {
        SkipValue();
        Fail(streamerror::InvalidPropertyValue);
    }
    m_in.Skip(1);
}

void ValueReader::ReadListEnd()
{
    if (NextValue() != ValueTag::EndOfList) {
        SkipValue();
        Fail(streamerror::InvalidPropertyValue);
    }
    m_in.Skip(1);
}

qint32 ValueReader::ReadInteger()
{
    switch (ReadValue()) {
    case ValueTag::Int8:
        return qint8(m_in.U8());
    case ValueTag::Int16:
        return m_in.S16();
    case ValueTag::Int32:
        return m_in.S32();
    default:
        Fail(streamerror::InvalidPropertyValue);
    }
}

bool ValueReader::ReadBoolean() { return ReadValue() == ValueTag::True; }

QString ValueReader::ReadString()
{
    qsizetype length = 0;
    switch (ReadValue()) {
    case ValueTag::String:
        length = m_in.U8();
        break;
    case ValueTag::LString:
        length = qsizetype(m_in.U32());
        break;
    default:
        Fail(streamerror::InvalidPropertyValue);
    }
    return readCp1252(length);
}

double ValueReader::ReadFloat()
{
    const ValueTag tag = NextValue();
    if (IsIntegerTag(tag))
        return ReadInteger();
    if (tag != ValueTag::Extended)
        Fail(streamerror::InvalidPropertyValue);
    m_in.Skip(1);
    m_in.Need(10);
    Extended80 e;
    for (size_t i = 0; i < e.size(); ++i)
        e[i] = m_in.U8();
    return ExtendedToDouble(e);
}

QString ValueReader::ReadIdent()
{
    switch (ReadValue()) {
    case ValueTag::Ident:
        return ReadStr();
    case ValueTag::False:
        return QStringLiteral("False");
    case ValueTag::True:
        return QStringLiteral("True");
    case ValueTag::Nil:
        return QStringLiteral("nil");
    default:
        Fail(streamerror::InvalidPropertyValue);
    }
}

QChar ValueReader::ReadChar()
{
    if (NextValue() != ValueTag::String)
        Fail(streamerror::InvalidPropertyValue);
    const QString s = ReadString();
    if (s.size() != 1)
        Fail(streamerror::InvalidPropertyValue);
    return s.at(0);
}

QByteArray ValueReader::ReadBinary()
{
    if (ReadValue() != ValueTag::Binary)
        Fail(streamerror::InvalidPropertyValue);
    return m_in.Bytes(qsizetype(m_in.U32()));
}

QStringList ValueReader::ReadSet()
{
    if (ReadValue() != ValueTag::Set)
        Fail(streamerror::InvalidPropertyValue);
    QStringList names;
    for (;;) {
        const QString name = ReadStr();
        if (name.isEmpty())
            return names;
        names << name;
    }
}

QString ValueReader::ReadStr()
{
    return readCp1252(m_in.U8());
}

void ValueReader::ReadSignature()
{
    m_in.Need(4);
    if (std::memcmp(m_in.Here(), kComponentSignature, 4) != 0)
        Fail(streamerror::InvalidStreamFormat);
    m_in.Skip(4);
}

int ValueReader::ReadPrefix(qint32* childPos)
{
    if (m_in.AtEnd() || m_in.PeekU8() < 0xF0)
        return 0;
    const int flags = m_in.U8() & 0x0F;
    if (flags & ffChildPos) {
        const qint32 pos = ReadInteger();
        if (childPos)
            *childPos = pos;
    }
    return flags;
}

void ValueReader::SkipSetBody()
{
    for (;;) {
        const qsizetype length = m_in.U8();
        if (length == 0)
            return;
        m_in.Skip(length);
    }
}

void ValueReader::SkipPropertyList()
{
    while (!EndOfList()) {
        m_in.Skip(m_in.U8());
        SkipValue();
    }
    m_in.Skip(1);
}

void ValueReader::SkipValue()
{
    switch (ReadValue()) {
    case ValueTag::EndOfList:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        return;
    case ValueTag::List: {
        NestingGuard guard(m_nesting);
        while (!EndOfList())
            SkipValue();
        m_in.Skip(1);
        return;
    }
    case ValueTag::Int8:
        m_in.Skip(1);
        return;
    case ValueTag::Int16:
        m_in.Skip(2);
        return;
    case ValueTag::Int32:
        m_in.Skip(4);
        return;
    case ValueTag::Extended:
        m_in.Skip(10);
        return;
    case ValueTag::String:
    case ValueTag::Ident:
        m_in.Skip(m_in.U8());
        return;
    case ValueTag::Binary:
    case ValueTag::LString:
        m_in.Skip(qsizetype(m_in.U32()));
        return;
    case ValueTag::Set:
        SkipSetBody();
        return;
    case ValueTag::Collection: {
        NestingGuard guard(m_nesting);
        while (!EndOfList()) {
            if (IsIntegerTag(NextValue()))
                SkipValue();  // the item's order index
            if (ReadValue() != ValueTag::List)
                Fail(streamerror::InvalidStreamFormat);
            NestingGuard item(m_nesting);
            SkipPropertyList();
        }
        m_in.Skip(1);
        return;
    }
    }
    Fail(streamerror::InvalidStreamFormat);
}

// ---- components -----------------------------------------------------------

void ValueReader::ReadProperties(QObject* instance)
{
    while (!EndOfList())
        ReadProperty(instance);
}

void ValueReader::ReadProperty(QObject* instance)
{
    const QString name = ReadStr();
    const qsizetype valueStart = m_in.Pos();
    const QString savedName = m_propName;
    m_propName = name;
    const int savedExtra = m_inExtra;
    m_inExtra = 0;
    try {
        ReadPropertyPath(instance, name);
    } catch (const ReadError& e) {
        const bool extraFailed = m_inExtra > 0;
        m_inExtra = savedExtra;
        m_propName = savedName;
        QString who = instance->objectName();
        if (who.isEmpty()) {
            const ComponentClass* cls = m_registry->ClassOf(instance);
            who = cls ? cls->Name() : QString::fromLatin1(instance->metaObject()->className());
        }
        const QString message =
            QString::fromLatin1(streamerror::ErrorReading).arg(who, name, e.message());
        // A published property's value can be stepped over; what an extra
        // property reader left behind cannot be trusted.
        const bool recoverable =
            !extraFailed && e.message() != QLatin1String(streamerror::StreamReadError);
        if (m_errorHandler && recoverable) {
            m_in.Seek(valueStart);
            try {
                SkipValue();
            } catch (const ReadError&) {
                throw ReadError(message);
            }
            if (m_errorHandler(message))
                return;
        }
        throw ReadError(message);
    }
    m_inExtra = savedExtra;
    m_propName = savedName;
}

void ValueReader::ReadPropertyPath(QObject* instance, const QString& name)
{
    QObject* object = instance;
    const QStringList parts = name.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const ComponentClass* cls = m_registry->ClassOf(object);
        const PropertyInfo* p = cls ? cls->FindProperty(parts.at(i)) : nullptr;
        if (!p) {
            if (auto* sp = dynamic_cast<StreamablePersistent*>(object)) {
                const QString rest = parts.mid(i).join(QLatin1Char('.'));
                ++m_inExtra;
                const bool taken = sp->ReadExtraProperty(rest, *this);
                --m_inExtra;
                if (taken)
                    return;
            }
            Fail(streamerror::PropertyDoesNotExist);
        }
        if (i + 1 == parts.size()) {
            ReadPropValue(object, *p);
            return;
        }
        if (p->kind != PropertyKind::Object)
            Fail(streamerror::InvalidPropertyPath);
        object = p->getObject(object);
        if (!object)
            Fail(streamerror::InvalidPropertyPath);
    }
}

void ValueReader::ReadPropValue(QObject* instance, const PropertyInfo& p)
{
    if (!p.HasSetter())
        Fail(streamerror::PropertyIsReadOnly);
    switch (p.kind) {
    case PropertyKind::Float:
        p.setFloat(instance, ReadFloat());
        return;
    case PropertyKind::String:
        p.setString(instance, ReadString());
        return;
    case PropertyKind::Object:
        // A nested object has no value of its own; nil is accepted and ignored.
        if (ReadValue() != ValueTag::Nil)
            Fail(streamerror::InvalidPropertyValue);
        return;
    default:
        p.setOrdinal(instance, ReadOrdinalValue(p));
        return;
    }
}

qint64 ValueReader::ReadOrdinalValue(const PropertyInfo& p)
{
    switch (p.kind) {
    case PropertyKind::Integer:
        if (NextValue() == ValueTag::Ident) {
            const QString ident = ReadIdent();
            if (p.identMap) {
                if (auto v = p.identMap->FromIdent(ident))
                    return *v;
            }
            Fail(streamerror::InvalidPropertyValue);
        }
        return ReadInteger();
    case PropertyKind::Char:
        return ReadChar().unicode();
    case PropertyKind::Bool: {
        const QString ident = ReadIdent();
        if (ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return 1;
        if (ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0;
        Fail(streamerror::InvalidPropertyValue);
    }
    case PropertyKind::Enum: {
        if (IsIntegerTag(NextValue())) {
            const qint32 v = ReadInteger();
            if (v < 0 || v >= p.valueNames.size())
                Fail(streamerror::InvalidPropertyValue);
            return v;
        }
        const int index = IndexOfName(p.valueNames, ReadIdent());
        if (index < 0)
            Fail(streamerror::InvalidPropertyValue);
        return index;
    }
    case PropertyKind::Set: {
        if (ReadValue() != ValueTag::Set)
            Fail(streamerror::InvalidPropertyValue);
        qint64 bits = 0;
        for (;;) {
            const QString member = ReadStr();
            if (member.isEmpty())
                return bits;
            const int index = IndexOfName(p.valueNames, member);
            if (index < 0 || index >= 63)
                Fail(streamerror::InvalidPropertyValue);
            bits |= qint64(1) << index;
        }
    }
    default:
        Fail(streamerror::InvalidPropertyValue);
    }
}

void ValueReader::ReadRecordBody(QObject* component, QObject* owner)
{
    ReadProperties(component);
    ReadListEnd();
    while (!EndOfList()) {
        QObject* child = ReadComponent(owner, component);
        if (!child->parent())
            child->setParent(component);
    }
    ReadListEnd();
}

QObject* ValueReader::ReadComponent(QObject* owner, QObject* parent)
{
    NestingGuard guard(m_nesting);
    ReadPrefix();
    const QString className = ReadStr();
    QString name = ReadStr();
    const ComponentClass* cls = m_registry->FindClass(className);
    QObject* created = nullptr;
    if (cls && cls->GetFactory())
        created = cls->GetFactory()(owner, parent);
    if (!created)
        throw ReadError(QString::fromLatin1(streamerror::ClassNotFound).arg(className));
    std::unique_ptr<QObject> component(created);
    if (m_nameHandler)
        m_nameHandler(created, name);
    created->setObjectName(name);
    m_loaded.append(QPointer<QObject>(created));
    if (auto* sc = dynamic_cast<StreamableComponent*>(created))
        sc->Loading();
    ReadRecordBody(created, owner);
    return component.release();
}

void ValueReader::ReadRootComponent(QObject* root)
{
    try {
        ReadSignature();
        ReadPrefix();
        ReadStr();  // the class is the existing component's
        QString name = ReadStr();
        if (m_nameHandler)
            m_nameHandler(root, name);
        root->setObjectName(name);
        m_loaded.append(QPointer<QObject>(root));
        if (auto* sc = dynamic_cast<StreamableComponent*>(root))
            sc->Loading();
        NestingGuard guard(m_nesting);
        ReadRecordBody(root, root);
    } catch (...) {
        FinishLoading();
        throw;
    }
    FinishLoading();
}

void ValueReader::ReadComponents(QObject* owner, QObject* parent, const ComponentCallback& callback)
{
    try {
        while (!EndOfList()) {
            ReadSignature();
            QObject* component = ReadComponent(owner, parent);
            if (callback)
                callback(component);
        }
        ReadListEnd();
    } catch (...) {
        FinishLoading();
        throw;
    }
    FinishLoading();
}

void ValueReader::FinishLoading()
{
    const QList<QPointer<QObject>> loaded = std::exchange(m_loaded, {});
    for (const QPointer<QObject>& object : loaded) {
        if (auto* sc = dynamic_cast<StreamableComponent*>(object.data()))
            sc->Loaded();
    }
}

}  // namespace dayloom
