#include "tools/PropertyJson.h"

#include "platform/MervaneError.h"
#include "richtext/WPRtfText.h"
#include "stream/Persistent.h"
#include "tools/RichTextJson.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace {

bool IsBoolean(const TPropertyInfo& info)
{
    return info.ValueNames == QStringList{"False", "True"};
}

QJsonValue OrdinalToJson(const TPropertyInfo& info, qint64 value)
{
    switch (info.Kind) {
    case TPropertyKind::Integer:
        if (info.Idents) {
            if (const std::optional<QString> ident = info.Idents->ToIdent(qint32(value)))
                return *ident;
        }
        return value;
    case TPropertyKind::Char: return QString(QChar(char16_t(value)));
    case TPropertyKind::Enumeration:
        if (IsBoolean(info))
            return value != 0;
        // An ordinal without a name (a damaged file) shows as its number.
        return value >= 0 && value < info.ValueNames.size() ? QJsonValue(info.ValueNames[int(value)])
                                                            : QJsonValue(value);
    default: {
        QJsonArray members;
        for (int bit = 0; bit < info.ValueNames.size(); ++bit) {
            if (value & (qint64(1) << bit))
                members.append(info.ValueNames[bit]);
        }
        return members;
    }
    }
}

qint64 JsonToInteger(const QJsonValue& value, const QString& field)
{
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number) || number < INT32_MIN || number > INT32_MAX)
        TPropertyJson::Fail(field, "expected a whole number from -2147483648 to 2147483647");
    return qint64(number);
}

qint64 JsonToOrdinal(const TPropertyInfo& info, const QJsonValue& value, const QString& field)
{
    switch (info.Kind) {
    case TPropertyKind::Integer:
        if (info.Idents && value.isString()) {
            const std::optional<qint32> named = info.Idents->FromIdent(value.toString());
            if (!named)
                TPropertyJson::Fail(field, QString("'%1' is not a known identifier").arg(value.toString()));
            return *named;
        }
        if (!value.isDouble())
            TPropertyJson::Fail(field,
                                info.Idents ? "expected a whole number or an identifier" : "expected a whole number");
        return JsonToInteger(value, field);
    case TPropertyKind::Char:
        if (!value.isString() || value.toString().size() != 1)
            TPropertyJson::Fail(field, "expected a string of one character");
        return value.toString()[0].unicode();
    case TPropertyKind::Enumeration: {
        if (IsBoolean(info)) {
            if (!value.isBool())
                TPropertyJson::Fail(field, "expected true or false");
            return value.toBool() ? 1 : 0;
        }
        const int ordinal = value.isString() ? int(info.ValueNames.indexOf(value.toString())) : -1;
        if (ordinal < 0)
            TPropertyJson::Fail(field, "expected one of " + info.ValueNames.join(", "));
        return ordinal;
    }
    default: {
        if (!value.isArray())
            TPropertyJson::Fail(field, "expected an array of names from " + info.ValueNames.join(", "));
        qint64 bits = 0;
        for (const QJsonValue& member : value.toArray()) {
            const int bit = member.isString() ? int(info.ValueNames.indexOf(member.toString())) : -1;
            if (bit < 0)
                TPropertyJson::Fail(field, "expected an array of names from " + info.ValueNames.join(", "));
            bits |= qint64(1) << bit;
        }
        return bits;
    }
    }
}

// Runs a setter; a value the object refuses is reported under the field's name.
template <class TSet>
void Apply(const QString& field, TSet&& set)
{
    try {
        set();
    } catch (const EMervaneError& error) {
        // Also a setter that refuses the value as a file's reader would (a damaged picture block).
        TPropertyJson::Fail(field, error.Message());
    }
}

// Rich text as "text" and "rtf", as the day cells give it, or as the stream's "Data" in base64.
void RichTextFromJson(TWPRtfText& text, const QJsonObject& json, const QString& field)
{
    for (const QString& key : json.keys()) {
        if (key != "Data" && key != "text" && key != "rtf")
            TPropertyJson::Fail(field + "." + key, "no such field; expected text, rtf or Data");
    }
    if (!TRichTextJson::Holds(json)) {
        TPropertyJson::FromJson(text, json, field);
        return;
    }
    if (json.contains("Data"))
        TPropertyJson::Fail(field + ".Data", "gives the text a second time; give text and rtf, or Data");
    TRichTextJson::Read(json, field, text);
}

