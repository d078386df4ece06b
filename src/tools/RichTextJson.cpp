#include "tools/RichTextJson.h"

#include "platform/Windows1252.h"
#include "richtext/WPRtfText.h"
#include "tools/PropertyJson.h"

namespace {

QString String(const QJsonObject& json, const QString& key, const QString& path)
{
    if (!json[key].isString())
        TPropertyJson::Fail(path + "." + key, "expected a string");
    return json[key].toString();
}

} // namespace

void TRichTextJson::AddTo(QJsonObject& json, const TWPRtfText& text)
{
    json["text"] = text.Document().toPlainText();
    json["rtf"] = FromWindows1252(text.Rtf());
}

bool TRichTextJson::Holds(const QJsonObject& json)
{
    return json.contains("text") || json.contains("rtf");
}

void TRichTextJson::Read(const QJsonObject& json, const QString& path, TWPRtfText& text)
{
    if (!json.contains("rtf")) {
        text.Document().setPlainText(String(json, "text", path));
        return;
    }
    const std::optional<QByteArray> rtf = ToWindows1252(String(json, "rtf", path));
    if (!rtf)
        TPropertyJson::Fail(path + ".rtf", "characters outside Windows-1252 must be written as \\uN escapes");
    if (!rtf->trimmed().startsWith("{\\rtf"))
        TPropertyJson::Fail(path + ".rtf", "not RTF: it must start with {\\rtf");
    text.SetRtf(*rtf);
    if (json.contains("text") && String(json, "text", path) != text.Document().toPlainText())
        TPropertyJson::Fail(path + ".text", "differs from the text of the rtf; give one of them");
}
