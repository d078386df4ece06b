// mvtool info and build with a special-effects text on the page: every streamed property in the
// JSON (the texture included), the file rebuilt byte for byte, and wrong values named by their
// field.

#include "ToolFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "effects/GSuperText.h"
#include "platform/MervaneError.h"
#include "tools/CalendarJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

class TestSuperTextJson : public QObject {
    Q_OBJECT

private slots:
    void InfoShowsEveryPropertyAndBuildGivesTheSameBytes();
    void WrongValuesAreNamed_data();
    void WrongValuesAreNamed();

private:
    QTemporaryDir m_Dir;
};

void TestSuperTextJson::InfoShowsEveryPropertyAndBuildGivesTheSameBytes()
{
    const QString fileName = m_Dir.filePath("supertext.MVF");
    {
        TCalendarPanel32 page(nullptr);
        TGSuperText* text = TGSuperText::CreateForTool(nullptr);
        text->Loaded();
        page.PlaceObject(*text, {300, 200, 240, 90});
        text->SetName("Component0");
        text->SetCaption("Happy");
        text->SetShadowDepth(3);
        text->SetShadowOrientation(sdDownLeft);
        text->SetSurfaceType(stBrushImage);
        QImage texture(5, 4, QImage::Format_RGB32);
        texture.fill(Qt::darkCyan);
        text->SetImage(texture);
        text->SetOutlineStyle(psDashDot);
        text->SetLastBitmapFileNameandPath("/textures/wood.bmp");
        page.SaveToFile(fileName);
    }
    const QJsonObject info = TCalendarJson::Info(fileName);
    const QJsonArray objects = info["objects"].toArray();
    QCOMPARE(objects.size(), 1);
    QCOMPARE(objects[0]["class"].toString(), QString("TGSuperText"));
    const QJsonObject properties = objects[0]["properties"].toObject();
    for (const char* name :
         {"ShadowDepth", "ShadowOrientation", "BorderStyle", "ControlTransparent", "BGColor", "Caption", "Font",
          "FillDirection", "GradientToColor", "GradientFromColor", "Image", "OutlineColor", "OutlineStyle",
          "OutlineWidth", "SurfaceType", "LastBitmapFileNameandPath"})
        QVERIFY2(properties.contains(name), name);
    QCOMPARE(properties["ShadowOrientation"].toString(), QString("sdDownLeft"));
    QCOMPARE(properties["SurfaceType"].toString(), QString("stBrushImage"));
    QCOMPARE(properties["OutlineStyle"].toString(), QString("psDashDot"));
    QCOMPARE(properties["Caption"].toString(), QString("Happy"));
    QVERIFY(properties["Image"].isObject());

    const QJsonObject parsed = QJsonDocument::fromJson(QJsonDocument(info).toJson()).object();
    const QString rebuilt = m_Dir.filePath("rebuilt.MVF");
    QCOMPARE(BuildError(parsed, rebuilt), QString());
    QCOMPARE(FileBytes(rebuilt).toHex(), FileBytes(fileName).toHex());
}

void TestSuperTextJson::WrongValuesAreNamed_data()
{
    QTest::addColumn<QByteArray>("properties");
    QTest::addColumn<QString>("field");
    const auto row = [](const char* name, const char* properties, const char* field) {
        QTest::newRow(name) << QByteArray(properties) << QString("objects[0].properties.") + field;
    };
    row("unknown surface", R"({"SurfaceType": "stMarble"})", "SurfaceType");
    row("direction by number", R"({"FillDirection": 2})", "FillDirection");
    row("negative shadow", R"({"ShadowDepth": -3})", "ShadowDepth");
    row("outline beyond any page", R"({"OutlineWidth": 5000000})", "OutlineWidth");
    row("texture not base64 of a bitmap", R"({"Image": {"Data": "AAAA"}})", "Image.Data");
}

void TestSuperTextJson::WrongValuesAreNamed()
{
    QFETCH(QByteArray, properties);
    QFETCH(QString, field);
    const QString fileName = m_Dir.filePath("kept.MVF");
    WriteBytes(fileName, "previous contents");
    const QString error = ObjectBuildError("TGSuperText", properties, fileName);
    QVERIFY2(error.startsWith(field + ": "), qPrintable(error));
    QCOMPARE(FileBytes(fileName), QByteArray("previous contents"));
}

QObject* NewTestSuperTextJson()
{
    return new TestSuperTextJson;
}

#include "TestSuperTextJson.moc"
