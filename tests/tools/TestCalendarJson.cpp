// mvtool info and build: the JSON of calendar files and style sheets, field by field, files
// rebuilt byte for byte, minimal JSON, wrong fields and damaged files.

#include "ToolFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "stream/ValueType.h"
#include "tools/CalendarJson.h"
#include "tools/PropertyJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QtTest>

namespace {

// A value as compact JSON text, for comparisons that print what differs.
QByteArray Json(const QJsonValue& value)
{
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
}

QJsonObject ParseObject(const QByteArray& text)
{
    return QJsonDocument::fromJson(text).object();
}

QString InfoError(const QString& fileName)
{
    try {
        TCalendarJson::Info(fileName);
    } catch (const EMervaneError& error) {
        return error.Message();
    }
    return {};
}

QString PageLoadError(const QString& fileName, bool styleSheet)
{
    TCalendarPanel32 page(nullptr);
    try {
        if (styleSheet)
            page.LoadStyleSheet(fileName);
        else
            page.LoadFromFile(fileName, nullptr);
    } catch (const EMervaneError& error) {
        return error.Message();
    }
    return {};
}

} // namespace

class TestCalendarJson : public QObject {
    Q_OBJECT

private slots:
    void InfoShowsTheCalendarFieldByField();
    void InfoShowsObjectsWithTheirProperties();
    void InfoShowsAStyleSheet();
    void InfoThenBuildGivesTheSameBytes_data();
    void InfoThenBuildGivesTheSameBytes();
    void MarginsSurviveInHundredths();
    void OlderVersionIsShownAndWrittenAsCurrent();
    void BuildFromMinimalJson();
    void BuildAppliesSettingsInThePagesOrder_data();
    void BuildAppliesSettingsInThePagesOrder();
    void PropertyKindsRoundTrip();
    void WrongFieldsAreNamed_data();
    void WrongFieldsAreNamed();
    void DamagedFilesGiveTheProgramsMessage_data();
    void DamagedFilesGiveTheProgramsMessage();
    void SampleCalendarIsBuiltFromItsJson();

private:
    QString FilledCalendar();

    QTemporaryDir m_Dir;
};

QString TestCalendarJson::FilledCalendar()
{
    TCalendarPanel32 page(nullptr);
    FillPage(page);
    const QString fileName = m_Dir.filePath("filled.MVF");
    page.SaveToFile(fileName);
    return fileName;
}

