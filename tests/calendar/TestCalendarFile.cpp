// Calendar files and style sheets: their bytes, round trips, older versions and damaged files.

#include "../common/FileBytes.h"
#include "calendar/CalendarPanel32.h"
#include "objects/GPLabel.h"
#include "objects/GPRichBaseLabel.h"
#include "richtext/WPRtfStorage.h"
#include "stream/StreamErrors.h"
#include "stream/Writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

QString LoadError(TCalendarPanel32& page, const QString& fileName)
{
    try {
        page.LoadFromFile(fileName, nullptr);
    } catch (const EMervaneError& error) {
        return error.Message();
    }
    return {};
}

const QByteArray EmptyCell("TPF0\x0dTWPRtfStorage\0\0\0", 21);

// Writes calendar files and style sheets field by field in the order the format lays them out,
// from a page's values, so that a test can give any integer field a value the page itself would
// never write ("Month=13 Day=0").
class TFileBuilder {
public:
    TFileBuilder(TCalendarPanel32& page, const QString& overrides)
        : m_Page(page)
    {
        for (const QString& item : overrides.split(' ', Qt::SkipEmptyParts))
            m_Integers[item.section('=', 0, 0)] = item.section('=', 1).toLongLong();
    }

    QByteArray Calendar()
    {
        return Build([this](TWriter& w) {
            w.WriteListBegin();
            Integer(w, "Version", 3);
            Integer(w, "Kind", 1);
            Appearance(w);
            Integer(w, "Day", m_Page.MainCalDay());
            Integer(w, "Month", m_Page.MainCalMonth());
            Integer(w, "Year", m_Page.MainCalYear());
            Integer(w, "StartOfWeek", m_Page.StartOfWeek());
            const int minutes = qRound(m_Page.StartTime() * 1440);
            Integer(w, "Hour", minutes / 60);
            Integer(w, "Minute", minutes % 60);
            w.FlushBuffer();
            m_Device.write(EmptyCell.repeated(CellCount));
            w.WriteString(m_Page.UserTitle());
            w.WriteListEnd();
            w.WriteListBegin();
            w.WriteListEnd();
        });
    }

    QByteArray StyleSheet()
    {
        return Build([this](TWriter& w) {
            w.WriteListBegin();
            Integer(w, "Version", 1);
            Integer(w, "Kind", 2);
            Appearance(w);
            w.WriteListEnd();
        });
    }

private:
    QByteArray Build(const std::function<void(TWriter&)>& write)
    {
        m_Device.setData(QByteArray());
        m_Device.open(QIODevice::WriteOnly);
        TWriter writer(m_Device);
        write(writer);
        writer.FlushBuffer();
        m_Device.close();
        return m_Device.data();
    }

    void Integer(TWriter& w, const QString& name, qint64 value) { w.WriteInteger(m_Integers.value(name, value)); }

