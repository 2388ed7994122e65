#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "core/bytereader.h"
#include "stream/valuetag.h"

class QIODevice;

namespace dayloom {

class ComponentClass;
class ComponentRegistry;
struct PropertyInfo;

// Reads tagged values from a byte array or from a device (whose remaining
// bytes are taken in at once; on destruction a seekable device is put back
// just behind what was consumed). Every failure throws dayloom::ReadError
// with one of the stream's fixed messages; lengths and counts are checked
// against the bytes that remain before anything is allocated, and nesting of
// lists, collections and child records is bounded (kMaxStreamNesting).
class ValueReader {
public:
    // Asked about an error raised while reading a property; returning true
    // declares it handled and reading goes on with the next property.
    using ErrorHandler = std::function<bool(const QString& message)>;
    // May change the name a new component gets.
    using NameHandler = std::function<void(QObject* component, QString& name)>;
    using ComponentCallback = std::function<void(QObject* component)>;

    explicit ValueReader(const QByteArray& data);
    explicit ValueReader(QIODevice* device);
    ~ValueReader();
    ValueReader(const ValueReader&) = delete;
    ValueReader& operator=(const ValueReader&) = delete;

    qsizetype Position() const { return m_in.Pos(); }
    qsizetype Remaining() const { return m_in.Remaining(); }
    bool AtEnd() const { return m_in.AtEnd(); }

    void SetRegistry(const ComponentRegistry* registry) { m_registry = registry; }
    // Without a handler every error is raised.
    void SetErrorHandler(ErrorHandler handler) { m_errorHandler = std::move(handler); }
    void SetNameHandler(NameHandler handler) { m_nameHandler = std::move(handler); }

    // Tag of the next value without consuming it ("Stream read error" at the end).
    ValueTag NextValue() const;
    ValueTag ReadValue();
    // Whether the next byte is an end-of-list tag; false at the end of the data.
    bool EndOfList() const;

    void ReadListBegin();
    void ReadListEnd();
    qint32 ReadInteger();
    bool ReadBoolean();
    QString ReadString();
    double ReadFloat();
    QString ReadIdent();
    QChar ReadChar();
    QByteArray ReadBinary();
    // The member names of a set value.
    QStringList ReadSet();
    // Bare short string.
    QString ReadStr();
    void ReadSignature();
    // The optional prefix byte of a component record; returns its flags (0
    // when absent) and the child position when flag 2 is set.
    int ReadPrefix(qint32* childPos = nullptr);
    void SkipValue();

    // Signature, prefix, class name (ignored), component name (applied),
    // properties and children into an existing component, then Loaded().
    void ReadRootComponent(QObject* root);
    // Root records until an end of list, then the end of list. Each new
    // component is created by its class's factory with owner and parent and
    // handed to the callback once read. A component that fails is destroyed
    // before the error propagates; those handed over before stay with the
    // callback's receiver, and they are told Loaded() in every case.
    void ReadComponents(QObject* owner, QObject* parent, const ComponentCallback& callback);
    // One component record (no signature), created new; destroyed again when
    // it fails. Loaded() is left to the caller's list (see FinishLoading()).
    QObject* ReadComponent(QObject* owner, QObject* parent);
    // Properties until the end of list (not consumed).
    void ReadProperties(QObject* instance);
    void ReadProperty(QObject* instance);
    // Tells every component read since the last call Loaded().
    void FinishLoading();

    // The full (dotted) name of the property being read, for extra readers.
    const QString& PropertyName() const { return m_propName; }

private:
    [[noreturn]] static void Fail(const char* message);
    // length bytes as 8-bit text.
    QString readCp1252(qsizetype length);
    void ReadPropertyPath(QObject* instance, const QString& name);
    void ReadPropValue(QObject* instance, const PropertyInfo& info);
    qint64 ReadOrdinalValue(const PropertyInfo& info);
    void ReadRecordBody(QObject* component, QObject* owner);
    void SkipSetBody();
    void SkipPropertyList();
    void Enter();
    void Leave() { --m_nesting; }

    const QByteArray m_data;
    ByteReader m_in;  // over m_data
    QIODevice* m_device = nullptr;
    qint64 m_deviceStart = 0;
    const ComponentRegistry* m_registry;
    ErrorHandler m_errorHandler;
    NameHandler m_nameHandler;
    QString m_propName;
    int m_nesting = 0;
    int m_inExtra = 0;
    QList<QPointer<QObject>> m_loaded;
};

}  // namespace dayloom
