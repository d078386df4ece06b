#pragma once
// The published properties of one object, in stream order: what the writer writes and the
// reader may set. A class adds its properties in PublishProperties (after its base class's), so
// inherited properties come first. Accessors are bound to the object, so a list is built for one
// object and used at once.

#include "stream/IdentTable.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

class TComponent;
class TPersistent;

using TNotifyEvent = std::function<void(TComponent* sender)>;

enum class TPropertyKind {
    Integer,     // integers; with an identifier table, named values are written as identifiers
    Char,        // one character, written as a one-character string
    Enumeration, // written as the value's name (Boolean as False/True)
    Set,         // members 0..31, written as vaSet with their names
    Float,
    String,
    Object, // a nested persistent object: its properties are written as "Name.Property"
    Event,  // a handler, written as its method's name
    Binary, // a block of bytes a class defines for itself
};

struct TPropertyInfo {
    QString Name;
    TPropertyKind Kind = TPropertyKind::Integer;
    const TIdentTable* Idents = nullptr; // Integer: names for values
    QStringList ValueNames;              // Enumeration, Set: names by ordinal
    std::optional<qint64> Default;       // ordinal kinds; none: always written
    // Integer: the values a file or mvtool may set; others are refused as invalid.
    qint64 Min = std::numeric_limits<qint64>::min();
    qint64 Max = std::numeric_limits<qint64>::max();
    std::function<bool()> IsStored; // unset: stored

    std::function<qint64()> GetOrdinal; // Integer, Char, Enumeration, Set (bit per member)
    std::function<void(qint64)> SetOrdinal;
    std::function<double()> GetFloat;
    std::function<void(double)> SetFloat;
    std::function<QString()> GetString; // String; Event: the method's name, empty when unassigned
    std::function<void(const QString&)> SetString;
    std::function<void(const QString& methodName, TNotifyEvent handler)> SetEvent;
    std::function<QByteArray()> GetBinary;
    std::function<void(const QByteArray&)> SetBinary;
    TPersistent* Object = nullptr;

    bool Stored() const { return !IsStored || IsStored(); }
    bool InRange(qint64 value) const { return value >= Min && value <= Max; }
    TPropertyInfo& Range(qint64 min, qint64 max)
    {
        Min = min;
        Max = max;
        return *this;
    }
};

// Marks a property without a default: it is always written.
inline constexpr std::nullopt_t NoDefault = std::nullopt;

class TPropertyList {
public:
    // Each returns the new entry, so that a caller can add a stored rule.
    TPropertyInfo& AddInteger(const QString& name, std::function<qint64()> get, std::function<void(qint64)> set,
                              std::optional<qint64> defaultValue);
    TPropertyInfo& AddIdentInteger(const QString& name, const TIdentTable& idents, std::function<qint64()> get,
                                   std::function<void(qint64)> set, std::optional<qint64> defaultValue);
    TPropertyInfo& AddChar(const QString& name, std::function<QChar()> get, std::function<void(QChar)> set,
                           std::optional<QChar> defaultValue);
    TPropertyInfo& AddBoolean(const QString& name, std::function<bool()> get, std::function<void(bool)> set,
                              std::optional<bool> defaultValue);
    TPropertyInfo& AddEnumeration(const QString& name, const QStringList& valueNames, std::function<qint64()> get,
                                  std::function<void(qint64)> set, std::optional<qint64> defaultValue);
    TPropertyInfo& AddSet(const QString& name, const QStringList& memberNames, std::function<qint64()> get,
                          std::function<void(qint64)> set, std::optional<qint64> defaultValue);
    TPropertyInfo& AddFloat(const QString& name, std::function<double()> get, std::function<void(double)> set);
    TPropertyInfo& AddString(const QString& name, std::function<QString()> get,
                             std::function<void(const QString&)> set);
    TPropertyInfo& AddObject(const QString& name, TPersistent& object);
    TPropertyInfo& AddEvent(const QString& name, std::function<QString()> getMethodName,
                            std::function<void(const QString&, TNotifyEvent)> set);
    TPropertyInfo& AddBinary(const QString& name, std::function<QByteArray()> get,
                             std::function<void(const QByteArray&)> set, std::function<bool()> hasData);

    // The property of that name, compared ignoring case; null when there is none.
    const TPropertyInfo* Find(const QString& name) const;

    const std::vector<TPropertyInfo>& Items() const { return m_Items; }

private:
    TPropertyInfo& Add(TPropertyInfo info);

    std::vector<TPropertyInfo> m_Items;
};
