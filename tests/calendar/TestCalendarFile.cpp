// Calendar files and style sheets: their bytes, round trips, older versions and damaged files.

#include "calendar/CalendarPanel32.h"
#include "richtext/WPRtfStorage.h"
#include "stream/StreamError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray FileBytes(const QString& fileName)
{
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QString LoadError(TCalendarPanel32& page, const QString& fileName)
{
    try {
        page.LoadFromFile(fileName, nullptr);
    } catch (const EStreamError& error) {
        return error.Message();
    }
    return {};
}

const QByteArray EmptyCell("TPF0\x0dTWPRtfStorage\0\0\0", 21);

} // namespace

class TestCalendarFile : public QObject {
    Q_OBJECT

private slots:
    void EmptyCalendarBytes();
    void StartTimeAndMarginsAsIntegers();
    void MarginsSurviveRepeatedSaves();
    void RoundTripKeepsSettingsCellsAndTitle();
    void OlderVersionsLoad();
    void StyleSheetChangesOnlyTheLook();
    void DamagedFilesGiveTheirError_data();
    void DamagedFilesGiveTheirError();

private:
    QTemporaryDir m_Dir;
};

void TestCalendarFile::EmptyCalendarBytes()
{
    TCalendarPanel32 page(nullptr);
    const QString fileName = m_Dir.filePath("empty.MVF");
    page.SaveToFile(fileName);
    const QByteArray bytes = FileBytes(fileName);
    QVERIFY(bytes.startsWith(QByteArray::fromHex("0102030201")));
    const QByteArray tail = EmptyCell.repeated(42) + QByteArray::fromHex("0600") + QByteArray::fromHex("000100");
    QVERIFY(bytes.endsWith(tail));
}

void TestCalendarFile::StartTimeAndMarginsAsIntegers()
{
    TCalendarPanel32 page(nullptr);
    page.SetLeftMarginInch(0.25);
    const QString fileName = m_Dir.filePath("times.MVF");
    for (const auto& [time, bytes] : {std::pair{8 * 60, QByteArray::fromHex("02080200")},
                                       std::pair{14 * 60 + 30, QByteArray::fromHex("020e021e")}}) {
        page.SetStartTime(time / 1440.0);
        page.SaveToFile(fileName);
        const QByteArray file = FileBytes(fileName);
        QCOMPARE(file.mid(file.indexOf("TPF0") - 4, 4).toHex(), bytes.toHex());
    }
    // version, 1, UseA4Paper 0, orientation 0, then the left margin 25 as vaInt8.
    QCOMPARE(FileBytes(fileName).mid(5, 6).toHex(), QByteArray("020002000219"));

    TCalendarPanel32 read(nullptr);
    read.LoadFromFile(fileName, nullptr);
    QCOMPARE(read.LeftMarginInch(), 0.25);
    QCOMPARE(qRound(read.StartTime() * 1440), 14 * 60 + 30);
}

// Hundredths whose single-precision value lies just below them must not lose a hundredth on
// each save.
void TestCalendarFile::MarginsSurviveRepeatedSaves()
{
    const QString fileName = m_Dir.filePath("margins.MVF");
    for (const int hundredths : {7, 29, 57, 105, 117, 133, 150}) {
        TCalendarPanel32 page(nullptr);
        page.SetLeftMarginInch(hundredths / 100.0);
        for (int save = 0; save < 3; ++save) {
            page.SaveToFile(fileName);
            QCOMPARE(int(quint8(FileBytes(fileName).at(10))), hundredths);
            TCalendarPanel32 read(nullptr);
            read.LoadFromFile(fileName, nullptr);
            page.SetLeftMarginInch(read.LeftMarginInch());
        }
    }
}

void TestCalendarFile::RoundTripKeepsSettingsCellsAndTitle()
{
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(lo2Week);
    page.SetMainCalDay(12);
    page.SetMainCalMonth(10);
    page.SetMainCalYear(2026);
    page.SetStartOfWeek(2);
    page.SetUserTitle("Fall \u2764 Term");
    page.SetMonthName(1, "Janvier");
    page.TitleFont().SetSize(30);
    page.TitleFont().SetStyle(FontStyleBit(fsItalic) | FontStyleBit(fsUnderline));
    page.TitleFont().SetColor(clNavy);
    page.SetHeadersBGColor(clBtnFace);
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1\\ansi\\b Exams\\b0  week\\par}");
    page.SetCellRtf(5, text);
    const QString fileName = m_Dir.filePath("round.MVF");
    page.SaveToFile(fileName);

    TCalendarPanel32 read(nullptr);
    read.LoadFromFile(fileName, nullptr);
    QVERIFY(read.SameSettings(page));
    QCOMPARE(read.TitleFont().Size(), 30);
    QCOMPARE(read.UserTitle(), QString("Fall \u2764 Term"));
    QCOMPARE(read.StartOfWeek(), 2);
    QCOMPARE(read.GetCellRtf(5)->RtfText().Document().toPlainText(), QString("Exams week"));
    QVERIFY(read.GetCellRtf(4)->IsEmpty());
    // Written again, the file is the same.
    read.SaveToFile(m_Dir.filePath("again.MVF"));
    QCOMPARE(FileBytes(m_Dir.filePath("again.MVF")), FileBytes(fileName));
}