    void Font(TWriter& w, const QString& name, TFont& font)
    {
        w.WriteString(font.Name());
        Integer(w, name + ".Size", font.Size());
        for (const TFontStyle style : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
            w.WriteBoolean(font.HasStyle(style));
        w.WriteInteger(font.Color());
    }

    void Appearance(TWriter& w)
    {
        TCalendarPanel32& p = m_Page;
        Integer(w, "UseA4Paper", p.UseA4Paper());
        Integer(w, "Orientation", p.CalendarOrientation());
        Integer(w, "LeftMargin", qRound(p.LeftMarginInch() * 100));
        Integer(w, "TopMargin", qRound(p.TopMarginInch() * 100));
        Integer(w, "RightMargin", qRound(p.RightMarginInch() * 100));
        Integer(w, "BottomMargin", qRound(p.BottomMarginInch() * 100));
        Integer(w, "CalendarLayout", p.CalendarLayout());
        Integer(w, "CalendarBorder", p.CalendarBorder());
        Integer(w, "CalendarLineLayout", p.CalendarLineLayout());
        for (int m = 1; m <= 12; ++m)
            w.WriteString(p.GetMonthName(m));
        for (int d = 1; d <= 7; ++d)
            w.WriteString(p.GetDayName(d));
        w.WriteInteger(p.TitleBGColor());
        Font(w, "TitleFont", p.TitleFont());
        w.WriteBoolean(p.TitleShowYear());
        Font(w, "HeadersFont", p.HeadersFont());
        Integer(w, "HeadersBorder", p.HeadersBorder());
        Integer(w, "HeadersStyle", p.HeadersStyle());
        w.WriteInteger(p.HeadersBGColor());
        Font(w, "CellFont", p.CellFont());
        Integer(w, "CellBorder", p.CellBorder());
        Integer(w, "MiniCalendarLineLayout", p.MiniCalendarLineLayout());
        Integer(w, "MiniCalBorder", p.MiniCalBorder());
        w.WriteInteger(p.MiniCalBGColor());
        w.WriteBoolean(p.MiniShowYear());
        Font(w, "MiniTitleFont", p.MiniTitleFont());
        Font(w, "MiniHeadersFont", p.MiniHeadersFont());
        w.WriteInteger(p.MiniHeadersBGColor());
        Integer(w, "MiniHeadersStyle", p.MiniHeadersStyle());
        Integer(w, "MiniHeadersBorder", p.MiniHeadersBorder());
        Integer(w, "MiniCellBorder", p.MiniCellBorder());
        Font(w, "MiniCellFont", p.MiniCellFont());
        Integer(w, "NumberPosition", p.NumberPosition());
    }

    TCalendarPanel32& m_Page;
    QMap<QString, qint64> m_Integers;
    QBuffer m_Device;
};

// Owns the objects a case writes and reads.
class TObjectOwner : public TComponent {
public:
    TObjectOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TObjectOwner"; }
};

// A page object written under the name of a kind this build does not read.
class TUnknownObject : public TGGraphicControl {
public:
    TUnknownObject(TComponent* owner, const QString& className)
        : TGGraphicControl(owner)
        , m_ClassName(className)
    {
    }
    QString ClassName() const override { return m_ClassName; }

private:
    QString m_ClassName;
};

} // namespace

class TestCalendarFile : public QObject {
    Q_OBJECT

private slots:
    void EmptyCalendarBytes();
    void StartTimeAndMarginsAsIntegers();
    void MarginsSurviveRepeatedSaves();
    void FailedSaveLeavesThePreviousFileWhole();
    void RoundTripKeepsSettingsCellsAndTitle();
    void OlderVersionsLoad();
    void StyleSheetChangesOnlyTheLook();
    void DamagedFilesGiveTheirError_data();
    void DamagedFilesGiveTheirError();
    void ObjectsLeftOutAreNamed_data();
    void ObjectsLeftOutAreNamed();
    void BuiltFilesMatchWhatThePageWrites();
    void ImpossibleValuesAreRefusedAndChangeNothing_data();
    void ImpossibleValuesAreRefusedAndChangeNothing();
    void ValuesAtTheLimitsAreAccepted();

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

// A save that the system stops after N bytes, for every N the new file would need, ends with
// the stream's write error and leaves the previous file byte for byte, with no stray file beside.
void TestCalendarFile::FailedSaveLeavesThePreviousFileWhole()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath("kept.MVF");
    TCalendarPanel32 previous(nullptr);
    previous.SaveToFile(fileName);
    const QByteArray before = FileBytes(fileName);

