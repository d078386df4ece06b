// The platform core: folders, Windows-1252, the screen PPI and the INI file.

#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenPpi.h"
#include "platform/TextFit.h"
#include "platform/Windows1252.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void FoldersEndInASlash();
    void ShippedAndDataFolders_data();
    void ShippedAndDataFolders();
    void Windows1252RoundTrips_data();
    void Windows1252RoundTrips();
    void TextOutsideWindows1252IsRefused();
    void ScreenPpiCanBeOverridden();
    void IniValuesFallBackToDefaults_data();
    void IniValuesFallBackToDefaults();
    void IniIntegersOutsideTheirRangeGiveTheDefault_data();
    void IniIntegersOutsideTheirRangeGiveTheDefault();
    void IniWritesKeepTheRestOfTheFile();
    void IniSectionsKeepTheirOrderAndCanBeErased();
    void IniWriteFailureLeavesNoFile();
    void IniWriteStoppedPartWayKeepsTheOldFile();
    void IniUpdateWritesTheFileOnce();
    void IniUpdateLeftOpenIsWrittenWhenTheFileGoes();
    void FittingPrefixIsTheLongestStartThatFits_data();
    void FittingPrefixIsTheLongestStartThatFits();
    void FittingALongTextMeasuresOnlyWhatCanFit();
    void VisibleLineKeepsTheSeenPart_data();
    void VisibleLineKeepsTheSeenPart();
};

void TestPlatform::FoldersEndInASlash()
{
    QVERIFY(ProgramFolder().endsWith('/'));
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + '/');
    // Tests run in the build folder, where the shipped files lie beside the programs.
    QCOMPARE(ResourceFolder(), ProgramFolder());

    QTemporaryDir dir;
    OverrideDataFolder(dir.filePath("data"));
    QCOMPARE(DataFolder(), dir.filePath("data") + '/');
    QVERIFY(QDir(dir.filePath("data")).exists());
    QCOMPARE(IniFileName(), dir.filePath("data") + "/MV.ini");
    OverrideDataFolder({});
    QVERIFY(DataFolder().endsWith('/'));
}

void TestPlatform::ShippedAndDataFolders_data()
{
    QTest::addColumn<QStringList>("folders"); // made under a fresh prefix
    QTest::addColumn<bool>("readOnly");       // bin/ cannot be written
    QTest::addColumn<QString>("shipped");     // under the prefix
    QTest::addColumn<bool>("userData");       // the data folder is the user's, not bin/

    QTest::newRow("build folder") << QStringList{"bin"} << false << "bin/" << false;
    QTest::newRow("installed") << QStringList{"bin", "share/mervane"} << false << "share/mervane/" << true;
    QTest::newRow("installed, read-only") << QStringList{"bin", "share/mervane"} << true << "share/mervane/" << true;
    QTest::newRow("read-only copy") << QStringList{"bin"} << true << "bin/" << true;
    QTest::newRow("share of others") << QStringList{"bin", "share/other"} << false << "bin/" << false;
}

void TestPlatform::ShippedAndDataFolders()
{
    QFETCH(QStringList, folders);
    QFETCH(bool, readOnly);
    QFETCH(QString, shipped);
    QFETCH(bool, userData);
    QTemporaryDir prefix;
    for (const QString& folder : folders)
        QVERIFY(QDir(prefix.path()).mkpath(folder));
    const QString bin = prefix.filePath("bin") + '/';
    const QString user = prefix.filePath("user") + '/';
    if (readOnly) {
        QVERIFY(QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QFile probe(bin + "probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("this user (root) can write into a read-only folder");
        }
    }
    QCOMPARE(ResourceFolderFor(bin), prefix.path() + '/' + shipped);
    QCOMPARE(DataFolderFor(bin, user), userData ? user : bin);
    QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The probe for writing leaves nothing behind.
    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestPlatform::Windows1252RoundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Jan 1998") << QString("Jan 1998");
    QTest::newRow("euro and quotes") << QByteArray("\x80\x93\x94") << QString("\u20AC\u201C\u201D");
    QTest::newRow("last of the high range") << QByteArray("\x9F") << QString("\u0178");
    QTest::newRow("unassigned byte") << QByteArray("\x81") << QString("\u0081");
    QTest::newRow("latin-1 range") << QByteArray("M\xE4rz \xFF") << QString("M\u00E4rz \u00FF");
}

void TestPlatform::Windows1252RoundTrips()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FromWindows1252(bytes), text);
    QCOMPARE(ToWindows1252(text), std::optional<QByteArray>(bytes));
}