void TestCalendarJson::InfoShowsTheCalendarFieldByField()
{
    const QJsonObject info = TCalendarJson::Info(FilledCalendar());
    QCOMPARE(info["format"].toString(), QString("calendar"));
    QCOMPARE(info["version"].toInt(), 3);

    const QJsonObject settings = info["settings"].toObject();
    QCOMPARE(settings["CalendarLayout"].toString(), QString("loFCMinisInTitleLS"));
    QCOMPARE(settings["CalendarOrientation"].toString(), QString("coLandscape"));
    QCOMPARE(Json(settings["UseA4Paper"]), Json(true));
    QCOMPARE(settings["LeftMarginInch"].toDouble(), 0.75);
    QCOMPARE(settings["TopMarginInch"].toDouble(), 0.25);
    QCOMPARE(settings["BottomMarginInch"].toDouble(), 1.5);
    QCOMPARE(settings["CalendarLineLayout"].toString(), QString("llHeadersAndCells"));
    QCOMPARE(settings["CalendarBorder"].toString(), QString("cbNone"));
    QCOMPARE(settings["HeadersBorder"].toString(), QString("cbAll"));
    QCOMPARE(settings["CellBorder"].toString(), QString("cbTopBottom"));
    QCOMPARE(settings["MiniCalendarLineLayout"].toString(), QString("mllMinimal"));
    QCOMPARE(settings["MiniHeadersBorder"].toString(), QString("cbTop"));
    // A colour without a name is its number; named and system colours are identifiers.
    QCOMPARE(Json(settings["TitleBGColor"]), Json(0x123456));
    QCOMPARE(settings["HeadersBGColor"].toString(), QString("clBtnFace"));
    QCOMPARE(settings["HeadersStyle"].toString(), QString("dsWhole"));
    QCOMPARE(Json(settings["TitleShowYear"]), Json(false));
    QCOMPARE(settings["NumberPosition"].toString(), QString("cnpUpperRight"));
    QCOMPARE(
        Json(settings["TitleFont"]),
        Json(QJsonObject{
            {"Name", "Arial"}, {"Size", 30}, {"Style", QJsonArray{"fsItalic", "fsUnderline"}}, {"Color", "clNavy"}}));
    QCOMPARE(settings["MiniCellFont"]["Color"].toString(), QString("clRed"));
    QCOMPARE(settings["StartOfWeek"].toInt(), 2);
    const QJsonArray months = settings["PageMonthNames"].toArray();
    const QJsonArray days = settings["PageDayNames"].toArray();
    QCOMPARE(months.size(), 12);
    QCOMPARE(days.size(), 7);
    QCOMPARE(months[2].toString(), QString("Mars"));
    QCOMPARE(months[3].toString(), QLocale().monthName(4));
    QCOMPARE(days[0].toString(), QString("Dimanche"));
    QCOMPARE(days[6].toString(), QLocale().dayName(6));

    QCOMPARE(Json(info["date"]), Json(QJsonObject{{"year", 2026}, {"month", 3}, {"day", 17}}));
    QCOMPARE(info["startTime"].toString(), QString("14:30"));
    QCOMPARE(info["userTitle"].toString(), QString("Spring \u2764 Term"));

    // Only the filled cells, with their plain text and their formatted RTF.
    const QJsonArray cells = info["cells"].toArray();
    QCOMPARE(cells.size(), 3);
    const QList<std::pair<int, QString>> expected{{1, "Exams week"}, {9, "Caf\u00e9 \u20ac5"}, {42, "Last"}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(cells[i]["index"].toInt(), expected[i].first);
        QCOMPARE(cells[i]["text"].toString(), expected[i].second);
        TWPRtfStorage cell(nullptr);
        cell.RtfText().SetRtf(cells[i]["rtf"].toString().toLatin1());
        QCOMPARE(cell.RtfText().Document().toPlainText(), expected[i].second);
    }
    TWPRtfStorage first(nullptr);
    first.RtfText().SetRtf(cells[0]["rtf"].toString().toLatin1());
    QTextCursor cursor(&first.RtfText().Document());
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    cursor.setPosition(7);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
}

void TestCalendarJson::InfoShowsObjectsWithTheirProperties()
{
    const QJsonArray objects = TCalendarJson::Info(FilledCalendar())["objects"].toArray();
    QCOMPARE(objects.size(), 2);
    QCOMPARE(objects[0]["class"].toString(), QString("TTestPageObject"));
    // The names the file gives, not the "Component"N names the program's window would give.
    QCOMPARE(objects[0]["name"].toString(), QString("Special1"));
    QCOMPARE(objects[1]["name"].toString(), QString("Holiday"));

    const QJsonObject sign = objects[0]["properties"].toObject();
    const QJsonObject expected{{"Left", 300},
                               {"Top", 200},
                               {"Width", 120},
                               {"Height", 60},
                               {"Cursor", "crDefault"},
                               {"Hint", "Come in"},
                               {"Tag", 7},
                               {"Locked", true},
                               {"Unselectable", false},
                               {"Caption", "Open day"},
                               {"Alignment", "taCenter"},
                               {"Color", 0x00C000},
                               {"Accelerator", "O"},
                               {"Ratio", 0.375},
                               {"Font", QJsonObject{{"Charset", "DEFAULT_CHARSET"},
                                                    {"Color", "clMaroon"},
                                                    {"Height", -16},
                                                    {"Name", "Arial"},
                                                    {"Pitch", "fpDefault"},
                                                    {"Style", QJsonArray{"fsBold"}}}},
                               {"Data", QString::fromLatin1(QByteArray("\x00\x01\xfe\xff binary", 11).toBase64())}};
    QCOMPARE(Json(sign), Json(expected));
    // Properties a class stores only when set are left out.
    QVERIFY(!objects[1]["properties"].toObject().contains("Hint"));
    QVERIFY(!objects[1]["properties"].toObject().contains("Data"));
}

