#include "stream/Reader.h"

#include "platform/Windows1252.h"
#include "stream/ClassRegistry.h"
#include "stream/Component.h"
#include "stream/Extended.h"
#include "stream/StreamErrors.h"

#include <QIODevice>
#include <cstring>

namespace {

constexpr int ReadBufferSize = 1000;
// Deeper nesting than any writer produces is damage; refusing it keeps the stack bounded.
constexpr int MaxDepth = 64;

[[noreturn]] void Fail(const char* text)
{
    throw EMervaneError(text);
}

// Counts a level of nesting for the lifetime of the guard.
class TDepthGuard {
public:
    explicit TDepthGuard(int& depth)
        : m_Depth(depth)
    {
        if (++m_Depth > MaxDepth) {
            --m_Depth;
            Fail(StreamErrors::InvalidStreamFormat);
        }
    }
    ~TDepthGuard() { --m_Depth; }

private:
    int& m_Depth;
};

} // namespace

TReader::TReader(QIODevice& device)
    : m_Device(device)
{
}

TReader::~TReader()
{
    const qint64 unread = m_Buffer.size() - m_BufferPos;
    if (unread > 0 && !m_Device.isSequential())
        m_Device.seek(m_Device.pos() - unread);
}

qint64 TReader::Position() const
{
    return m_Device.pos() - (m_Buffer.size() - m_BufferPos);
}

void TReader::Read(void* data, qint64 size)
{
    auto* out = static_cast<char*>(data);
    while (size > 0) {
        if (m_BufferPos == m_Buffer.size()) {
            m_Buffer = m_Device.read(ReadBufferSize);
            m_BufferPos = 0;
            if (m_Buffer.isEmpty())
                Fail(StreamErrors::ReadError);
        }
        const qint64 chunk = std::min<qint64>(size, m_Buffer.size() - m_BufferPos);
        std::memcpy(out, m_Buffer.constData() + m_BufferPos, size_t(chunk));
        m_BufferPos += int(chunk);
        out += chunk;
        size -= chunk;
    }
}

void TReader::RequireAvailable(qint64 count)
{
    if (count < 0 || count > (m_Buffer.size() - m_BufferPos) + m_Device.bytesAvailable())
        Fail(StreamErrors::ReadError);
}

quint64 TReader::ReadLittleEndian(int size)
{
    unsigned char bytes[8] = {};
    Read(bytes, size);
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint64(bytes[i]) << (8 * i);
    return value;
}

TValueType TReader::ReadValue()
{
    return TValueType(ReadLittleEndian(1));
}

TValueType TReader::NextValue()
{
    const TValueType value = ReadValue();
    --m_BufferPos; // ReadValue always leaves the byte it read in the buffer
    return value;
}

void TReader::CheckValue(TValueType expected)
{
    if (ReadValue() != expected)
        Fail(StreamErrors::InvalidPropertyValue);
}

void TReader::ReadListBegin()
{
    CheckValue(vaList);
}

void TReader::ReadListEnd()
{
    CheckValue(vaNull);
}

bool TReader::EndOfList()
{
    return NextValue() == vaNull;
}

qint32 TReader::ReadInteger()
{
    switch (ReadValue()) {
    case vaInt8: return qint8(ReadLittleEndian(1));
    case vaInt16: return qint16(ReadLittleEndian(2));
    case vaInt32: return qint32(ReadLittleEndian(4));
    default: Fail(StreamErrors::InvalidPropertyValue);
    }
}

qint64 TReader::ReadInt64()
{
    if (NextValue() == vaInt64) {
        ReadValue();
        return qint64(ReadLittleEndian(8));
    }
    return ReadInteger();
}

bool TReader::ReadBoolean()
{
    return ReadValue() == vaTrue;
}