void TestPlatform::TextOutsideWindows1252IsRefused()
{
    QVERIFY(!ToWindows1252(QString("\u0141\u00F3d\u017A")));
    QVERIFY(!ToWindows1252(QString("\U0001F600")));
}

void TestPlatform::ScreenPpiCanBeOverridden()
{
    QCOMPARE(ScreenPpi(), 96); // the offscreen platform
    OverrideScreenPpi(120);
    QCOMPARE(ScreenPpi(), 120);
    OverrideScreenPpi(0);
    QCOMPARE(ScreenPpi(), 96);
}

void TestPlatform::IniValuesFallBackToDefaults_data()
{
    QTest::addColumn<QString>("stored"); // empty: no such key
    QTest::addColumn<int>("integer");
    QTest::addColumn<bool>("boolean");
    QTest::newRow("missing") << QString() << 60 << true;
    QTest::newRow("decimal") << "75" << 75 << true;
    QTest::newRow("negative") << "-3" << -3 << true;
    QTest::newRow("hex") << "0x00FF" << 255 << true;
    QTest::newRow("upper-case hex") << "0X1f" << 31 << true;
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("not a number") << "sixty" << 60 << true;
    QTest::newRow("trailing junk") << "60%" << 60 << true;
}

void TestPlatform::IniValuesFallBackToDefaults()
{
    QFETCH(QString, stored);
    QFETCH(int, integer);
    QFETCH(bool, boolean);
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    if (!stored.isEmpty())
        QVERIFY(ini.WriteString("Zooming", "Main", stored));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 60), integer);
    QCOMPARE(ini.ReadBool("zooming", "MAIN", true), boolean);
    QCOMPARE(ini.ReadString("Zooming", "Other", "none"), QString("none"));
}

void TestPlatform::IniIntegersOutsideTheirRangeGiveTheDefault_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected"); // read with default 60 and range 20 .. 100
    QTest::newRow("inside") << "75" << 75;
    QTest::newRow("at the minimum") << "20" << 20;
    QTest::newRow("at the maximum") << "100" << 100;
    QTest::newRow("below") << "19" << 60;
    QTest::newRow("above") << "101" << 60;
    QTest::newRow("negative") << "-80" << 60;
    QTest::newRow("hexadecimal inside") << "0x1E" << 30;
    QTest::newRow("hexadecimal above") << "0xFF" << 60;
    QTest::newRow("hexadecimal wrapping negative") << "0xFFFFFFB0" << 60;
    QTest::newRow("beyond 32 bits") << "99999999999" << 60;
    QTest::newRow("hexadecimal beyond 32 bits") << "0x1FFFFFFFF" << 60;
    QTest::newRow("fraction") << "50.5" << 60;
    QTest::newRow("empty") << "" << 60;
    QTest::newRow("spaces inside") << "5 0" << 60;
}

void TestPlatform::IniIntegersOutsideTheirRangeGiveTheDefault()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    QVERIFY(ini.WriteString("Zooming", "Main", stored));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 60, 20, 100), expected);
}

void TestPlatform::IniWritesKeepTheRestOfTheFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("MV.ini");
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; kept comment\n[Zooming]\nMain=60\nProp=30\n\n[Hints]\nOn=1\n");
    file.close();

    TIniFile ini(fileName);
    QVERIFY(ini.WriteInteger("ZOOMING", "main", 80));     // replaced in place
    QVERIFY(ini.WriteString("Zooming", "Extra", "x"));    // appended to its section
    QVERIFY(ini.WriteBool("Default Font", "Bold", true)); // a new section at the end
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QString("; kept comment\n[Zooming]\nmain=80\nProp=30\nExtra=x\n\n[Hints]\nOn=1\n\n"
                     "[Default Font]\nBold=1\n"));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 0), 80);
    QVERIFY(ini.ReadBool("Default Font", "Bold", false));
}