void TestCalendarJson::InfoShowsAStyleSheet()
{
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(lopMC6Month);
    page.CellFont().SetName("Courier New");
    page.SetRightMarginInch(1.25);
    const QString fileName = m_Dir.filePath("look.MVS");
    page.SaveStyleSheet(fileName);

    const QJsonObject info = TCalendarJson::Info(fileName);
    QCOMPARE(info["format"].toString(), QString("style sheet"));
    QCOMPARE(info["version"].toInt(), 1);
    QCOMPARE(info.keys(), (QStringList{"format", "settings", "version"}));
    const QJsonObject settings = info["settings"].toObject();
    QCOMPARE(settings["CalendarLayout"].toString(), QString("lopMC6Month"));
    QCOMPARE(settings["CellFont"]["Name"].toString(), QString("Courier New"));
    QCOMPARE(settings["RightMarginInch"].toDouble(), 1.25);
    QCOMPARE(settings["PageMonthNames"].toArray().size(), 12);
    QVERIFY(!settings.contains("StartOfWeek"));
}

void TestCalendarJson::InfoThenBuildGivesTheSameBytes_data()
{
    QTest::addColumn<QString>("fileName");
    TCalendarPanel32 empty(nullptr);
    empty.SaveToFile(m_Dir.filePath("empty.MVF"));
    QTest::newRow("new calendar") << m_Dir.filePath("empty.MVF");
    QTest::newRow("cells, objects, settings") << FilledCalendar();

    TCalendarPanel32 planner(nullptr);
    planner.SetCalendarLayout(loDay15);
    planner.SetStartTime(6.0 / 24);
    planner.SetMiniCalendarLineLayout(mllBoxed);
    planner.SetMiniCalBorder(cbBottom); // edited after its line layout's preset
    SetCellRtf(planner, 16, "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\i Notes\\par}");
    planner.SaveToFile(m_Dir.filePath("planner.MVF"));
    QTest::newRow("day planner") << m_Dir.filePath("planner.MVF");

    TCalendarPanel32 labels(nullptr);
    SetCellRtf(labels, 5, "{\\rtf1 Cell\\par}");
    AddLabel(labels, "Component0", QRect(40, 60, 200, 40), "Plain");
    TGPLabel* turned = AddLabel(labels, "Component1", QRect(300, 60, 40, 200), "Turned \u00e9");
    turned->SetAngle(270);
    turned->SetDepthShadow(3);
    turned->SetDirectionHighlight(hdUp);
    turned->Font().SetSize(14);
    labels.SaveToFile(m_Dir.filePath("labels.MVF"));
    QTest::newRow("text labels") << m_Dir.filePath("labels.MVF");

    TCalendarPanel32 style(nullptr);
    style.SetCalendarLayout(loMC60MonthLS);
    style.SetMiniHeadersBGColor(clBlack);
    style.MiniHeadersFont().SetStyle(FontStyleBit(fsStrikeOut));
    style.SaveStyleSheet(m_Dir.filePath("style.MVS"));
    QTest::newRow("style sheet") << m_Dir.filePath("style.MVS");
}

void TestCalendarJson::InfoThenBuildGivesTheSameBytes()
{
    QFETCH(QString, fileName);
    const QJsonObject info = TCalendarJson::Info(fileName);
    // Through the JSON text, as scripts pass it.
    const QJsonObject parsed = ParseObject(QJsonDocument(info).toJson());
    const QString rebuilt = m_Dir.filePath("rebuilt");
    QCOMPARE(BuildError(parsed, rebuilt), QString());
    QCOMPARE(FileBytes(rebuilt).toHex(), FileBytes(fileName).toHex());
}