    TCalendarPanel32 page(nullptr);
    page.SetUserTitle("Changed");
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1\\ansi Choir rehearsal\\par}");
    for (int cell = 1; cell <= 42; cell += 5)
        page.SetCellRtf(cell, text);
    auto* label = new TGPLabel(nullptr);
    label->Loaded();
    label->SetCaption("Label");
    page.PlaceObject(*label, QRect(10, 10, 80, 20));
    const QString other = folder.filePath("other.MVF");
    page.SaveToFile(other);
    const QByteArray whole = FileBytes(other);
    QFile::remove(other);
    QVERIFY(whole.size() > before.size());

    // The file size limit makes every write past it fail (EFBIG) instead of ending the process.
    struct rlimit unlimited;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QStringList failures;
    for (qsizetype limit = 0; limit < whole.size(); ++limit) {
        const struct rlimit limited = {rlim_t(limit), unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        QString error;
        try {
            page.SaveToFile(fileName);
        } catch (const EMervaneError& e) {
            error = e.Message();
        }
        setrlimit(RLIMIT_FSIZE, &unlimited);
        if (error != StreamErrors::WriteError || FileBytes(fileName) != before ||
            QDir(folder.path()).entryList(QDir::Files) != QStringList{"kept.MVF"})
            failures += QString("%1 bytes: \"%2\"").arg(limit).arg(error);
    }
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.mid(0, 5).join("; ")));
    page.SaveToFile(fileName);
    QCOMPARE(FileBytes(fileName), whole);
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
    QTest::newRow("cell without signature")
        << (good.left(cells) + "XPF0" + good.mid(cells + 4)) << "Invalid stream format";
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

void TestCalendarFile::ObjectsLeftOutAreNamed_data()
{
    QTest::addColumn<QStringList>("written"); // class names of the objects, in order
    QTest::addColumn<QString>("damage");      // "cut N": N bytes off the end; "unsigned": the last
                                              // object without its signature; "nested": the last
                                              // object inside the one before
    QTest::addColumn<int>("read");
    QTest::addColumn<QStringList>("leftOut");
    const QString label = "TGPLabel";
    QTest::newRow("all read") << QStringList{label, label} << "" << 2 << QStringList{};
    QTest::newRow("unknown after a label") << QStringList{label, "TGShape"} << "" << 1 << QStringList{"TGShape"};
    QTest::newRow("unknown first: the rest goes too")
        << QStringList{"TGShape", label} << "" << 0 << QStringList{"TGShape", label};
    QTest::newRow("several unknown") << QStringList{label, "TGShape", "TGSuperText", "TGShape"} << "" << 1
                                     << QStringList{"TGShape", "TGSuperText", "TGShape"};
    QTest::newRow("last object cut short") << QStringList{label, label} << "cut 3" << 1 << QStringList{label};
    QTest::newRow("only the list's end missing") << QStringList{label} << "cut 1" << 1 << QStringList{};
    QTest::newRow("record without signature") << QStringList{label, label} << "unsigned" << 1 << QStringList{""};
    QTest::newRow("object inside an object")
        << QStringList{label, label, label} << "nested" << 1 << QStringList{label, label};
    QTest::newRow("more than a page holds")
        << QStringList{label} << QString("repeat %1").arg(TGBasePanel::MaxObjectCount + 2)
        << TGBasePanel::MaxObjectCount << QStringList{label, label};
    // The owner is no window carrying the master editor that rich labels draw through.
    QTest::newRow("rich label without a master")
        << QStringList{label, "TGPRichBaseLabel", label} << "" << 1 << QStringList{"TGPRichBaseLabel", label};
}

