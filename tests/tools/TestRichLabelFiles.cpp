// Calendar files holding rich-text labels in mvtool: a file written byte by byte from the
// record layout is shown as JSON with every streamed property, built back to the same bytes,
// and drawn and printed with the label where the page shows it.

#include "../common/PdfTools.h"
#include "ToolFixtures.h"
#include "richtext/WPRtfText.h"
#include "stream/ValueType.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarJson.h"
#include "tools/CalendarRenderer.h"
#include "tools/ToolPage.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Str(const QByteArray& text)
{
    return char(text.size()) + text;
}

QByteArray Ident(const QByteArray& name)
{
    return char(vaIdent) + Str(name);
}

QByteArray Binary(const QByteArray& bytes)
{
    QByteArray value(1, char(vaBinary));
    const quint32 size = quint32(bytes.size());
    for (int i = 0; i < 4; ++i)
        value += char(size >> (8 * i));
    return value + bytes;
}

// The label's text: one word in 20-point Arial.
QByteArray LabelRtf()
{
    TWPRtfText text;
    text.SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 Richword\\par}");
    return text.Rtf(); // as the engine writes it, so that writing back can give the same bytes
}

// "Special1" at (420, 40), 260 x 50, yellow, not transparent, no border.
QByteArray RichRecord()
{
    return "TPF0" + Str("TGPRichBaseLabel") + Str("Special1") + Str("Left") + QByteArray("\x03\xA4\x01", 3) +
           Str("Top") + QByteArray("\x02\x28", 2) + Str("Width") + QByteArray("\x03\x04\x01", 3) + Str("Height") +
           QByteArray("\x02\x32", 2) + Str("Locked") + char(vaFalse) + Str("Unselectable") + char(vaFalse) +
           Str("RTFText.Data") + Binary(LabelRtf() + QByteArray(4, '\0')) + Str("BorderStyle") + Ident("bsNone") +
           Str("Transparent") + char(vaFalse) + Str("BGColor") + Ident("clYellow") + QByteArray("\x00\x00", 2);
}

} // namespace

class TestRichLabelFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void InfoShowsEveryStreamedProperty();
    void InfoThenBuildGivesTheSameBytes();
    void ReadAndWrittenBackByteIdentical();
    void DrawnWhereThePageShowsIt_data();
    void DrawnWhereThePageShowsIt();
    void PrintedWhereThePageShowsIt();

private:
    QString m_File;
    QTemporaryDir m_Dir;
};

void TestRichLabelFiles::initTestCase()
{
    // An empty calendar whose object list (vaList, vaNull at its end) gets the label's record.
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(LOFullCalendarLS);
    const QString empty = m_Dir.filePath("empty.MVF");
    page.SaveToFile(empty);
    QByteArray bytes = FileBytes(empty);
    QVERIFY(bytes.endsWith(QByteArray("\x00\x01\x00", 3)));
    bytes.chop(1);
    m_File = m_Dir.filePath("rich.MVF");
    WriteBytes(m_File, bytes + RichRecord() + '\0');
}

void TestRichLabelFiles::InfoShowsEveryStreamedProperty()
{
    const QJsonArray objects = TCalendarJson::Info(m_File)["objects"].toArray();
    QCOMPARE(objects.size(), 1);
    const QJsonObject object = objects[0].toObject();
    QCOMPARE(object["class"].toString(), QString("TGPRichBaseLabel"));
    QCOMPARE(object["name"].toString(), QString("Special1"));
    const QJsonObject expected{{"Left", 420},
                               {"Top", 40},
                               {"Width", 260},
                               {"Height", 50},
                               {"Cursor", "crDefault"},
                               {"Tag", 0},
                               {"Locked", false},
                               {"Unselectable", false},
                               {"RTFText", QJsonObject{{"text", "Richword"}, {"rtf", QString::fromLatin1(LabelRtf())}}},
                               {"BorderStyle", "bsNone"},
                               {"Transparent", false},
                               {"BGColor", "clYellow"}};
    QCOMPARE(QJsonDocument(object["properties"].toObject()).toJson(), QJsonDocument(expected).toJson());
}