void TestCalendarJson::MarginsSurviveInHundredths()
{
    // Every hundredth up to 4 inches, both ways: a margin given is the margin written, and a
    // file the page wrote is written again as it was.
    const QString fileName = m_Dir.filePath("margin.MVF");
    const QString rebuilt = m_Dir.filePath("margin-rebuilt.MVF");
    TCalendarPanel32 page(nullptr);
    for (int hundredths = 0; hundredths <= 400; ++hundredths) {
        const QString row = QString::number(hundredths);
        const double inches = hundredths / 100.0;
        QJsonObject json{{"format", "calendar"}, {"settings", QJsonObject{{"TopMarginInch", inches}}}};
        QCOMPARE(BuildError(json, fileName), QString());
        const QJsonObject built = TCalendarJson::Info(fileName)["settings"].toObject();
        QVERIFY2(built["TopMarginInch"].toDouble() == inches, qPrintable(row));

        page.SetTopMarginInch(hundredths * 0.01);
        page.SaveToFile(fileName);
        const QJsonObject info = TCalendarJson::Info(fileName);
        QCOMPARE(BuildError(ParseObject(QJsonDocument(info).toJson()), rebuilt), QString());
        QVERIFY2(FileBytes(rebuilt) == FileBytes(fileName), qPrintable(row));
    }
}

void TestCalendarJson::OlderVersionIsShownAndWrittenAsCurrent()
{
    TCalendarPanel32 page(nullptr);
    page.SetMainCalMonth(7);
    const QString current = m_Dir.filePath("current.MVF");
    page.SaveToFile(current);
    // A version 2 file: the title ends the settings list and no object list follows. The
    // current file ends in the empty title (2 bytes), the list end and the empty object list.
    const QByteArray v3 = FileBytes(current);
    const QByteArray v2 =
        QByteArray::fromHex("010202") + v3.mid(3, v3.size() - 3 - 5) + QByteArray("\x06\x03Old\x00", 6);
    const QString old = m_Dir.filePath("v2.MVF");
    WriteBytes(old, v2);

    QJsonObject info = TCalendarJson::Info(old);
    QCOMPARE(info["version"].toInt(), 2);
    QCOMPARE(info["userTitle"].toString(), QString("Old"));
    const QString rebuilt = m_Dir.filePath("v2-rebuilt.MVF");
    QCOMPARE(BuildError(info, rebuilt), QString());
    TCalendarPanel32 read(nullptr);
    read.LoadFromFile(rebuilt, nullptr);
    QCOMPARE(FileBytes(rebuilt).mid(0, 3).toHex(), QByteArray("010203"));
    QCOMPARE(read.MainCalMonth(), 7);
    QCOMPARE(read.UserTitle(), QString("Old"));
}

void TestCalendarJson::BuildFromMinimalJson()
{
    const QString fileName = m_Dir.filePath("minimal.MVF");
    QCOMPARE(BuildError(ParseObject(R"({"format": "calendar",
        "cells": [{"index": 3, "text": "Dentist"}, {"index": 10, "text": "Line one\nLine two"}]})"),
                        fileName),
             QString());

    TCalendarPanel32 read(nullptr);
    read.LoadFromFile(fileName, nullptr);
    const TCalendarPanel32 fresh(nullptr);
    QVERIFY(read.SameSettings(fresh));
    QCOMPARE(read.NumberPosition(), fresh.NumberPosition());
    QCOMPARE(read.CellBorder(), fresh.CellBorder());
    QCOMPARE(read.GetCellRtf(3)->RtfText().Document().toPlainText(), QString("Dentist"));
    QCOMPARE(read.GetCellRtf(10)->RtfText().Document().blockCount(), 2);
    for (int index = 1; index <= 42; ++index)
        QCOMPARE(read.GetCellRtf(index)->IsEmpty(), index != 3 && index != 10);

    const QJsonArray cells = TCalendarJson::Info(fileName)["cells"].toArray();
    QCOMPARE(cells.size(), 2);
    QCOMPARE(cells[1]["text"].toString(), QString("Line one\nLine two"));
    QVERIFY(cells[1]["rtf"].toString().startsWith("{\\rtf1"));
}

