#pragma once
// Reads the component stream from a device through a 1000-byte buffer: values, lists and
// component records, creating registered classes by name and setting published properties by
// name. Every fault raises EMervaneError with the text the user is shown; a length that runs past
// the end of the data is a read error before anything is allocated.

#include "stream/ValueType.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class TComponent;
class TPersistent;
struct TPropertyInfo;

class TReader {
public:
    explicit TReader(QIODevice& device);
    // Leaves the device at the first byte not consumed (random-access devices).
    ~TReader();

    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // May replace the name of each object read before it is assigned.
    std::function<void(TReader& reader, TComponent& component, QString& name)> OnSetName;
    // Called when an event names a method the root does not have; `error` starts true and the
    // hook may clear it, which leaves the event unassigned.
    std::function<void(TReader& reader, const QString& methodName, bool& error)> OnFindMethod;

    TValueType ReadValue();
    TValueType NextValue();
    // Reads a value code and fails with "Invalid property value" unless it is `expected`.
    void CheckValue(TValueType expected);
    void ReadListBegin();
    void ReadListEnd();
    // True when the next value code is vaNull (not consumed).
    bool EndOfList();

    qint32 ReadInteger();
    qint64 ReadInt64();
    // Consumes one code; True only for vaTrue, any other code gives False.
    bool ReadBoolean();
    QString ReadString();
    // An identifier: vaIdent, or "False", "True", "nil", "Null" for their own codes.
    QString ReadIdent();
    double ReadFloat();
    QByteArray ReadBinary();
    // The member names of a vaSet.
    QStringList ReadSet();
    // A short string without value code.
    QString ReadStr();
    // Skips one value of any kind.
    void SkipValue();

    // Fails with "Invalid stream format" unless the next four bytes are "TPF0".
    void ReadSignature();
    // Reads one record into `existing`; its class name is not checked.
    void ReadRootComponent(TComponent& existing);
    // Reads records until vaNull (not consumed), each created by class name with `owner` and
    // `parent`; `proc` gets each new root object. A record whose Loaded fails is freed before
    // the error passes on.
    void ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc);

    // The offset of the next unread byte.
    qint64 Position() const;

private:
    void Read(void* data, qint64 size);
    quint64 ReadLittleEndian(int size);
    // Fails with a read error unless `count` more bytes exist.
    void RequireAvailable(qint64 count);
    QString ReadCountedString(TValueType type);
    TComponent* ReadComponent(TComponent* existing, TComponent* owner, TComponent* parent);
    void ReadProperties(TComponent& component);
    void ReadProperty(TPersistent& instance);
    void ReadPropertyValue(const TPropertyInfo& info);
    void SkipSet();

    QIODevice& m_Device;
    QByteArray m_Buffer;
    int m_BufferPos = 0;
    TComponent* m_Root = nullptr; // whose methods events name
    QList<TComponent*> m_Loaded;  // objects read in the current root record
    int m_Depth = 0;              // nesting of child records and list values
};