QString TReader::ReadCountedString(TValueType type)
{
    switch (type) {
    case vaString: {
        const int length = int(ReadLittleEndian(1));
        QByteArray bytes(length, Qt::Uninitialized);
        Read(bytes.data(), length);
        return FromWindows1252(bytes);
    }
    case vaLString:
    case vaUTF8String: {
        const qint64 length = qint32(ReadLittleEndian(4));
        RequireAvailable(length);
        QByteArray bytes(length, Qt::Uninitialized);
        Read(bytes.data(), length);
        return type == vaLString ? FromWindows1252(bytes) : QString::fromUtf8(bytes);
    }
    case vaWString: {
        const qint64 units = qint32(ReadLittleEndian(4));
        RequireAvailable(units * 2);
        QByteArray bytes(units * 2, Qt::Uninitialized);
        Read(bytes.data(), units * 2);
        QString text(units, Qt::Uninitialized);
        for (qint64 i = 0; i < units; ++i)
            text[i] = QChar(char16_t(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
        return text;
    }
    default: Fail(StreamErrors::InvalidPropertyValue);
    }
}

QString TReader::ReadString()
{
    return ReadCountedString(ReadValue());
}

QString TReader::ReadIdent()
{
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: Fail(StreamErrors::InvalidPropertyValue);
    }
}

double TReader::ReadFloat()
{
    switch (NextValue()) {
    case vaExtended: {
        ReadValue();
        TExtendedBytes bytes;
        Read(bytes.data(), qint64(bytes.size()));
        return ExtendedToDouble(bytes);
    }
    case vaSingle: {
        ReadValue();
        const quint32 bits = quint32(ReadLittleEndian(4));
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case vaDate: {
        ReadValue();
        const quint64 bits = ReadLittleEndian(8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case vaCurrency: ReadValue(); return double(qint64(ReadLittleEndian(8))) / 10000.0;
    default: return double(ReadInt64());
    }
}

QByteArray TReader::ReadBinary()
{
    CheckValue(vaBinary);
    const qint64 length = qint32(ReadLittleEndian(4));
    RequireAvailable(length);
    QByteArray bytes(length, Qt::Uninitialized);
    Read(bytes.data(), length);
    return bytes;
}

QStringList TReader::ReadSet()
{
    CheckValue(vaSet);
    QStringList members;
    for (QString member = ReadStr(); !member.isEmpty(); member = ReadStr())
        members += member;
    return members;
}

QString TReader::ReadStr()
{
    const int length = int(ReadLittleEndian(1));
    QByteArray bytes(length, Qt::Uninitialized);
    Read(bytes.data(), length);
    return FromWindows1252(bytes);
}

void TReader::SkipSet()
{
    while (!ReadStr().isEmpty()) {}
}

void TReader::SkipValue()
{
    const TDepthGuard guard(m_Depth);
    switch (const TValueType type = ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: return;
    case vaList:
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    case vaInt8: ReadLittleEndian(1); return;
    case vaInt16: ReadLittleEndian(2); return;
    case vaInt32:
    case vaSingle: ReadLittleEndian(4); return;
    case vaInt64:
    case vaCurrency:
    case vaDate: ReadLittleEndian(8); return;
    case vaExtended:
        ReadLittleEndian(8);
        ReadLittleEndian(2);
        return;
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String: ReadCountedString(type); return;
    case vaIdent: ReadStr(); return;
    case vaBinary: {
        const qint64 length = qint32(ReadLittleEndian(4));
        RequireAvailable(length);
        for (qint64 left = length; left > 0; left -= 8)
            ReadLittleEndian(int(std::min<qint64>(left, 8)));
        return;
    }
    case vaSet: SkipSet(); return;
    case vaCollection:
        while (!EndOfList()) {
            if (NextValue() >= vaInt8 && NextValue() <= vaInt32)
                ReadInteger(); // the item's order value
            ReadListBegin();
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        return;
    default: Fail(StreamErrors::InvalidPropertyValue);
    }
}

void TReader::ReadSignature()
{
    char signature[4];
    Read(signature, 4);
    if (std::memcmp(signature, "TPF0", 4) != 0)
        Fail(StreamErrors::InvalidStreamFormat);
}

void TReader::ReadRootComponent(TComponent& existing)
{
    m_Root = &existing;
    m_Loaded.clear();
    ReadSignature();
    ReadComponent(&existing, &existing, nullptr); // children of a root belong to it
    for (TComponent* component : std::as_const(m_Loaded)) {
        component->SetComponentState(component->ComponentState() & ~csReading);
        component->Loaded();
    }
    m_Loaded.clear();
}

void TReader::ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc)
{
    m_Root = owner;
    while (!EndOfList()) {
        m_Loaded.clear();
        ReadSignature();
        TComponent* component = ReadComponent(nullptr, owner, parent);
        try {
            for (TComponent* loaded : std::as_const(m_Loaded)) {
                loaded->SetComponentState(loaded->ComponentState() & ~csReading);
                loaded->Loaded();
            }
        } catch (...) {
            // An object that cannot finish loading is not left half made where it was read to.
            m_Loaded.clear();
            delete component;
            throw;
        }
        m_Loaded.clear();
        if (proc)
            proc(component);
    }
}

namespace {

// "Name", "Name_1", "Name_2", ...: the first that `owner` does not hold besides `self`.
QString UniqueName(const TComponent* owner, const TComponent* self, const QString& name)
{
    if (!owner || name.isEmpty())
        return name;
    QString candidate = name;
    for (int i = 1;; ++i) {
        const TComponent* holder = owner->FindComponent(candidate);
        if (!holder || holder == self)
            return candidate;
        candidate = QString("%1_%2").arg(name).arg(i);
    }
}

} // namespace

TComponent* TReader::ReadComponent(TComponent* existing, TComponent* owner, TComponent* parent)
{
    const TDepthGuard guard(m_Depth);

    // Prefix byte: flags in the low nibble. Inherited (1) and inline (4) records never occur in
    // the program's files and are refused; a child position (2) is read and ignored.
    if ((quint8(NextValue()) & 0xF0) == 0xF0) {
        const int flags = ReadValue() & 0x0F;
        if (flags & ~2)
            Fail(StreamErrors::InvalidStreamFormat);
        if (flags & 2)
            ReadInteger();
    }

    const QString className = ReadStr();
    TComponent* component = existing;
    bool created = false;
    if (!component) {
        const TComponentFactory* factory = FindClass(className);
        if (!factory)
            throw EMervaneError(QString(StreamErrors::ClassNotFound).arg(className));
        component = (*factory)(owner);
        created = true;
    }

    try {
        component->SetComponentState(component->ComponentState() | csLoading | csReading);
        QString name = ReadStr();
        if (OnSetName)
            OnSetName(*this, *component, name);
        if (created) {
            const TComponent* holder = owner ? owner->FindComponent(name) : nullptr;
            if (holder && holder != component)
                throw EMervaneError(QString(StreamErrors::DuplicateName).arg(name));
            component->SetName(name);
            component->SetParentComponent(parent);
        } else {
            component->SetName(UniqueName(component->Owner(), component, name));
        }
        m_Loaded += component;

        ReadProperties(*component);
        while (!EndOfList())
            ReadComponent(nullptr, owner, component);
        ReadListEnd();
    } catch (...) {
        if (created) {
            m_Loaded.removeAll(component);
            delete component;
        } else {
            component->SetComponentState(component->ComponentState() & ~(csLoading | csReading));
        }
        throw;
    }
    return component;
}

void TReader::ReadProperties(TComponent& component)
{
    while (!EndOfList())
        ReadProperty(component);
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent& instance)
{
    const QStringList path = ReadStr().split('.');
    TPersistent* target = &instance;
    for (int i = 0; i + 1 < path.size(); ++i) {
        const TPropertyList properties = target->Properties();
        const TPropertyInfo* info = properties.Find(path[i]);
        if (!info)
            Fail(StreamErrors::PropertyDoesNotExist);
        if (info->Kind != TPropertyKind::Object)
            Fail(StreamErrors::InvalidPropertyPath);
        target = info->Object;
    }
    const TPropertyList properties = target->Properties();
    const TPropertyInfo* info = properties.Find(path.last());
    if (!info)
        Fail(StreamErrors::PropertyDoesNotExist);
    ReadPropertyValue(*info);
}

namespace {

qint64 OrdinalOf(const TPropertyInfo& info, const QString& name)
{
    for (int i = 0; i < info.ValueNames.size(); ++i) {
        if (info.ValueNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    Fail(StreamErrors::InvalidPropertyValue);
}

} // namespace

void TReader::ReadPropertyValue(const TPropertyInfo& info)
{
    switch (info.Kind) {
    case TPropertyKind::Integer: {
        std::optional<qint32> value;
        if (info.Idents && NextValue() == vaIdent) {
            ReadValue();
            value = info.Idents->FromIdent(ReadStr());
        } else {
            value = ReadInteger();
        }
        if (!value || !info.InRange(*value))
            Fail(StreamErrors::InvalidPropertyValue);
        info.SetOrdinal(*value);
        return;
    }
    case TPropertyKind::Char: {
        const QString text = ReadString();
        if (text.size() != 1)
            Fail(StreamErrors::InvalidPropertyValue);
        info.SetOrdinal(text[0].unicode());
        return;
    }
    case TPropertyKind::Enumeration: info.SetOrdinal(OrdinalOf(info, ReadIdent())); return;
    case TPropertyKind::Set: {
        qint64 bits = 0;
        for (const QString& member : ReadSet())
            bits |= qint64(1) << OrdinalOf(info, member);
        info.SetOrdinal(bits);
        return;
    }
    case TPropertyKind::Float:
        switch (NextValue()) {
        case vaExtended:
        case vaSingle:
        case vaDate:
        case vaCurrency:
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64: info.SetFloat(ReadFloat()); return;
        default: Fail(StreamErrors::InvalidPropertyValue);
        }
    case TPropertyKind::String: info.SetString(ReadString()); return;
    case TPropertyKind::Object: Fail(StreamErrors::InvalidPropertyValue);
    case TPropertyKind::Event: {
        const QString method = ReadIdent();
        if (method == "nil") {
            info.SetEvent(QString(), {});
            return;
        }
        TNotifyEvent handler = m_Root ? m_Root->MethodAddress(method) : TNotifyEvent();
        if (handler) {
            info.SetEvent(method, std::move(handler));
            return;
        }
        bool error = true;
        if (OnFindMethod)
            OnFindMethod(*this, method, error);
        if (error)
            Fail(StreamErrors::InvalidPropertyValue);
        return;
    }
    case TPropertyKind::Binary: info.SetBinary(ReadBinary()); return;
    }
}
