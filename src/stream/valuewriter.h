#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include "stream/valuetag.h"

class QIODevice;

namespace dayloom {

class ComponentRegistry;
struct PropertyInfo;

// Writes tagged values, little-endian, onto a device (through a 1000-byte
// buffer) or appends them to a byte array. Call Flush() at the end to learn
// about write failures (WriteError); the destructor flushes what is left but
// cannot report.
class ValueWriter {
public:
    explicit ValueWriter(QIODevice* device);
    explicit ValueWriter(QByteArray* target);
    ~ValueWriter();
    ValueWriter(const ValueWriter&) = delete;
    ValueWriter& operator=(const ValueWriter&) = delete;

    void Flush();
    // Bytes written so far.
    qint64 Position() const { return m_written + m_buffer.size(); }

    void SetRegistry(const ComponentRegistry* registry) { m_registry = registry; }
    const ComponentRegistry& Registry() const { return *m_registry; }

    void WriteListBegin();
    void WriteListEnd();
    // Tag 2, 3 or 4, whichever is smallest.
    void WriteInteger(qint32 value);
    void WriteBoolean(bool value);
    // Tag 6 below 256 bytes, else tag 12; Windows-1252.
    void WriteString(const QString& text);
    void WriteFloat(double value);
    // "False", "True", "nil" (any case) as tags 8, 9, 13; else tag 7.
    void WriteIdent(const QString& ident);
    void WriteChar(QChar ch);
    void WriteBinary(const QByteArray& data);
    void WriteSet(const QStringList& members);
    void WriteNil();
    // Bare short string: length byte and at most 255 bytes, no tag.
    void WriteStr(const QString& text);
    void WriteSignature();
    void WriteTag(ValueTag tag);
    void WriteRaw(const QByteArray& bytes);

    // A property name with the dotted path of the nested object being written.
    void WritePropName(const QString& name);

    // The signature, then the component record.
    void WriteRootComponent(const QObject* component);
    // Class name, component name, properties, end, children, end.
    void WriteComponent(const QObject* component);
    // Published properties in stream order, then the extra properties; no end marker.
    void WriteProperties(const QObject* instance);

private:
    void Put(const char* data, qsizetype size);
    void PutByte(quint8 b) { Put(reinterpret_cast<const char*>(&b), 1); }
    void WriteProperty(const QObject* instance, const PropertyInfo& info);
    void WriteObjectProperties(const QObject* instance, int depth);

    QIODevice* m_device = nullptr;
    QByteArray* m_target = nullptr;
    QByteArray m_buffer;
    qint64 m_written = 0;
    const ComponentRegistry* m_registry;
    QString m_path;
    int m_depth = 0;
};

}  // namespace dayloom