void TestCalendarJson::BuildAppliesSettingsInThePagesOrder_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    // A line layout brings its border preset; a border given with it is kept.
    QTest::newRow("preset") << QByteArray(R"({"CalendarLineLayout": "llCellsOnly"})") << "HeadersBorder"
                            << "cbNone";
    QTest::newRow("border after preset") << QByteArray(
                                                R"({"HeadersBorder": "cbTop", "CalendarLineLayout": "llCellsOnly"})")
                                         << "HeadersBorder"
                                         << "cbTop";
    QTest::newRow("mini border after preset")
        << QByteArray(R"({"MiniCellBorder": "cbAll", "MiniCalendarLineLayout": "mllBoxed"})") << "MiniCellBorder"
        << "cbAll";
    // A font keeps what the JSON leaves out.
    QTest::newRow("font size alone") << QByteArray(R"({"TitleFont": {"Size": 40}})") << "TitleFont.Name"
                                     << "Times New Roman";
    QTest::newRow("orientation with its layout")
        << QByteArray(R"({"CalendarOrientation": "coLandscape", "CalendarLayout": "loMC24MonthLS"})")
        << "CalendarOrientation"
        << "coLandscape";
}

void TestCalendarJson::BuildAppliesSettingsInThePagesOrder()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const QString fileName = m_Dir.filePath("order.MVS");
    QJsonObject json{{"format", "style sheet"}, {"settings", ParseObject(settings)}};
    QCOMPARE(BuildError(json, fileName), QString());
    QJsonValue shown = TCalendarJson::Info(fileName)["settings"];
    for (const QString& part : field.split('.'))
        shown = shown[part];
    QCOMPARE(shown.toString(), value);
}

void TestCalendarJson::PropertyKindsRoundTrip()
{
    TTestPageObject source(nullptr);
    source.Caption = "Caption";
    source.Alignment = 1;
    source.Color = clBtnFace;
    source.Accelerator = QChar(0x20AC);
    source.Ratio = 1.0 / 3;
    source.Font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsStrikeOut));
    source.Font.SetCharset(238);
    source.OnActivateName = "Activate";
    source.Data = QByteArray(300, '\x7f');
    source.SetCursor(-21);
    const QJsonObject json = TPropertyJson::ToJson(source);
    QCOMPARE(json["Alignment"].toString(), QString("taRightJustify"));
    QCOMPARE(json["Color"].toString(), QString("clBtnFace"));
    QCOMPARE(json["Accelerator"].toString(), QString(QChar(0x20AC)));
    QCOMPARE(json["Ratio"].toDouble(), 1.0 / 3);
    QCOMPARE(Json(json["Font"]["Style"]), Json(QJsonArray{"fsBold", "fsStrikeOut"}));
    QCOMPARE(json["Font"]["Charset"].toString(), QString("EASTEUROPE_CHARSET"));
    QCOMPARE(json["OnActivate"].toString(), QString("Activate"));
    QCOMPARE(json["Cursor"].toString(), QString("crHandPoint"));
    QCOMPARE(QByteArray::fromBase64(json["Data"].toString().toLatin1()), source.Data);

    TTestPageObject copy(nullptr);
    TPropertyJson::FromJson(copy, ParseObject(QJsonDocument(json).toJson()), "object");
    QCOMPARE(copy.Caption, source.Caption);
    QCOMPARE(copy.Alignment, source.Alignment);
    QCOMPARE(copy.Color, source.Color);
    QCOMPARE(copy.Accelerator, source.Accelerator);
    QCOMPARE(copy.Ratio, source.Ratio);
    QVERIFY(copy.Font == source.Font);
    QCOMPARE(copy.OnActivateName, source.OnActivateName);
    QCOMPARE(copy.Data, source.Data);
    QCOMPARE(copy.Cursor(), source.Cursor());

    // Integers with identifiers also take numbers; a font takes its size in points.
    TPropertyJson::FromJson(copy, ParseObject(R"({"Color": 255, "Cursor": -3, "Font": {"Size": 12}})"), "object");
    QCOMPARE(copy.Color, clRed);
    QCOMPARE(copy.Cursor(), -3);
    QCOMPARE(copy.Font.Height(), -16);
}