// The page keeps the objects read before a fault in the object list and names the ones it
// left out, so that the document can tell the user before a save drops them.
void TestCalendarFile::ObjectsLeftOutAreNamed()
{
    QFETCH(QStringList, written);
    QFETCH(QString, damage);
    QFETCH(int, read);
    QFETCH(QStringList, leftOut);
    const QString fileName = m_Dir.filePath("objects.MVF");
    {
        TObjectOwner owner;
        TCalendarPanel32 page(&owner);
        int top = 10;
        for (const QString& className : written) {
            TGGraphicControl* object = nullptr;
            if (className == "TGPLabel") {
                auto* label = new TGPLabel(&owner);
                label->SetCaption("Label");
                object = label;
            } else if (className == "TGPRichBaseLabel") {
                // Written as made: without a master it could not finish loading.
                object = new TGPRichBaseLabel(&owner);
            } else {
                object = new TUnknownObject(&owner, className);
            }
            if (className != "TGPRichBaseLabel")
                object->Loaded();
            page.PlaceObject(*object, QRect(10, top, 80, 20));
            // Copies of a named record would clash over their name before the count ran out.
            if (damage.startsWith("repeat "))
                object->SetName(QString());
            top = top < 3000 ? top + 30 : 10; // within the coordinates a file may give
        }
        page.SaveToFile(fileName);
    }
    QByteArray bytes = FileBytes(fileName);
    if (damage.startsWith("cut "))
        bytes.chop(damage.mid(4).toInt());
    else if (damage.startsWith("repeat ")) {
        // The one object's record as many times as given, each a whole record.
        const qsizetype record = bytes.lastIndexOf("TPF0");
        bytes = bytes.left(record) + bytes.mid(record, bytes.size() - 1 - record).repeated(damage.mid(7).toInt()) +
                bytes.right(1);
    } else if (damage == "unsigned")
        bytes[bytes.lastIndexOf("TPF0")] = 'X';
    else if (damage == "nested") {
        // The last record, without its signature, in place of the end of its predecessor's
        // (empty) list of children.
        const qsizetype last = bytes.lastIndexOf("TPF0");
        bytes = bytes.left(last - 1) + bytes.mid(last + 4, bytes.size() - last - 5) + QByteArray(2, '\0');
    }
    WriteBytes(fileName, bytes);

    TObjectOwner owner;
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(fileName, &owner);
    QCOMPARE(page.Objects().size(), read);
    QCOMPARE(page.ObjectsLeftOut(), leftOut);

    // The next file read whole clears the report.
    TCalendarPanel32 empty(nullptr);
    empty.SaveToFile(fileName);
    page.LoadFromFile(fileName, &owner);
    QVERIFY(page.ObjectsLeftOut().isEmpty());
}

void TestCalendarFile::BuiltFilesMatchWhatThePageWrites()
{
    // The builder below is only a witness of the format if it writes what the page writes.
    TCalendarPanel32 page(nullptr);
    page.ResetToDefaults();
    page.SetUserTitle("Ours");
    page.SetCellBorder(cbTopBottom);
    page.SaveToFile(m_Dir.filePath("page.MVF"));
    page.SaveStyleSheet(m_Dir.filePath("page.MVS"));
    QCOMPARE(TFileBuilder(page, {}).Calendar().toHex(), FileBytes(m_Dir.filePath("page.MVF")).toHex());
    QCOMPARE(TFileBuilder(page, {}).StyleSheet().toHex(), FileBytes(m_Dir.filePath("page.MVS")).toHex());
}

