#pragma once
// Writes the component stream onto a device through a 1000-byte buffer: values, lists and
// component records with their published properties. Call FlushBuffer when done; a device that
// refuses bytes raises "Stream write error".

#include "stream/ValueType.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;
class TComponent;
class TPersistent;

class TWriter {
public:
    explicit TWriter(QIODevice& device);

    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    void WriteValue(TValueType value);
    void WriteListBegin();
    void WriteListEnd();
    // vaInt8, vaInt16 or vaInt32, the smallest that holds the value (vaInt64 beyond 32 bits).
    void WriteInteger(qint64 value);
    void WriteBoolean(bool value);
    // vaString up to 255 characters, else vaLString; text that Windows-1252 cannot hold is
    // written as vaUTF8String so that nothing is lost.
    void WriteString(const QString& value);
    // vaFalse, vaTrue or vaNil for "False", "True", "nil" (any case); else vaIdent.
    void WriteIdent(const QString& value);
    void WriteFloat(double value);
    void WriteBinary(const QByteArray& value);
    // vaSet, then the names, then an empty name.
    void WriteSet(const QStringList& members);
    // A short string without value code: length byte and up to 255 characters.
    void WriteStr(const QString& value);

    void WriteSignature();
    // A complete record: signature, class name, object name, properties, children.
    void WriteRootComponent(TComponent& component);
    // The same without the signature (child records).
    void WriteComponent(TComponent& component);
    // The stored properties of `instance` whose values differ from their defaults, each name
    // preceded by `prefix` (nested objects give "Font.Name").
    void WriteProperties(TPersistent& instance, const QString& prefix = {});

    void FlushBuffer();

private:
    void Write(const void* data, qint64 size);
    void WriteLittleEndian(quint64 value, int size);

    QIODevice& m_Device;
    QByteArray m_Buffer;
};