void TestCalendarJson::WrongFieldsAreNamed_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("field");

    const auto row = [](const char* name, const char* json, const char* field) {
        QTest::newRow(name) << QByteArray(json) << QString(field);
    };
    row("unknown field", R"({"format": "calendar", "colour": 1})", "colour");
    row("no format", R"({"cells": []})", "format");
    row("unknown format", R"({"format": "calender"})", "format");
    row("future version", R"({"format": "calendar", "version": 4})", "version");
    row("style sheet version", R"({"format": "style sheet", "version": 3})", "version");
    row("date in a style sheet", R"({"format": "style sheet", "date": {"year": 2000}})", "date");
    row("settings not an object", R"({"format": "calendar", "settings": []})", "settings");
    row("unknown setting", R"({"format": "calendar", "settings": {"TitleColour": "clRed"}})", "settings.TitleColour");
    row("setting of the wrong type", R"({"format": "calendar", "settings": {"UseA4Paper": "yes"}})",
        "settings.UseA4Paper");
    row("bad layout name", R"({"format": "calendar", "settings": {"CalendarLayout": "loMonth"}})",
        "settings.CalendarLayout");
    row("enumeration as a number", R"({"format": "calendar", "settings": {"CellBorder": 1}})", "settings.CellBorder");
    row("unknown colour", R"({"format": "calendar", "settings": {"TitleBGColor": "clPink"}})", "settings.TitleBGColor");
    row("colour too large", R"({"format": "calendar", "settings": {"TitleBGColor": 4294967296}})",
        "settings.TitleBGColor");
    row("fraction for an integer", R"({"format": "calendar", "settings": {"StartOfWeek": 1.5}})",
        "settings.StartOfWeek");
    row("bad style member", R"({"format": "calendar", "settings": {"TitleFont": {"Style": ["fsHeavy"]}}})",
        "settings.TitleFont.Style");
    row("unknown font field", R"({"format": "calendar", "settings": {"TitleFont": {"Height": -20}}})",
        "settings.TitleFont.Height");
    row("font size 0", R"({"format": "calendar", "settings": {"CellFont": {"Size": 0}}})", "settings.CellFont.Size");
    row("font without a name", R"({"format": "calendar", "settings": {"CellFont": {"Name": ""}}})",
        "settings.CellFont.Name");
    row("orientation against the layout",
        R"({"format": "calendar", "settings": {"CalendarOrientation": "coLandscape"}})",
        "settings.CalendarOrientation");
    row("negative margin", R"({"format": "calendar", "settings": {"LeftMarginInch": -0.25}})",
        "settings.LeftMarginInch");
    row("margin in thousandths", R"({"format": "calendar", "settings": {"LeftMarginInch": 0.333}})",
        "settings.LeftMarginInch");
    row("margin beyond the paper", R"({"format": "calendar", "settings": {"LeftMarginInch": 4.5}})",
        "settings.LeftMarginInch");
    row("margin as text", R"({"format": "calendar", "settings": {"LeftMarginInch": "1"}})", "settings.LeftMarginInch");
    row("eleven months",
        R"({"format": "calendar", "settings": {"PageMonthNames": ["a","b","c","d","e","f","g","h","i","j","k"]}})",
        "settings.PageMonthNames");
    row("day name not a string", R"({"format": "calendar", "settings": {"PageDayNames": ["a","b","c","d","e","f",7]}})",
        "settings.PageDayNames");
    row("week start in a style sheet", R"({"format": "style sheet", "settings": {"StartOfWeek": 2}})",
        "settings.StartOfWeek");
    row("month 13", R"({"format": "calendar", "date": {"month": 13}})", "date.month");
    row("unknown date field", R"({"format": "calendar", "date": {"week": 2}})", "date.week");
    row("30 February", R"({"format": "calendar", "date": {"year": 2024, "month": 2, "day": 30}})", "date.day");
    row("year 10000", R"({"format": "calendar", "date": {"year": 10000}})", "date.year");
    row("week starting on Tuesday", R"({"format": "calendar", "settings": {"StartOfWeek": 3}})",
        "settings.StartOfWeek");
    row("object wider than any page",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Width": 100000000}}]})",
        "objects[0].properties.Width");
    row("font height beyond any page",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Font": {"Height": 100000}}}]})",
        "objects[0].properties.Font.Height");
    row("start time 24:00", R"({"format": "calendar", "startTime": "24:00"})", "startTime");
    row("start time 8am", R"({"format": "calendar", "startTime": "8am"})", "startTime");
    row("title not a string", R"({"format": "calendar", "userTitle": 5})", "userTitle");
    row("cells not an array", R"({"format": "calendar", "cells": {"index": 1}})", "cells");
    row("cell 0", R"({"format": "calendar", "cells": [{"index": 0, "text": "x"}]})", "cells[0].index");
    row("cell 43", R"({"format": "calendar", "cells": [{"index": 43, "text": "x"}]})", "cells[0].index");
    row("cell index as text", R"({"format": "calendar", "cells": [{"index": "5", "text": "x"}]})", "cells[0].index");
    row("cell without index", R"({"format": "calendar", "cells": [{"text": "x"}]})", "cells[0].index");
    row("cell given twice",
        R"({"format": "calendar", "cells": [{"index": 5, "text": "x"}, {"index": 5, "text": "y"}]})", "cells[1].index");
    row("cell without text", R"({"format": "calendar", "cells": [{"index": 5}]})", "cells[0]");
    row("unknown cell field", R"({"format": "calendar", "cells": [{"index": 5, "txt": "x"}]})", "cells[0].txt");
    row("rtf that is not", R"({"format": "calendar", "cells": [{"index": 5, "rtf": "plain words"}]})", "cells[0].rtf");
    row("rtf outside the code page", R"({"format": "calendar", "cells": [{"index": 5, "rtf": "{\\rtf1 \u2764}"}]})",
        "cells[0].rtf");
    row("text against its rtf",
        R"({"format": "calendar", "cells": [{"index": 5, "text": "New", "rtf": "{\\rtf1 Old\\par}"}]})",
        "cells[0].text");
    // A rich-text label's text, given as `richText`.
    const auto labelRow = [](const char* name, const QByteArray& richText, const QString& field) {
        QTest::newRow(name)
            << R"({"format": "calendar", "objects": [{"class": "TGPRichBaseLabel", "properties": {"RTFText": )" +
                   richText + "}}]}"
            << "objects[0].properties.RTFText" + field;
    };
    labelRow("label rtf that is not", R"({"rtf": "plain words"})", ".rtf");
    labelRow("label rtf outside the code page", R"({"rtf": "{\\rtf1 \u2764}"})", ".rtf");
    labelRow("label rtf not a string", R"({"rtf": 7})", ".rtf");
    labelRow("label text not a string", R"({"text": ["a"]})", ".text");
    labelRow("label text against its rtf", R"({"text": "New", "rtf": "{\\rtf1 Old\\par}"})", ".text");
    labelRow("label text and its data", R"({"text": "New", "Data": "e1xydGYxIE5ld30AAAAA"})", ".Data");
    labelRow("label data not base64", R"({"Data": "#not base64#"})", ".Data");
    labelRow("unknown label text field", R"({"txt": "New"})", ".txt");
    labelRow("label text not an object", R"("New")", "");
    row("unknown class", R"({"format": "calendar", "objects": [{"class": "TNoSuchLabel"}]})", "objects[0].class");
    row("class that is no page object", R"({"format": "calendar", "objects": [{"class": "TTestPlainComponent"}]})",
        "objects[0].class");
    row("object without class", R"({"format": "calendar", "objects": [{"name": "A"}]})", "objects[0].class");
    row("same object name twice",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "name": "A"}, {"class": "TTestPageObject", "name": "a"}]})",
        "objects[1].name");
    row("unknown object property",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Colour": 1}}]})",
        "objects[0].properties.Colour");
    row("nested object property",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Font": {"Height": "big"}}}]})",
        "objects[0].properties.Font.Height");
    row("character of two",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Accelerator": "AB"}}]})",
        "objects[0].properties.Accelerator");
    row("binary not base64",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Data": "#not base64#"}}]})",
        "objects[0].properties.Data");
    row("bad cursor name",
        R"({"format": "calendar", "objects": [{"class": "TTestPageObject", "properties": {"Cursor": "crPointer"}}]})",
        "objects[0].properties.Cursor");
    QByteArray tooMany = R"({"format": "calendar", "objects": [{}]})";
    for (int i = 0; i < TGBasePanel::MaxObjectCount; ++i)
        tooMany.insert(tooMany.size() - 2, ", {}");
    QTest::newRow("more objects than a page holds") << tooMany << QString("objects");
}

