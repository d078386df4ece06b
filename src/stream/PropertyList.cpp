#include "stream/PropertyList.h"

TPropertyInfo& TPropertyList::Add(TPropertyInfo info)
{
    m_Items.push_back(std::move(info));
    return m_Items.back();
}

TPropertyInfo& TPropertyList::AddInteger(const QString& name, std::function<qint64()> get,
                                         std::function<void(qint64)> set, std::optional<qint64> defaultValue)
{
    return Add({.Name = name,
                .Kind = TPropertyKind::Integer,
                .Default = defaultValue,
                .GetOrdinal = std::move(get),
                .SetOrdinal = std::move(set)});
}

TPropertyInfo& TPropertyList::AddIdentInteger(const QString& name, const TIdentTable& idents,
                                              std::function<qint64()> get, std::function<void(qint64)> set,
                                              std::optional<qint64> defaultValue)
{
    TPropertyInfo& info = AddInteger(name, std::move(get), std::move(set), defaultValue);
    info.Idents = &idents;
    return info;
}

TPropertyInfo& TPropertyList::AddChar(const QString& name, std::function<QChar()> get, std::function<void(QChar)> set,
                                      std::optional<QChar> defaultValue)
{
    std::optional<qint64> ordinal;
    if (defaultValue)
        ordinal = defaultValue->unicode();
    return Add({.Name = name,
                .Kind = TPropertyKind::Char,
                .Default = ordinal,
                .GetOrdinal = [get = std::move(get)] { return qint64(get().unicode()); },
                .SetOrdinal = [set = std::move(set)](qint64 v) { set(QChar(char16_t(v))); }});
}

TPropertyInfo& TPropertyList::AddBoolean(const QString& name, std::function<bool()> get, std::function<void(bool)> set,
                                         std::optional<bool> defaultValue)
{
    std::optional<qint64> ordinal;
    if (defaultValue)
        ordinal = *defaultValue ? 1 : 0;
    return AddEnumeration(
        name, {"False", "True"}, [get = std::move(get)] { return qint64(get() ? 1 : 0); },
        [set = std::move(set)](qint64 v) { set(v != 0); }, ordinal);
}

TPropertyInfo& TPropertyList::AddEnumeration(const QString& name, const QStringList& valueNames,
                                             std::function<qint64()> get, std::function<void(qint64)> set,
                                             std::optional<qint64> defaultValue)
{
    return Add({.Name = name,
                .Kind = TPropertyKind::Enumeration,
                .ValueNames = valueNames,
                .Default = defaultValue,
                .GetOrdinal = std::move(get),
                .SetOrdinal = std::move(set)});
}

TPropertyInfo& TPropertyList::AddSet(const QString& name, const QStringList& memberNames, std::function<qint64()> get,
                                     std::function<void(qint64)> set, std::optional<qint64> defaultValue)
{
    return Add({.Name = name,
                .Kind = TPropertyKind::Set,
                .ValueNames = memberNames,
                .Default = defaultValue,
                .GetOrdinal = std::move(get),
                .SetOrdinal = std::move(set)});
}

TPropertyInfo& TPropertyList::AddFloat(const QString& name, std::function<double()> get,
                                       std::function<void(double)> set)
{
    return Add({.Name = name, .Kind = TPropertyKind::Float, .GetFloat = std::move(get), .SetFloat = std::move(set)});
}

TPropertyInfo& TPropertyList::AddString(const QString& name, std::function<QString()> get,
                                        std::function<void(const QString&)> set)
{
    return Add({.Name = name, .Kind = TPropertyKind::String, .GetString = std::move(get), .SetString = std::move(set)});
}

TPropertyInfo& TPropertyList::AddObject(const QString& name, TPersistent& object)
{
    return Add({.Name = name, .Kind = TPropertyKind::Object, .Object = &object});
}

TPropertyInfo& TPropertyList::AddEvent(const QString& name, std::function<QString()> getMethodName,
                                       std::function<void(const QString&, TNotifyEvent)> set)
{
    return Add({.Name = name,
                .Kind = TPropertyKind::Event,
                .GetString = std::move(getMethodName),
                .SetEvent = std::move(set)});
}

TPropertyInfo& TPropertyList::AddBinary(const QString& name, std::function<QByteArray()> get,
                                        std::function<void(const QByteArray&)> set, std::function<bool()> hasData)
{
    return Add({.Name = name,
                .Kind = TPropertyKind::Binary,
                .IsStored = std::move(hasData),
                .GetBinary = std::move(get),
                .SetBinary = std::move(set)});
}

const TPropertyInfo* TPropertyList::Find(const QString& name) const
{
    for (const TPropertyInfo& info : m_Items) {
        if (info.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &info;
    }
    return nullptr;
}