void SetFromJson(const TPropertyInfo& info, const QJsonValue& value, const QString& field)
{
    switch (info.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Char:
    case TPropertyKind::Enumeration:
    case TPropertyKind::Set: {
        const qint64 ordinal = JsonToOrdinal(info, value, field);
        if (info.Kind == TPropertyKind::Integer && !info.InRange(ordinal))
            TPropertyJson::Fail(field, QString("expected a whole number from %1 to %2").arg(info.Min).arg(info.Max));
        Apply(field, [&] { info.SetOrdinal(ordinal); });
        return;
    }
    case TPropertyKind::Float:
        if (!value.isDouble())
            TPropertyJson::Fail(field, "expected a number");
        Apply(field, [&] { info.SetFloat(value.toDouble()); });
        return;
    case TPropertyKind::String:
        if (!value.isString())
            TPropertyJson::Fail(field, "expected a string");
        Apply(field, [&] { info.SetString(value.toString()); });
        return;
    case TPropertyKind::Object:
        if (!value.isObject())
            TPropertyJson::Fail(field, "expected an object");
        if (auto* text = dynamic_cast<TWPRtfText*>(info.Object))
            RichTextFromJson(*text, value.toObject(), field);
        else
            TPropertyJson::FromJson(*info.Object, value.toObject(), field);
        return;
    case TPropertyKind::Event:
        if (!value.isString())
            TPropertyJson::Fail(field, "expected the name of a method");
        // Handlers belong to the program's windows; the name alone is kept for the file.
        Apply(field, [&] { info.SetEvent(value.toString(), {}); });
        return;
    case TPropertyKind::Binary: {
        const QByteArray::FromBase64Result bytes =
            value.isString()
                ? QByteArray::fromBase64Encoding(value.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors)
                : QByteArray::FromBase64Result{};
        if (!value.isString() || !bytes)
            TPropertyJson::Fail(field, "expected base64 data");
        Apply(field, [&] { info.SetBinary(*bytes); });
        return;
    }
    }
}

} // namespace

void TPropertyJson::Fail(const QString& field, const QString& problem)
{
    throw EMervaneError(field + ": " + problem);
}

QJsonObject TPropertyJson::ToJson(TPersistent& instance)
{
    QJsonObject json;
    const TPropertyList properties = instance.Properties();
    for (const TPropertyInfo& info : properties.Items()) {
        if (!info.Stored())
            continue;
        switch (info.Kind) {
        case TPropertyKind::Integer:
        case TPropertyKind::Char:
        case TPropertyKind::Enumeration:
        case TPropertyKind::Set: json[info.Name] = OrdinalToJson(info, info.GetOrdinal()); break;
        case TPropertyKind::Float: json[info.Name] = info.GetFloat(); break;
        case TPropertyKind::String: json[info.Name] = info.GetString(); break;
        case TPropertyKind::Object:
            if (const auto* text = dynamic_cast<const TWPRtfText*>(info.Object)) {
                // Shown as a day cell's text is; only a text that is stored at all.
                if (!text->IsEmpty()) {
                    QJsonObject nested;
                    TRichTextJson::AddTo(nested, *text);
                    json[info.Name] = nested;
                }
            } else if (const QJsonObject nested = ToJson(*info.Object); !nested.isEmpty()) {
                json[info.Name] = nested;
            }
            break;
        case TPropertyKind::Event:
            if (const QString method = info.GetString(); !method.isEmpty())
                json[info.Name] = method;
            break;
        case TPropertyKind::Binary: json[info.Name] = QString::fromLatin1(info.GetBinary().toBase64()); break;
        }
    }
    return json;
}

void TPropertyJson::FromJson(TPersistent& instance, const QJsonObject& json, const QString& path)
{
    const TPropertyList properties = instance.Properties();
    for (const QString& key : json.keys()) {
        const auto& items = properties.Items();
        if (std::none_of(items.begin(), items.end(), [&key](const TPropertyInfo& info) { return info.Name == key; }))
            TPropertyJson::Fail(path + "." + key, "no such property");
    }
    for (const TPropertyInfo& info : properties.Items()) {
        if (json.contains(info.Name))
            SetFromJson(info, json[info.Name], path + "." + info.Name);
    }
}
