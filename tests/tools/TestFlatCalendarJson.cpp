// mvtool info and build with a floating mini calendar on the page: every streamed property in
// the JSON, the file rebuilt byte for byte, and wrong values named by their field.

#include "ToolFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "effects/GFlatCalendar.h"
#include "platform/MervaneError.h"
#include "tools/CalendarJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

class TestFlatCalendarJson : public QObject {
    Q_OBJECT

private slots:
    void InfoShowsEveryPropertyAndBuildGivesTheSameBytes();
    void WrongValuesAreNamed_data();
    void WrongValuesAreNamed();

private:
    QTemporaryDir m_Dir;
};

void TestFlatCalendarJson::InfoShowsEveryPropertyAndBuildGivesTheSameBytes()
{
    const QString fileName = m_Dir.filePath("mini.MVF");
    {
        TCalendarPanel32 page(nullptr);
        auto* calendar = new TGFlatCalendar(nullptr);
        calendar->Loaded();
        page.PlaceObject(*calendar, {300, 200, 180, 130});
        calendar->SetName("Component0");
        calendar->SetMonth(2);
        calendar->SetYear(2000);
        calendar->SetStartOfWeek(2);
        calendar->SetLanguage(fclItalian);
        calendar->SetDayNameStyle(fdsThreeChars);
        calendar->SetShadowDepth(5);
        calendar->SetShadowPosition(fcpUpperLeft);
        calendar->SetTitleBGcolor(clYellow);
        calendar->SetCalTransparent(true);
        calendar->CellFont().SetStyle(FontStyleBit(fsBold));
        page.SaveToFile(fileName);
    }
    const QJsonObject info = TCalendarJson::Info(fileName);
    const QJsonArray objects = info["objects"].toArray();
    QCOMPARE(objects.size(), 1);
    QCOMPARE(objects[0]["class"].toString(), QString("TGFlatCalendar"));
    const QJsonObject properties = objects[0]["properties"].toObject();
    for (const char* name :
         {"StartOfWeek", "Month", "Year", "TitleFont", "DayNameFont", "CellFont", "ShowYear", "DayNameBGColor",
          "CalendarBorderStyle", "DayNameBorderStyle", "CellBorderStyle", "DayNameStyle", "TitleBGcolor",
          "Backgroundcolor", "ShadowColor", "ShadowDepth", "ShadowPosition", "Language", "CalTransparent"})
        QVERIFY2(properties.contains(name), name);
    QCOMPARE(properties["StartOfWeek"].toInt(), 2);
    QCOMPARE(properties["Year"].toInt(), 2000);
    QCOMPARE(properties["Language"].toString(), QString("fclItalian"));
    QCOMPARE(properties["DayNameStyle"].toString(), QString("fdsThreeChars"));
    QCOMPARE(properties["ShadowPosition"].toString(), QString("fcpUpperLeft"));
    QCOMPARE(properties["CalTransparent"].toBool(), true);
    QCOMPARE(properties["ShowYear"].toBool(), false);
    QVERIFY(properties["CellFont"].isObject());

    // Through the JSON text, as scripts pass it.
    const QJsonObject parsed = QJsonDocument::fromJson(QJsonDocument(info).toJson()).object();
    const QString rebuilt = m_Dir.filePath("rebuilt.MVF");
    QCOMPARE(BuildError(parsed, rebuilt), QString());
    QCOMPARE(FileBytes(rebuilt).toHex(), FileBytes(fileName).toHex());
}

void TestFlatCalendarJson::WrongValuesAreNamed_data()
{
    QTest::addColumn<QByteArray>("properties");
    QTest::addColumn<QString>("field");
    const auto row = [](const char* name, const char* properties, const char* field) {
        QTest::newRow(name) << QByteArray(properties) << QString("objects[0].properties.") + field;
    };
    row("week day 9", R"({"StartOfWeek": 9})", "StartOfWeek");
    row("week day 0", R"({"StartOfWeek": 0})", "StartOfWeek");
    row("unknown language", R"({"Language": "fclDutch"})", "Language");
    row("border style by number", R"({"CellBorderStyle": 1})", "CellBorderStyle");
    row("month as text", R"({"Month": "May"})", "Month");
    row("unknown colour", R"({"ShadowColor": "clShadow"})", "ShadowColor");
    row("font height beyond any page", R"({"TitleFont": {"Height": 100000}})", "TitleFont.Height");
}

void TestFlatCalendarJson::WrongValuesAreNamed()
{
    QFETCH(QByteArray, properties);
    QFETCH(QString, field);
    const QString fileName = m_Dir.filePath("kept.MVF");
    WriteBytes(fileName, "previous contents");
    const QString error = ObjectBuildError("TGFlatCalendar", properties, fileName);
    QVERIFY2(error.startsWith(field + ": "), qPrintable(error));
    QCOMPARE(FileBytes(fileName), QByteArray("previous contents"));
}

QObject* NewTestFlatCalendarJson()
{
    return new TestFlatCalendarJson;
}

#include "TestFlatCalendarJson.moc"
