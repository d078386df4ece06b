// The preferences in MV.ini: defaults for what is missing, unreadable or out of range, and what is
// written.

#include "app/Preferences.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    void ReadsValuesAndFallsBackToDefaults_data();
    void ReadsValuesAndFallsBackToDefaults();
    void SavedValuesReadBack();
    void OneSaveWritesTheFileOnce();
};

void TestPreferences::ReadsValuesAndFallsBackToDefaults_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // empty: key absent
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("main zoom default") << "Zooming"
                                       << "Main"
                                       << ""
                                       << "MainZoomPercent" << QVariant(60);
    QTest::newRow("main zoom stored") << "Zooming"
                                      << "Main"
                                      << "90"
                                      << "MainZoomPercent" << QVariant(90);
    QTest::newRow("main zoom not a number") << "Zooming"
                                            << "Main"
                                            << "big"
                                            << "MainZoomPercent" << QVariant(60);
    QTest::newRow("preview zoom default") << "Zooming"
                                          << "Prop"
                                          << ""
                                          << "PropertiesZoomPercent" << QVariant(30);
    QTest::newRow("preview zoom hexadecimal") << "Zooming"
                                              << "Prop"
                                              << "0x32"
                                              << "PropertiesZoomPercent" << QVariant(50);
    QTest::newRow("font name default") << "Default Font"
                                       << "Name"
                                       << ""
                                       << "Name" << QVariant("Arial");
    QTest::newRow("font name stored") << "Default Font"
                                      << "Name"
                                      << "Courier New"
                                      << "Name" << QVariant("Courier New");
    QTest::newRow("font size default") << "Default Font"
                                       << "Size"
                                       << ""
                                       << "Size" << QVariant(10);
    QTest::newRow("bold default") << "Default Font"
                                  << "Bold"
                                  << ""
                                  << "Bold" << QVariant(false);
    QTest::newRow("bold any non-zero") << "Default Font"
                                       << "Bold"
                                       << "7"
                                       << "Bold" << QVariant(true);
    QTest::newRow("italic stored") << "Default Font"
                                   << "Italic"
                                   << "1"
                                   << "Italic" << QVariant(true);
    QTest::newRow("underline stored") << "Default Font"
                                      << "Underline"
                                      << "1"
                                      << "Underline" << QVariant(true);
    QTest::newRow("strikeout stored") << "Default Font"
                                      << "Strikeout"
                                      << "1"
                                      << "Strikeout" << QVariant(true);
    QTest::newRow("colour default black") << "Default Font"
                                          << "Color"
                                          << ""
                                          << "Color" << QVariant(0);
    QTest::newRow("colour hexadecimal") << "Default Font"
                                        << "Color"
                                        << "0x0000FF"
                                        << "Color" << QVariant(255);
    QTest::newRow("icon tool visible default") << "Icons"
                                               << "Visible"
                                               << ""
                                               << "IconToolVisible" << QVariant(true);
    QTest::newRow("icon tool hidden") << "Icons"
                                      << "Visible"
                                      << "0"
                                      << "IconToolVisible" << QVariant(false);
    QTest::newRow("hints default") << "Hints"
                                   << "On"
                                   << ""
                                   << "HintsOn" << QVariant(true);
    QTest::newRow("hints off") << "Hints"
                               << "On"
                               << "0"
                               << "HintsOn" << QVariant(false);
    QTest::newRow("icon file default") << "Icons"
                                       << "File"
                                       << ""
                                       << "IconFile" << QVariant(ResourceFolder() + "MISC1.ICL");

    // Values out of range, as a hand-edited or damaged file may hold them.
    QTest::newRow("main zoom smallest step") << "Zooming"
                                             << "Main"
                                             << "20"
                                             << "MainZoomPercent" << QVariant(20);
    QTest::newRow("main zoom too small") << "Zooming"
                                         << "Main"
                                         << "5"
                                         << "MainZoomPercent" << QVariant(60);
    QTest::newRow("main zoom too large") << "Zooming"
                                         << "Main"
                                         << "500"
                                         << "MainZoomPercent" << QVariant(60);
    QTest::newRow("preview zoom negative") << "Zooming"
                                           << "Prop"
                                           << "-30"
                                           << "PropertiesZoomPercent" << QVariant(30);
    QTest::newRow("preview zoom beyond 32 bits") << "Zooming"
                                                 << "Prop"
                                                 << "0x100000032"
                                                 << "PropertiesZoomPercent" << QVariant(30);
    QTest::newRow("font name blank") << "Default Font"
                                     << "Name"
                                     << " "
                                     << "Name" << QVariant("Arial");
    QTest::newRow("font size zero") << "Default Font"
                                    << "Size"
                                    << "0"
                                    << "Size" << QVariant(10);
    QTest::newRow("font size negative") << "Default Font"
                                        << "Size"
                                        << "-12"
                                        << "Size" << QVariant(10);
    QTest::newRow("font size largest") << "Default Font"
                                       << "Size"
                                       << "1638"
                                       << "Size" << QVariant(1638);
    QTest::newRow("font size too large") << "Default Font"
                                         << "Size"
                                         << "100000"
                                         << "Size" << QVariant(10);
    QTest::newRow("bold not a number") << "Default Font"
                                       << "Bold"
                                       << "yes"
                                       << "Bold" << QVariant(false);
    QTest::newRow("colour beyond 24 bits") << "Default Font"
                                           << "Color"
                                           << "0x01000000"
                                           << "Color" << QVariant(0);
    QTest::newRow("colour negative") << "Default Font"
                                     << "Color"
                                     << "-5"
                                     << "Color" << QVariant(0);
    QTest::newRow("system colour") << "Default Font"
                                   << "Color"
                                   << "0x8000000F"
                                   << "Color" << QVariant(int(clBtnFace));
    QTest::newRow("unknown system colour") << "Default Font"
                                           << "Color"
                                           << "0x80000063"
                                           << "Color" << QVariant(0);
    QTest::newRow("hints not a number") << "Hints"
                                        << "On"
                                        << "off"
                                        << "HintsOn" << QVariant(true);
    QTest::newRow("icon file blank") << "Icons"
                                     << "File"
                                     << " "
                                     << "IconFile" << QVariant(ResourceFolder() + "MISC1.ICL");
}

