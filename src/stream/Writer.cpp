#include "stream/Writer.h"

#include "platform/Windows1252.h"
#include "stream/Component.h"
#include "stream/Extended.h"
#include "stream/StreamErrors.h"

#include <QIODevice>

namespace {
constexpr int WriteBufferSize = 1000;
}

TWriter::TWriter(QIODevice& device)
    : m_Device(device)
{
    m_Buffer.reserve(WriteBufferSize);
}

void TWriter::Write(const void* data, qint64 size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        if (m_Buffer.size() == WriteBufferSize)
            FlushBuffer();
        const qint64 chunk = std::min<qint64>(size, WriteBufferSize - m_Buffer.size());
        m_Buffer.append(bytes, chunk);
        bytes += chunk;
        size -= chunk;
    }
}

void TWriter::FlushBuffer()
{
    if (m_Buffer.isEmpty())
        return;
    if (m_Device.write(m_Buffer) != m_Buffer.size())
        throw EMervaneError(StreamErrors::WriteError);
    m_Buffer.clear();
}

void TWriter::WriteLittleEndian(quint64 value, int size)
{
    char bytes[8];
    for (int i = 0; i < size; ++i)
        bytes[i] = char(value >> (8 * i));
    Write(bytes, size);
}

void TWriter::WriteValue(TValueType value)
{
    const char code = char(value);
    Write(&code, 1);
}

void TWriter::WriteListBegin()
{
    WriteValue(vaList);
}

void TWriter::WriteListEnd()
{
    WriteValue(vaNull);
}

void TWriter::WriteInteger(qint64 value)
{
    if (value >= -128 && value <= 127) {
        WriteValue(vaInt8);
        WriteLittleEndian(quint64(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteValue(vaInt16);
        WriteLittleEndian(quint64(value), 2);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(vaInt32);
        WriteLittleEndian(quint64(value), 4);
    } else {
        WriteValue(vaInt64);
        WriteLittleEndian(quint64(value), 8);
    }
}

void TWriter::WriteBoolean(bool value)
{
    WriteValue(value ? vaTrue : vaFalse);
}

void TWriter::WriteString(const QString& value)
{
    const std::optional<QByteArray> bytes = ToWindows1252(value);
    if (!bytes) {
        const QByteArray utf8 = value.toUtf8();
        WriteValue(vaUTF8String);
        WriteLittleEndian(quint64(utf8.size()), 4);
        Write(utf8.constData(), utf8.size());
    } else if (bytes->size() <= 255) {
        WriteValue(vaString);
        WriteLittleEndian(quint64(bytes->size()), 1);
        Write(bytes->constData(), bytes->size());
    } else {
        WriteValue(vaLString);
        WriteLittleEndian(quint64(bytes->size()), 4);
        Write(bytes->constData(), bytes->size());
    }
}

void TWriter::WriteIdent(const QString& value)
{
    if (value.compare("False", Qt::CaseInsensitive) == 0) {
        WriteValue(vaFalse);
    } else if (value.compare("True", Qt::CaseInsensitive) == 0) {
        WriteValue(vaTrue);
    } else if (value.compare("nil", Qt::CaseInsensitive) == 0) {
        WriteValue(vaNil);
    } else {
        WriteValue(vaIdent);
        WriteStr(value);
    }
}

void TWriter::WriteFloat(double value)
{
    WriteValue(vaExtended);
    const TExtendedBytes bytes = DoubleToExtended(value);
    Write(bytes.data(), qint64(bytes.size()));
}

void TWriter::WriteBinary(const QByteArray& value)
{
    WriteValue(vaBinary);
    WriteLittleEndian(quint64(value.size()), 4);
    Write(value.constData(), value.size());
}

void TWriter::WriteSet(const QStringList& members)
{
    WriteValue(vaSet);
    for (const QString& member : members)
        WriteStr(member);
    WriteStr(QString());
}

void TWriter::WriteStr(const QString& value)
{
    // Short strings hold names and identifiers; a character outside the code page becomes '?'.
    QByteArray bytes = ToWindows1252(value).value_or(value.toLatin1()).left(255);
    const char length = char(bytes.size());
    Write(&length, 1);
    Write(bytes.constData(), bytes.size());
}

void TWriter::WriteSignature()
{
    Write("TPF0", 4);
}

void TWriter::WriteRootComponent(TComponent& component)
{
    WriteSignature();
    WriteComponent(component);
}

void TWriter::WriteComponent(TComponent& component)
{
    WriteStr(component.ClassName());
    WriteStr(component.Name());
    WriteProperties(component);
    WriteListEnd();
    for (TComponent* child : component.ChildComponents())
        WriteComponent(*child);
    WriteListEnd();
}

namespace {

QStringList SetMemberNames(const TPropertyInfo& info, qint64 value)
{
    QStringList names;
    for (int bit = 0; bit < 32 && bit < info.ValueNames.size(); ++bit) {
        if (value & (qint64(1) << bit))
            names += info.ValueNames[bit];
    }
    return names;
}

} // namespace

void TWriter::WriteProperties(TPersistent& instance, const QString& prefix)
{
    const TPropertyList properties = instance.Properties();
    for (const TPropertyInfo& info : properties.Items()) {
        if (!info.Stored())
            continue;
        const QString name = prefix + info.Name;
        switch (info.Kind) {
        case TPropertyKind::Integer:
        case TPropertyKind::Char:
        case TPropertyKind::Enumeration:
        case TPropertyKind::Set: {
            const qint64 value = info.GetOrdinal();
            if (info.Default && *info.Default == value)
                break;
            WriteStr(name);
            if (info.Kind == TPropertyKind::Integer) {
                const std::optional<QString> ident = info.Idents ? info.Idents->ToIdent(qint32(value)) : std::nullopt;
                if (ident)
                    WriteIdent(*ident);
                else
                    WriteInteger(value);
            } else if (info.Kind == TPropertyKind::Char) {
                WriteString(QString(QChar(char16_t(value))));
            } else if (info.Kind == TPropertyKind::Enumeration) {
                WriteIdent(info.ValueNames.value(int(value), QString::number(value)));
            } else {
                WriteSet(SetMemberNames(info, value));
            }
            break;
        }
        case TPropertyKind::Float: {
            const double value = info.GetFloat();
            if (value != 0) {
                WriteStr(name);
                WriteFloat(value);
            }
            break;
        }
        case TPropertyKind::String: {
            const QString value = info.GetString();
            if (!value.isEmpty()) {
                WriteStr(name);
                WriteString(value);
            }
            break;
        }
        case TPropertyKind::Object: WriteProperties(*info.Object, name + '.'); break;
        case TPropertyKind::Event: {
            const QString method = info.GetString();
            if (!method.isEmpty()) {
                WriteStr(name);
                WriteIdent(method);
            }
            break;
        }
        case TPropertyKind::Binary:
            WriteStr(name);
            WriteBinary(info.GetBinary());
            break;
        }
    }
}
