#pragma once
// Rich text in mvtool's JSON, for day cells and rich-text labels alike: "text", the plain text,
// and "rtf", the RTF as the engine writes it (its Windows-1252 bytes as characters). Built back
// from either; when both are given they must agree, else one of them would be lost unseen.

#include <QJsonObject>
#include <QString>

class TWPRtfText;

class TRichTextJson {
public:
    // Adds "text" and "rtf" of `text` to `json`.
    static void AddTo(QJsonObject& json, const TWPRtfText& text);

    // Whether `json` gives a text as "text" or "rtf".
    static bool Holds(const QJsonObject& json);

    // Sets `text` from the "rtf" of `json`, else from its "text". Fails with EMervaneError naming
    // `path` + ".rtf" or ".text" for a value that is not a string, RTF that does not start as RTF
    // or holds characters outside Windows-1252, and a text that differs from the rtf's.
    static void Read(const QJsonObject& json, const QString& path, TWPRtfText& text);
};