void TestCalendarJson::WrongFieldsAreNamed()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, field);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    QVERIFY2(document.isObject(), qPrintable(parseError.errorString()));

    // The file that was there stays as it was.
    const QString fileName = m_Dir.filePath("kept.MVF");
    WriteBytes(fileName, "previous contents");
    const QString error = BuildError(document.object(), fileName);
    QVERIFY2(error.startsWith(field + ": "), qPrintable(error));
    QCOMPARE(FileBytes(fileName), QByteArray("previous contents"));
}

void TestCalendarJson::DamagedFilesGiveTheProgramsMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("styleSheet");
    const QByteArray good = FileBytes(FilledCalendar());
    const int cells = good.indexOf("TPF0");
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("not a list") << good.mid(1) << false;
    QTest::newRow("cut in the settings") << good.left(60) << false;
    QTest::newRow("cut in the cells") << good.left(cells + 30) << false;
    QTest::newRow("cell without signature") << (good.left(cells) + "XPF0" + good.mid(cells + 4)) << false;
    QByteArray badHour = good;
    badHour[cells - 3] = 25;
    QTest::newRow("hour 25") << badHour << false;
    QByteArray stringForInteger = good;
    stringForInteger[5] = char(vaString);
    QTest::newRow("string for an integer") << stringForInteger << false;

    TCalendarPanel32 page(nullptr);
    page.SaveStyleSheet(m_Dir.filePath("whole.MVS"));
    const QByteArray style = FileBytes(m_Dir.filePath("whole.MVS"));
    QTest::newRow("style sheet cut") << style.left(style.size() / 2) << true;
    QTest::newRow("style sheet without its end") << style.left(style.size() - 1) << true;
}

