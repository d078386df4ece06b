#include "tools/CalendarJson.h"

#include "calendar/CalendarPanel32.h"
#include "calendar/CalendarSettings.h"
#include "objects/GGraphicControl.h"
#include "platform/MervaneError.h"
#include "richtext/WPRtfStorage.h"
#include "stream/ClassRegistry.h"
#include "stream/StreamErrors.h"
#include "tools/PropertyJson.h"
#include "tools/PublishedSettings.h"
#include "tools/RichTextJson.h"
#include "tools/ToolPage.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace {

const char* const CalendarFormat = "calendar";
const char* const StyleSheetFormat = "style sheet";
const QStringList StyleSheetFields{"format", "version", "settings"};
const QStringList CalendarFields{"format", "version", "settings", "date", "startTime", "userTitle", "cells", "objects"};

void CheckFields(const QJsonObject& json, const QStringList& fields, const QString& path)
{
    for (const QString& key : json.keys()) {
        if (!fields.contains(key))
            TPropertyJson::Fail(path + key, "no such field; expected " + fields.join(", "));
    }
}

int Integer(const QJsonValue& value, const QString& field, int min, int max)
{
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number) || number < min || number > max)
        TPropertyJson::Fail(field, QString("expected a whole number from %1 to %2").arg(min).arg(max));
    return int(number);
}

QString String(const QJsonValue& value, const QString& field)
{
    if (!value.isString())
        TPropertyJson::Fail(field, "expected a string");
    return value.toString();
}

QJsonObject Object(const QJsonValue& value, const QString& field)
{
    if (!value.isObject())
        TPropertyJson::Fail(field, "expected an object");
    return value.toObject();
}

QJsonArray Array(const QJsonValue& value, const QString& field)
{
    if (!value.isArray())
        TPropertyJson::Fail(field, "expected an array");
    return value.toArray();
}

// --- page to JSON ---

QJsonObject SettingsToJson(TCalendarSettings settings, bool styleSheet)
{
    TPublishedSettings published(settings, !styleSheet);
    QJsonObject json = TPropertyJson::ToJson(published);
    json["PageMonthNames"] = QJsonArray::fromStringList(settings.MonthNames);
    json["PageDayNames"] = QJsonArray::fromStringList(settings.DayNames);
    return json;
}

QJsonArray CellsToJson(const TCalendarPanel32& page)
{
    QJsonArray cells;
    for (int index = 1; index <= CellCount; ++index) {
        const TWPRtfStorage& cell = *page.GetCellRtf(index);
        if (cell.IsEmpty())
            continue;
        QJsonObject json{{"index", index}};
        TRichTextJson::AddTo(json, cell.RtfText());
        cells.append(json);
    }
    return cells;
}

QJsonArray ObjectsToJson(const TCalendarPanel32& page)
{
    QJsonArray objects;
    for (TGGraphicControl* object : page.Objects()) {
        objects.append(QJsonObject{
            {"class", object->ClassName()}, {"name", object->Name()}, {"properties", TPropertyJson::ToJson(*object)}});
    }
    return objects;
}

// --- JSON to page ---

QStringList Names(const QJsonValue& value, const QString& field, int count)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != count)
        TPropertyJson::Fail(field, QString("expected an array of %1 names").arg(count));
    QStringList names;
    for (const QJsonValue& name : array)
        names += String(name, field);
    return names;
}

void JsonToSettings(QJsonObject json, TCalendarSettings& settings, bool styleSheet)
{
    if (json.contains("PageMonthNames"))
        settings.MonthNames = Names(json.take("PageMonthNames"), "settings.PageMonthNames", 12);
    if (json.contains("PageDayNames"))
        settings.DayNames = Names(json.take("PageDayNames"), "settings.PageDayNames", 7);
    TPublishedSettings published(settings, !styleSheet);
    TPropertyJson::FromJson(published, json, "settings");
}

