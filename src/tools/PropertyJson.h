#pragma once
// Published properties as JSON, for mvtool: the same property lists the component stream
// writes and reads, so the JSON names and values cannot drift from the files. Values:
// integers as numbers (named colours, cursors and character sets as their identifiers),
// characters as one-character strings, enumerations by name (Booleans as true and false), sets
// as arrays of member names, floats as numbers, strings as strings, nested objects (fonts) as
// JSON objects, rich text as "text" and "rtf" as day cells show it (its stream "Data" in base64
// is read as well), events as their method's name, other binary blocks as base64.

#include <QJsonObject>
#include <QString>

class TPersistent;

class TPropertyJson {
public:
    // Every stored property of `instance`, nested objects that store nothing left out.
    static QJsonObject ToJson(TPersistent& instance);

    // Sets the properties `json` names, in the order the class publishes them, as the stream
    // reader would. Fails with EMervaneError naming `path` + "." + the field for a name the class
    // does not publish and for a value of the wrong kind; a setter's own refusal is passed on
    // under the field's name.
    static void FromJson(TPersistent& instance, const QJsonObject& json, const QString& path);

    // Throws EMervaneError for a JSON field: "`field`: `problem`".
    [[noreturn]] static void Fail(const QString& field, const QString& problem);
};