void TestPlatform::IniSectionsKeepTheirOrderAndCanBeErased()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    QVERIFY(ini.WriteString("MRU", "F1", "/b.MVF"));
    QVERIFY(ini.WriteString("MRU", "F0", "/a=b.MVF"));
    QVERIFY(ini.WriteString("Hints", "On", "1"));
    const auto entries = ini.ReadSection("mru");
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0], (std::pair<QString, QString>("F1", "/b.MVF")));
    QCOMPARE(entries[1].second, QString("/a=b.MVF")); // only the first '=' separates
    QVERIFY(ini.EraseSection("MRU"));
    QVERIFY(ini.ReadSection("MRU").isEmpty());
    QCOMPARE(ini.ReadString("Hints", "On", "0"), QString("1"));
    QVERIFY(ini.EraseSection("Absent"));
}

void TestPlatform::IniWriteFailureLeavesNoFile()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("missing/folder/MV.ini"));
    QVERIFY(!ini.WriteInteger("Zooming", "Main", 1));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 7), 7);

    // Within an update the write is held, and the failure reported when the update ends.
    ini.BeginUpdate();
    QVERIFY(ini.WriteInteger("Zooming", "Main", 1));
    QVERIFY(!ini.EndUpdate());
    QVERIFY(!QFileInfo::exists(ini.FileName()));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 7), 7);
}

// The system takes only part of the new file (a full disk, a file size limit), for every size the
// new file would have: the write fails and the old file stays byte for byte, nothing beside it.
void TestPlatform::IniWriteStoppedPartWayKeepsTheOldFile()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    QVERIFY(ini.WriteString("MRU", "F0", "/home/user/December.MVF"));
    QFile file(ini.FileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    // The size the new file has, from a copy of the old one.
    const QString copyName = dir.filePath("copy.ini");
    QVERIFY(QFile::copy(ini.FileName(), copyName));
    QVERIFY(TIniFile(copyName).WriteString("Hints", "On", "0"));
    const qint64 newSize = QFileInfo(copyName).size();
    QVERIFY(QFile::remove(copyName));

    struct rlimit unlimited;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QList<qint64> accepted;
    for (qint64 limit = 0; limit < newSize; ++limit) {
        const struct rlimit limited = {rlim_t(limit), unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        const bool written = ini.WriteString("Hints", "On", "0");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (written || file.readAll() != before || QDir(dir.path()).entryList(QDir::Files) != QStringList{"MV.ini"})
            accepted += limit;
        file.close();
    }
    std::signal(SIGXFSZ, previousHandler);
    QCOMPARE(accepted, QList<qint64>());
    QVERIFY(ini.WriteString("Hints", "On", "0"));
    QCOMPARE(QFileInfo(ini.FileName()).size(), newSize);
}

void TestPlatform::IniUpdateWritesTheFileOnce()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("MV.ini");
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[MRU]\nF0=/old.MVF\n\n[Hints]\nOn=1\n");
    file.close();
    const int writes = TIniFile::FileWrites();

    TIniFile ini(fileName);
    ini.BeginUpdate();
    QVERIFY(ini.EraseSection("MRU"));
    QVERIFY(ini.WriteString("MRU", "F0", "/new.MVF"));
    ini.BeginUpdate(); // nested: written with the outer update
    QVERIFY(ini.WriteInteger("Zooming", "Main", 80));
    QVERIFY(ini.EndUpdate());
    // Read back from memory while the file is still the old one.
    QCOMPARE(ini.ReadString("MRU", "F0", ""), QString("/new.MVF"));
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 0), 80);
    QCOMPARE(TIniFile(fileName).ReadString("MRU", "F0", ""), QString("/old.MVF"));
    QCOMPARE(TIniFile::FileWrites(), writes);

    QVERIFY(ini.EndUpdate());
    QCOMPARE(TIniFile::FileWrites(), writes + 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QString("[Hints]\nOn=1\n\n[MRU]\nF0=/new.MVF\n\n[Zooming]\nMain=80\n"));
    file.close();

    // An update that changes nothing leaves the file alone.
    ini.BeginUpdate();
    QCOMPARE(ini.ReadInteger("Zooming", "Main", 0), 80);
    QVERIFY(ini.EndUpdate());
    QCOMPARE(TIniFile::FileWrites(), writes + 1);
}

