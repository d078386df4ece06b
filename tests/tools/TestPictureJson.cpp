// mvtool info and build with picture objects on the page: every streamed property in the JSON
// (the picture as its data block in base64), the file rebuilt byte for byte, and damaged picture
// data or wrong values named by their field.

#include "ToolFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "imaging/Picture.h"
#include "objects/GImage.h"
#include "platform/MervaneError.h"
#include "tools/CalendarJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

class TestPictureJson : public QObject {
    Q_OBJECT

private slots:
    void InfoShowsEveryPropertyAndBuildGivesTheSameBytes();
    void WrongValuesAreNamed_data();
    void WrongValuesAreNamed();

private:
    QTemporaryDir m_Dir;
};

void TestPictureJson::InfoShowsEveryPropertyAndBuildGivesTheSameBytes()
{
    const QString fileName = m_Dir.filePath("pictures.MVF");
    QImage bitmap(5, 3, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    const TPicture picture = TPicture::FromImage(bitmap);
    {
        TCalendarPanel32 page(nullptr);
        auto* stretched = new TGImage(nullptr);
        stretched->Loaded();
        page.PlaceObject(*stretched, {300, 200, 180, 130});
        stretched->SetName("Component0");
        stretched->SetPicture(picture);
        stretched->SetBorderStyle(bsSingle);
        auto* sized = new TGImage(nullptr);
        sized->Loaded();
        page.PlaceObject(*sized, {30, 20, 50, 50});
        sized->SetName("Component1");
        sized->SetPicture(picture);
        sized->SetAutoSize(true);
        auto* empty = new TGImage(nullptr);
        empty->Loaded();
        page.PlaceObject(*empty, {90, 20, 50, 50});
        empty->SetName("Component2");
        page.SaveToFile(fileName);
    }
    const QJsonObject info = TCalendarJson::Info(fileName);
    const QJsonArray objects = info["objects"].toArray();
    QCOMPARE(objects.size(), 3);
    QCOMPARE(objects[0]["class"].toString(), QString("TGImage"));
    const QJsonObject stretched = objects[0]["properties"].toObject();
    QCOMPARE(stretched["BorderStyle"].toString(), QString("bsSingle"));
    QCOMPARE(stretched["AutoSize"].toBool(true), false);
    QCOMPARE(stretched["Stretch"].toBool(false), true);
    QCOMPARE(QByteArray::fromBase64(stretched["Picture"].toObject()["Data"].toString().toLatin1()),
             picture.DataBlock());
    const QJsonObject sized = objects[1]["properties"].toObject();
    QCOMPARE(sized["AutoSize"].toBool(false), true);
    QCOMPARE(sized["Stretch"].toBool(true), false);
    QCOMPARE(sized["Width"].toInt(), 5);

    const QJsonObject parsed = QJsonDocument::fromJson(QJsonDocument(info).toJson()).object();
    const QString rebuilt = m_Dir.filePath("rebuilt.MVF");
    QCOMPARE(BuildError(parsed, rebuilt), QString());
    QCOMPARE(FileBytes(rebuilt).toHex(), FileBytes(fileName).toHex());
}

void TestPictureJson::WrongValuesAreNamed_data()
{
    QTest::addColumn<QByteArray>("properties");
    QTest::addColumn<QString>("field");
    const auto row = [](const char* name, const char* properties, const char* field) {
        QTest::newRow(name) << QByteArray(properties) << QString("objects[0].properties.") + field;
    };
    row("picture data of garbage", R"({"Picture": {"Data": "Z2FyYmFnZQ=="}})", "Picture.Data");
    row("picture data not base64", R"({"Picture": {"Data": "*"}})", "Picture.Data");
    row("unknown border style", R"({"BorderStyle": "bsDouble"})", "BorderStyle");
    row("AutoSize as text", R"({"AutoSize": "yes"})", "AutoSize");
}

void TestPictureJson::WrongValuesAreNamed()
{
    QFETCH(QByteArray, properties);
    QFETCH(QString, field);
    const QString fileName = m_Dir.filePath("kept.MVF");
    WriteBytes(fileName, "previous contents");
    const QString error = ObjectBuildError("TGImage", properties, fileName);
    QVERIFY2(error.startsWith(field + ": "), qPrintable(error));
    QCOMPARE(FileBytes(fileName), QByteArray("previous contents"));
}

QObject* NewTestPictureJson()
{
    return new TestPictureJson;
}

#include "TestPictureJson.moc"