void JsonToDate(const QJsonObject& json, TCalendarSettings& settings)
{
    CheckFields(json, {"year", "month", "day"}, "date.");
    if (json.contains("year"))
        settings.MainCalYear = Integer(json["year"], "date.year", CalendarLimits::MinYear, CalendarLimits::MaxYear);
    if (json.contains("month"))
        settings.MainCalMonth = Integer(json["month"], "date.month", 1, 12);
    // Month pages show no particular day; 0 is what a new page holds.
    if (json.contains("day"))
        settings.MainCalDay = Integer(json["day"], "date.day", 0, 31);
    if (!TCalendarSettings::IsValidDate(settings.MainCalDay, settings.MainCalMonth, settings.MainCalYear))
        TPropertyJson::Fail("date.day", QString("%1 is not a day of %2/%3")
                                            .arg(settings.MainCalDay)
                                            .arg(settings.MainCalMonth)
                                            .arg(settings.MainCalYear));
}

double StartTime(const QJsonValue& value)
{
    static const QRegularExpression pattern("^(\\d{1,2}):(\\d{2})$");
    const QRegularExpressionMatch match = pattern.match(value.toString());
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (!value.isString() || !match.hasMatch() || hour > 23 || minute > 59)
        TPropertyJson::Fail("startTime", "expected a time of day as \"HH:MM\", from \"00:00\" to \"23:59\"");
    return (hour * 60 + minute) / 1440.0;
}

void JsonToCell(const QJsonValue& value, const QString& field, TCalendarPanel32& page, QSet<int>& given)
{
    const QJsonObject json = Object(value, field);
    CheckFields(json, {"index", "text", "rtf"}, field + ".");
    if (!json.contains("index"))
        TPropertyJson::Fail(field + ".index", "missing");
    const int index = Integer(json["index"], field + ".index", 1, CellCount);
    if (given.contains(index))
        TPropertyJson::Fail(field + ".index", QString("cell %1 is given twice").arg(index));
    given += index;
    if (!TRichTextJson::Holds(json))
        TPropertyJson::Fail(field, "expected its text as \"text\" or \"rtf\"");
    TWPRtfStorage cell(nullptr);
    TRichTextJson::Read(json, field, cell.RtfText());
    page.SetCellRtf(index, cell);
}

void JsonToObject(const QJsonValue& value, const QString& field, TCalendarPanel32& page, QSet<QString>& names)
{
    const QJsonObject json = Object(value, field);
    CheckFields(json, {"class", "name", "properties"}, field + ".");
    if (!json.contains("class"))
        TPropertyJson::Fail(field + ".class", "missing");
    const QString className = String(json["class"], field + ".class");
    const TComponentFactory* factory = FindClass(className);
    if (!factory)
        TPropertyJson::Fail(field + ".class", QString(StreamErrors::ClassNotFound).arg(className));
    const QString name = json.contains("name") ? String(json["name"], field + ".name") : QString();
    if (!name.isEmpty() && names.contains(name.toLower()))
        TPropertyJson::Fail(field + ".name", QString(StreamErrors::DuplicateName).arg(name));
    names += name.toLower();

    TComponent* component = (*factory)(nullptr);
    auto* object = dynamic_cast<TGGraphicControl*>(component);
    if (!object) {
        delete component;
        TPropertyJson::Fail(field + ".class", className + " is not a page object");
    }
    // As the stream reader creates an object: named and placed first, then its properties are
    // set while it is loading, then it is told that loading has finished. From here on the page
    // owns it.
    object->SetComponentState(csLoading | csReading);
    object->SetName(name);
    object->SetParentComponent(&page);
    if (json.contains("properties"))
        TPropertyJson::FromJson(*object, Object(json["properties"], field + ".properties"), field + ".properties");
    object->SetComponentState(object->ComponentState() & ~csReading);
    object->Loaded();
}

} // namespace