void TestRichLabelFiles::InfoThenBuildGivesTheSameBytes()
{
    const QString built = m_Dir.filePath("built.MVF");
    TCalendarJson::Build(TCalendarJson::Info(m_File), built);
    QCOMPARE(FileBytes(built), FileBytes(m_File));

    // The label's text as the stream's data in base64 (as earlier versions showed it) or as the
    // RTF alone builds the same file.
    const auto withText = [&](const QJsonObject& text) {
        QJsonObject json = TCalendarJson::Info(m_File);
        QJsonArray objects = json["objects"].toArray();
        QJsonObject label = objects[0].toObject();
        QJsonObject properties = label["properties"].toObject();
        properties["RTFText"] = text;
        label["properties"] = properties;
        objects[0] = label;
        json["objects"] = objects;
        return json;
    };
    TCalendarJson::Build(withText({{"Data", QString::fromLatin1((LabelRtf() + QByteArray(4, '\0')).toBase64())}}),
                         built);
    QCOMPARE(FileBytes(built), FileBytes(m_File));
    TCalendarJson::Build(withText({{"rtf", QString::fromLatin1(LabelRtf())}}), built);
    QCOMPARE(FileBytes(built), FileBytes(m_File));
    // Plain text takes the default font.
    TCalendarJson::Build(withText({{"text", "Plainword"}}), built);
    const QJsonObject plain =
        TCalendarJson::Info(built)["objects"].toArray()[0].toObject()["properties"].toObject()["RTFText"].toObject();
    QCOMPARE(plain["text"].toString(), QString("Plainword"));
    QVERIFY(plain["rtf"].toString().contains("Arial"));

    // A label built from JSON without text and colours takes the new label's values.
    QJsonObject json = TCalendarJson::Info(m_File);
    json["objects"] = QJsonArray{QJsonObject{{"class", "TGPRichBaseLabel"}, {"name", "Special2"}}};
    TCalendarJson::Build(json, built);
    const QJsonObject properties =
        TCalendarJson::Info(built)["objects"].toArray()[0].toObject()["properties"].toObject();
    QVERIFY(!properties.contains("RTFText"));
    QCOMPARE(properties["BorderStyle"].toString(), QString("bsSingle"));
    QCOMPARE(properties["Transparent"].toBool(), true);
    QCOMPARE(properties["BGColor"].toString(), QString("clWhite"));
}

void TestRichLabelFiles::ReadAndWrittenBackByteIdentical()
{
    TToolPage page;
    TCalendarFile::Load(page, m_File);
    QCOMPARE(page.Objects().size(), 1);
    QVERIFY(page.ObjectsLeftOut().isEmpty());
    const QString written = m_Dir.filePath("written.MVF");
    TCalendarFile::Save(page, TCalendarFileFormat::Calendar, written);
    QCOMPARE(FileBytes(written), FileBytes(m_File));
}

void TestRichLabelFiles::DrawnWhereThePageShowsIt_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("100 %") << 1.0f;
    QTest::newRow("60 %") << 0.6f;
}

void TestRichLabelFiles::DrawnWhereThePageShowsIt()
{
    QFETCH(float, zoom);
    const QString png = m_Dir.filePath("rich.png");
    TCalendarRenderer::Render(m_File, png, zoom);
    const QImage screen = QImage(png).convertToFormat(QImage::Format_RGB32);

    // Where the page puts the label at this zoom (its own geometry, rounded as objects zoom).
    TToolPage page;
    TCalendarFile::Load(page, m_File);
    page.SetZoom(zoom);
    const QRect label = page.Objects().first()->geometry();
    QCOMPARE(label, QRect(int(std::nearbyint(420 * zoom)), int(std::nearbyint(40 * zoom)),
                          int(std::nearbyint(260 * zoom)), int(std::nearbyint(50 * zoom))));
    // Yellow to the label's edges, the page's white just outside; the word in between.
    QCOMPARE(screen.pixel(label.right() - 1, label.bottom() - 1), qRgb(255, 255, 0));
    QCOMPARE(screen.pixel(label.left() + 1, label.bottom() - 1), qRgb(255, 255, 0));
    QVERIFY(screen.pixel(label.right() + 2, label.center().y()) != qRgb(255, 255, 0));
    int dark = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
        for (int x = label.left(); x <= label.right(); ++x)
            dark += qGray(screen.pixel(x, y)) < 100;
    }
    QVERIFY2(dark > 20 * zoom, "no text in the label");
}

void TestRichLabelFiles::PrintedWhereThePageShowsIt()
{
    const QString pdf = m_Dir.filePath("rich.pdf");
    TCalendarRenderer::Render(m_File, pdf, 1.0f);
    // The label's corner at (420, 40) screen pixels is (315, 30) points on paper.
    const QRectF box = PdfWordBox(pdf, "Richword");
    QVERIFY2(!box.isEmpty(), "no label text in the PDF");
    QVERIFY2(box.left() >= 315 - 0.5 && box.left() <= 315 + 4, qPrintable(QString::number(box.left())));
    QVERIFY2(box.top() >= 30 - 0.5 && box.top() <= 30 + 8, qPrintable(QString::number(box.top())));
    QVERIFY2(box.height() > 15, qPrintable(QString::number(box.height()))); // 20-point text
}

QObject* NewTestRichLabelFiles()
{
    return new TestRichLabelFiles;
}

#include "TestRichLabelFiles.moc"