void TestCalendarFile::OlderVersionsLoad()
{
    TCalendarPanel32 page(nullptr);
    page.SetUserTitle("Gone");
    const QString fileName = m_Dir.filePath("v3.MVF");
    page.SaveToFile(fileName);
    const QByteArray v3 = FileBytes(fileName);
    const QByteArray settings = v3.left(v3.size() - 6 - 1 - 2); // without title, list end, object list

    // Version 2: the user title, no object list. Version 1: neither.
    const QByteArray v2 = QByteArray::fromHex("010202") + settings.mid(3) + "\x06\x04Kept" + '\0';
    const QByteArray v1 = QByteArray::fromHex("010201") + settings.mid(3) + '\0';
    WriteBytes(m_Dir.filePath("v2.MVF"), v2);
    WriteBytes(m_Dir.filePath("v1.MVF"), v1);

    TCalendarPanel32 read(nullptr);
    QCOMPARE(LoadError(read, m_Dir.filePath("v2.MVF")), QString());
    QCOMPARE(read.UserTitle(), QString("Kept"));
    read.SetUserTitle(QString());
    QCOMPARE(LoadError(read, m_Dir.filePath("v1.MVF")), QString());
    QCOMPARE(read.UserTitle(), QString());
}

void TestCalendarFile::StyleSheetChangesOnlyTheLook()
{
    TCalendarPanel32 style(nullptr);
    style.SetCalendarLayout(loMC12MonthLS);
    style.SetUseA4Paper(true);
    style.SetTopMarginInch(0.75);
    style.CellFont().SetName("Arial");
    const QString fileName = m_Dir.filePath("look.MVS");
    style.SaveStyleSheet(fileName);
    QVERIFY(FileBytes(fileName).startsWith(QByteArray::fromHex("0102010202")));

    TCalendarPanel32 page(nullptr);
    page.SetMainCalMonth(3);
    page.SetUserTitle("Mine");
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1 Kept}");
    page.SetCellRtf(1, text);
    page.LoadStyleSheet(fileName);
    QCOMPARE(page.CalendarLayout(), loMC12MonthLS);
    QVERIFY(page.UseA4Paper());
    QCOMPARE(page.TopMarginInch(), 0.75);
    QCOMPARE(page.CellFont().Name(), QString("Arial"));
    QCOMPARE(page.MainCalMonth(), 3);
    QCOMPARE(page.UserTitle(), QString("Mine"));
    QVERIFY(!page.GetCellRtf(1)->IsEmpty());
}

void TestCalendarFile::DamagedFilesGiveTheirError_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    TCalendarPanel32 page(nullptr);
    QTemporaryDir dir;
    page.SaveToFile(dir.filePath("good.MVF"));
    const QByteArray good = FileBytes(dir.filePath("good.MVF"));
    const int cells = good.indexOf("TPF0");
    QTest::newRow("not a list") << good.mid(1) << "Invalid property value";
    QTest::newRow("cut in the settings") << good.left(40) << "Stream read error";
    QTest::newRow("cell without signature") << (good.left(cells) + "XPF0" + good.mid(cells + 4))
                                            << "Invalid stream format";
    QByteArray badHour = good;
    badHour[cells - 3] = 24;
    QTest::newRow("hour 24") << badHour << "Invalid argument to time encode";
    QTest::newRow("empty file") << QByteArray() << "Stream read error";
    // A damaged object list is swallowed.
    QTest::newRow("damaged object list") << (good.left(good.size() - 1) + "TPF0" + char(3) + "Foo") << QString();
}

void TestCalendarFile::DamagedFilesGiveTheirError()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const QString fileName = m_Dir.filePath("damaged.MVF");
    WriteBytes(fileName, bytes);
    TCalendarPanel32 page(nullptr);
    QCOMPARE(LoadError(page, fileName), error);
    QCOMPARE(LoadError(page, m_Dir.filePath("absent.MVF")), "Cannot open file " + m_Dir.filePath("absent.MVF"));
}

QObject* NewTestCalendarFile()
{
    return new TestCalendarFile;
}

#include "TestCalendarFile.moc"