void TestCalendarJson::DamagedFilesGiveTheProgramsMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, styleSheet);
    const QString fileName = m_Dir.filePath("damaged");
    WriteBytes(fileName, bytes);
    const QString expected = PageLoadError(fileName, styleSheet);
    QVERIFY(!expected.isEmpty());
    // mvtool may read several files, so it names the one at fault.
    QCOMPARE(InfoError(fileName), fileName + ": " + expected);

    const QString absent = m_Dir.filePath("absent.MVF");
    QCOMPARE(InfoError(absent), PageLoadError(absent, false));
}

void TestCalendarJson::SampleCalendarIsBuiltFromItsJson()
{
    // The bundled sample is committed as built from the JSON beside it; building it again
    // must give the same bytes, or one of the two was changed without the other.
    const QString samples = MV_SAMPLES_DIR;
    const QJsonObject json = ParseObject(FileBytes(samples + "/Sample.json"));
    QVERIFY(!json.isEmpty());
    const QString rebuilt = m_Dir.filePath("Sample.MVF");
    QCOMPARE(BuildError(json, rebuilt), QString());
    QCOMPARE(FileBytes(rebuilt).toHex(), FileBytes(samples + "/Sample.MVF").toHex());
    QCOMPARE(TCalendarJson::Info(rebuilt)["cells"].toArray().size(), json["cells"].toArray().size());
}

QObject* NewTestCalendarJson()
{
    return new TestCalendarJson;
}

#include "TestCalendarJson.moc"