void TestPreferences::ReadsValuesAndFallsBackToDefaults()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);

    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    if (!stored.isEmpty())
        ini.WriteString(section, key, stored);
    TPreferences p;
    p.Load(ini);
    const QMap<QString, QVariant> fields = {
        {"MainZoomPercent", p.MainZoomPercent},
        {"PropertiesZoomPercent", p.PropertiesZoomPercent},
        {"Name", p.DefaultFont.Name},
        {"Size", p.DefaultFont.Size},
        {"Bold", p.DefaultFont.Bold},
        {"Italic", p.DefaultFont.Italic},
        {"Underline", p.DefaultFont.Underline},
        {"Strikeout", p.DefaultFont.Strikeout},
        {"Color", int(p.DefaultFont.Color)},
        {"IconToolVisible", p.IconToolVisible},
        {"HintsOn", p.HintsOn},
        {"IconFile", p.IconFile},
    };
    QCOMPARE(fields.value(field), expected);
}

void TestPreferences::SavedValuesReadBack()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    TPreferences written;
    written.MainZoomPercent = 80;
    written.PropertiesZoomPercent = 50;
    written.DefaultFont = {"Times New Roman", 14, true, false, true, false, clRed};
    written.IconFile = "/icons/holiday.icl";
    written.IconToolVisible = false;
    written.HintsOn = false;
    written.Save(ini);

    // Booleans as "1" and "0", integers in decimal.
    QCOMPARE(ini.ReadString("Default Font", "Bold", ""), QString("1"));
    QCOMPARE(ini.ReadString("Default Font", "Italic", ""), QString("0"));
    QCOMPARE(ini.ReadString("Default Font", "Color", ""), QString::number(clRed));

    TPreferences read;
    read.Load(ini);
    QCOMPARE(read.MainZoomPercent, 80);
    QCOMPARE(read.PropertiesZoomPercent, 50);
    QCOMPARE(read.DefaultFont.Name, QString("Times New Roman"));
    QCOMPARE(read.DefaultFont.Size, 14);
    QVERIFY(read.DefaultFont.Bold && !read.DefaultFont.Italic && read.DefaultFont.Underline);
    QVERIFY(!read.DefaultFont.Strikeout);
    QCOMPARE(read.DefaultFont.Color, clRed);
    QCOMPARE(read.IconFile, QString("/icons/holiday.icl"));
    QVERIFY(!read.IconToolVisible);
    QVERIFY(!read.HintsOn);
}

void TestPreferences::OneSaveWritesTheFileOnce()
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("MV.ini"));
    TPreferences preferences;
    preferences.IconFile = "/icons/holiday.icl";
    const int writes = TIniFile::FileWrites();
    QVERIFY(preferences.Save(ini));
    QCOMPARE(TIniFile::FileWrites() - writes, 1);
    QCOMPARE(ini.ReadSection("Default Font").size(), 7);

    // A save that cannot write says so and leaves no file behind.
    TIniFile nowhere(dir.filePath("missing/MV.ini"));
    QVERIFY(!preferences.Save(nowhere));
    QCOMPARE(TIniFile::FileWrites() - writes, 1);
    QVERIFY(!QFileInfo::exists(nowhere.FileName()));
}

QObject* NewTestPreferences()
{
    return new TestPreferences;
}

#include "TestPreferences.moc"