void TestCalendarFile::ImpossibleValuesAreRefusedAndChangeNothing_data()
{
    QTest::addColumn<bool>("styleSheet");
    QTest::addColumn<QString>("overrides");
    QTest::addColumn<QString>("error");
    const QString invalid = "Invalid property value";
    const auto row = [&](const QString& overrides, const QString& error = "Invalid property value") {
        QTest::newRow(qPrintable("calendar " + overrides)) << false << overrides << error;
    };
    for (const char* month : {"0", "13", "100000000", "-1"})
        row(QString("Month=") + month);
    for (const char* day : {"32", "-1"})
        row(QString("Day=") + day);
    row("Month=2 Day=30");
    row("Month=2 Year=2023 Day=29");
    row("Month=4 Day=31");
    for (const char* year : {"0", "10000", "-5"})
        row(QString("Year=") + year);
    const std::pair<const char*, int> enumerations[] = {
        {"Orientation", 2},   {"CalendarLayout", 22},  {"CalendarBorder", 5},    {"CalendarLineLayout", 3},
        {"HeadersBorder", 5}, {"HeadersStyle", 3},     {"CellBorder", 5},        {"MiniCalendarLineLayout", 3},
        {"MiniCalBorder", 5}, {"MiniHeadersStyle", 3}, {"MiniHeadersBorder", 5}, {"MiniCellBorder", 5},
        {"NumberPosition", 2}};
    for (const auto& [name, count] : enumerations) {
        row(QString("%1=%2").arg(name).arg(count));
        row(QString("%1=-1").arg(name));
    }
    row("Hour=24", "Invalid argument to time encode");
    row("Minute=60", "Invalid argument to time encode");
    row("StartOfWeek=0");
    row("StartOfWeek=3");
    for (const char* margin : {"LeftMargin", "TopMargin", "RightMargin", "BottomMargin"}) {
        row(QString(margin) + "=-100");
        row(QString(margin) + "=10000");
    }
    for (const char* font :
         {"TitleFont", "HeadersFont", "CellFont", "MiniTitleFont", "MiniHeadersFont", "MiniCellFont"}) {
        row(QString(font) + ".Size=0");
        row(QString(font) + ".Size=100000");
    }
    row("Version=0");
    row("Version=4");
    // Style sheets share the appearance block and its checks.
    for (const char* overrides :
         {"CalendarLayout=22", "CalendarLineLayout=-1", "LeftMargin=-100", "CellFont.Size=0", "NumberPosition=7"})
        QTest::newRow(qPrintable(QString("style sheet ") + overrides)) << true << QString(overrides) << invalid;
}

void TestCalendarFile::ImpossibleValuesAreRefusedAndChangeNothing()
{
    QFETCH(bool, styleSheet);
    QFETCH(QString, overrides);
    QFETCH(QString, error);
    TCalendarPanel32 source(nullptr);
    source.ResetToDefaults();
    const QString fileName = m_Dir.filePath(styleSheet ? "impossible.MVS" : "impossible.MVF");
    WriteBytes(fileName,
               styleSheet ? TFileBuilder(source, overrides).StyleSheet() : TFileBuilder(source, overrides).Calendar());

    // A page with a look, a date, a title and a cell text of its own, which must all stay.
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(loWeek);
    page.SetCalendarLineLayout(llCellsOnly);
    page.SetMainCalMonth(7);
    page.SetMainCalYear(2031);
    page.SetUserTitle("Mine");
    page.SetLeftMarginInch(1.25);
    page.CellFont().SetSize(30);
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1 Kept}");
    page.SetCellRtf(3, text);
    const TCalendarSettings before = page.Settings();

    QString message;
    try {
        if (styleSheet)
            page.LoadStyleSheet(fileName);
        else
            page.LoadFromFile(fileName, nullptr);
    } catch (const EMervaneError& e) {
        message = e.Message();
    }
    QCOMPARE(message, error);
    QVERIFY(page.Settings() == before);
    QCOMPARE(page.CellFont().Size(), 30);
    QCOMPARE(page.GetCellRtf(3)->RtfText().Document().toPlainText(), QString("Kept"));
    // Still drawable.
    QVERIFY(!page.RenderToBitmap().isNull());
}

void TestCalendarFile::ValuesAtTheLimitsAreAccepted()
{
    TCalendarPanel32 source(nullptr);
    const QString fileName = m_Dir.filePath("limits.MVF");
    for (const char* overrides : {"Day=0", "Month=2 Year=2000 Day=29", "Year=1 Month=1 Day=31", "Year=9999 Month=12",
                                  "LeftMargin=0 RightMargin=400", "CalendarLayout=21 NumberPosition=1",
                                  "TitleFont.Size=1 CellFont.Size=1000", "StartOfWeek=2 Hour=23 Minute=59"}) {
        WriteBytes(fileName, TFileBuilder(source, overrides).Calendar());
        TCalendarPanel32 page(nullptr);
        QVERIFY2(LoadError(page, fileName).isEmpty(), overrides);
        QVERIFY2(!page.RenderToBitmap().isNull(), overrides);
    }
}

QObject* NewTestCalendarFile()
{
    return new TestCalendarFile;
}

#include "TestCalendarFile.moc"