QJsonObject TCalendarJson::PageToJson(TCalendarPanel32& page, const TCalendarFileHeader& header)
{
    const bool styleSheet = header.Format == TCalendarFileFormat::StyleSheet;
    QJsonObject json{{"format", styleSheet ? StyleSheetFormat : CalendarFormat},
                     {"version", header.Version},
                     {"settings", SettingsToJson(page.Settings(), styleSheet)}};
    if (styleSheet)
        return json;
    // Whole minutes, as the file stores the start time.
    const int minutes = int(std::llround(page.StartTime() * 1440) % 1440);
    json["date"] =
        QJsonObject{{"year", page.MainCalYear()}, {"month", page.MainCalMonth()}, {"day", page.MainCalDay()}};
    json["startTime"] = QString("%1:%2").arg(minutes / 60, 2, 10, QChar('0')).arg(minutes % 60, 2, 10, QChar('0'));
    json["userTitle"] = page.UserTitle();
    json["cells"] = CellsToJson(page);
    json["objects"] = ObjectsToJson(page);
    return json;
}

TCalendarFileFormat TCalendarJson::JsonToPage(const QJsonObject& json, TCalendarPanel32& page)
{
    if (!json.contains("format"))
        TPropertyJson::Fail("format",
                            QString("missing; expected \"%1\" or \"%2\"").arg(CalendarFormat, StyleSheetFormat));
    const QString format = json["format"].toString();
    if (format != CalendarFormat && format != StyleSheetFormat)
        TPropertyJson::Fail("format", QString("expected \"%1\" or \"%2\"").arg(CalendarFormat, StyleSheetFormat));
    const bool styleSheet = format == StyleSheetFormat;
    CheckFields(json, styleSheet ? StyleSheetFields : CalendarFields, QString());

    // Older calendar files convert as the program converts them: saved in the current version.
    if (json.contains("version")) {
        if (styleSheet)
            Integer(json["version"], "version", StyleSheetVersion, StyleSheetVersion);
        else
            Integer(json["version"], "version", FirstCalendarFileVersion, CalendarFileVersion);
    }
    TCalendarSettings settings = page.Settings();
    if (json.contains("settings"))
        JsonToSettings(Object(json["settings"], "settings"), settings, styleSheet);
    if (!styleSheet) {
        if (json.contains("date"))
            JsonToDate(Object(json["date"], "date"), settings);
        if (json.contains("startTime"))
            settings.StartTime = StartTime(json["startTime"]);
        if (json.contains("userTitle"))
            settings.UserTitle = String(json["userTitle"], "userTitle");
    }
    page.SetSettings(settings);
    if (styleSheet)
        return TCalendarFileFormat::StyleSheet;

    if (json.contains("cells")) {
        const QJsonArray cells = Array(json["cells"], "cells");
        QSet<int> given;
        for (int i = 0; i < cells.size(); ++i)
            JsonToCell(cells[i], QString("cells[%1]").arg(i), page, given);
    }
    if (json.contains("objects")) {
        const QJsonArray objects = Array(json["objects"], "objects");
        if (objects.size() > TGBasePanel::MaxObjectCount)
            throw EMervaneError(QString("objects: ") +
                                QString(StreamErrors::TooManyObjects).arg(TGBasePanel::MaxObjectCount));
        QSet<QString> names;
        for (int i = 0; i < objects.size(); ++i)
            JsonToObject(objects[i], QString("objects[%1]").arg(i), page, names);
    }
    return TCalendarFileFormat::Calendar;
}

QJsonObject TCalendarJson::Info(const QString& fileName)
{
    TToolPage page;
    const TCalendarFileHeader header = TCalendarFile::Load(page, fileName);
    return PageToJson(page, header);
}

void TCalendarJson::Build(const QJsonObject& json, const QString& fileName)
{
    TToolPage page;
    TCalendarFile::Save(page, JsonToPage(json, page), fileName);
}