void TestPlatform::IniUpdateLeftOpenIsWrittenWhenTheFileGoes()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("MV.ini");
    const int writes = TIniFile::FileWrites();
    {
        TIniFile ini(fileName);
        ini.BeginUpdate();
        ini.BeginUpdate();
        ini.WriteBool("Hints", "On", false);
        ini.WriteInteger("Zooming", "Main", 90);
    }
    QCOMPARE(TIniFile::FileWrites(), writes + 1);
    QCOMPARE(TIniFile(fileName).ReadInteger("Zooming", "Main", 0), 90);
    QVERIFY(!TIniFile(fileName).ReadBool("Hints", "On", true));
}

namespace {

// Widths of a proportional font: "W" five pixels, "i" one, anything else three.
double SampleWidth(const QString& text)
{
    double width = 0;
    for (QChar c : text)
        width += c == 'W' ? 5 : c == 'i' ? 1 : 3;
    return width;
}

} // namespace

void TestPlatform::FittingPrefixIsTheLongestStartThatFits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("room");
    QTest::addColumn<QString>("fitted");
    QTest::newRow("fits whole") << "Wix" << 9.0 << "Wix";
    QTest::newRow("one pixel short") << "Wix" << 8.0 << "Wi";
    QTest::newRow("wide then narrow") << "WWiiii" << 12.0 << "WWii";
    QTest::newRow("first letter too wide") << "Wiii" << 4.0 << "";
    QTest::newRow("no room") << "abc" << 0.0 << "";
    QTest::newRow("negative room") << "abc" << -5.0 << "";
    QTest::newRow("empty") << "" << 10.0 << "";
}

void TestPlatform::FittingPrefixIsTheLongestStartThatFits()
{
    QFETCH(QString, text);
    QFETCH(double, room);
    QFETCH(QString, fitted);
    QCOMPARE(FittingPrefix(text, room, qsizetype(room) + 1, SampleWidth), fitted);
}

void TestPlatform::FittingALongTextMeasuresOnlyWhatCanFit()
{
    // A megabyte caption in a 300-pixel box: a few measurements, none longer than the box can hold.
    const QString caption = "Happy Birthday " + QString(1 << 20, 'x');
    int measurements = 0;
    qsizetype longest = 0;
    const QString fitted = FittingPrefix(caption, 300, 301, [&](const QString& part) {
        ++measurements;
        longest = std::max(longest, part.size());
        return SampleWidth(part);
    });
    QCOMPARE(fitted, caption.left(100));
    QVERIFY2(measurements <= 10, qPrintable(QString::number(measurements)));
    QVERIFY(longest <= 302);
}

void TestPlatform::VisibleLineKeepsTheSeenPart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<QString>("visible");
    const QString digits = "0123456789";
    QTest::newRow("short text whole") << digits << 8 << int(TLineAnchor::Middle) << digits;
    QTest::newRow("start") << digits << 3 << int(TLineAnchor::Start) << "01234";
    QTest::newRow("end") << digits << 3 << int(TLineAnchor::End) << "56789";
    QTest::newRow("middle") << digits << 2 << int(TLineAnchor::Middle) << "3456";
    QTest::newRow("no box") << digits << -4 << int(TLineAnchor::Start) << "01";
}

void TestPlatform::VisibleLineKeepsTheSeenPart()
{
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QFETCH(int, anchor);
    QFETCH(QString, visible);
    QCOMPARE(VisibleLine(text, pixels, TLineAnchor(anchor)), visible);
}

QTEST_MAIN(TestPlatform)
#include "TestPlatform.moc"
