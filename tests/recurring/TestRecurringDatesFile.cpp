// The recurring dates file: bytes in both encodings, line ends, a table of broken inputs with
// their errors, atomic writing, and the conversion of the older file.

#include "../common/FileBytes.h"
#include "recurring/HolidayCatalogue.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void WriteAll(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestRecurringDatesFile : public QObject {
    Q_OBJECT
private slots:
    void WindowsTextIsWrittenAsWindows1252();
    void TextBeyondWindows1252IsWrittenAsUtf8();
    void EditorsUtf8KeepsTheColumns();
    void TagsKeepTheirBytes();
    void GreekNamesSurviveTheFile();
    void WrittenTextReadsBackTheSame_data();
    void WrittenTextReadsBackTheSame();
    void ParseReadsLines_data();
    void ParseReadsLines();
    void BrokenInputs_data();
    void BrokenInputs();
    void MissingFileIsEmptyList();
    void OversizedFileIsRefused();
    void FailedWriteLeavesNoFile();
    void WriteReplacesWholeFile();
    void ConvertOldRecord_data();
    void ConvertOldRecord();
    void ConversionMergesAndDeletesOldFile();
    void ConversionWithoutOldFileChangesNothing();
    void ConversionStopsOnDamagedFile();
};

void TestRecurringDatesFile::WindowsTextIsWrittenAsWindows1252()
{
    const QStringList records = {MakeRecord(QString::fromUtf8("Caf\u00e9 \u20ac"), "@0401"),
                                 MakeRecord("Rent", "@0015")};
    const QByteArray bytes = EncodeRecurringDates(records);
    const QByteArray expected = QByteArray("Caf\xe9 \x80") + QByteArray(114, ' ') + "@0401     \r\n" + "Rent" +
                                QByteArray(116, ' ') + "@0015     \r\n";
    QCOMPARE(bytes, expected);
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    QVERIFY(read.Ok());
    QCOMPARE(read.Records, records);
    QCOMPARE(EncodeRecurringDates({}), QByteArray());
}

void TestRecurringDatesFile::TextBeyondWindows1252IsWrittenAsUtf8()
{
    const QStringList records = {MakeRecord(QString::fromUtf8("\u03a9 day \U0001F382"), "%26"),
                                 MakeRecord(QString::fromUtf8("Caf\u00e9"), "@0401")};
    const QByteArray bytes = EncodeRecurringDates(records);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains(QString::fromUtf8("Caf\u00e9").toUtf8()));
    QVERIFY(bytes.endsWith("\r\n"));
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Records, records);
    QCOMPARE(RecordFormula(read.Records[0]), PadField("%26", 10));

    // Windows-1252 text that begins with the bytes of the mark is written as UTF-8 too, else it
    // would read back as other characters.
    const QStringList markLike = {QString::fromUtf8("\u00ef\u00bb\u00bfX")};
    const QByteArray markBytes = EncodeRecurringDates(markLike);
    QCOMPARE(markBytes, QByteArray("\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFX\r\n"));
    QCOMPARE(ParseRecurringDates(markBytes).Records, markLike);

    // Marks repeated at the start are text of the first record, kept through a write and a read.
    const TRecurringDatesRead marks = ParseRecurringDates("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF\xCE\xA9");
    QCOMPARE(marks.Records, QStringList{QString(2, QChar(0xFEFF)) + QChar(0x03A9)});
    QCOMPARE(ParseRecurringDates(EncodeRecurringDates(marks.Records)).Records, marks.Records);
}

// A list saved as UTF-8 without a mark by a text editor keeps its columns: the formula stays in
// column 121.
void TestRecurringDatesFile::EditorsUtf8KeepsTheColumns()
{
    const QString record = MakeRecord(QString::fromUtf8("J\u00fcrgen's birthday \u20ac"), "@0205");
    const TRecurringDatesRead read = ParseRecurringDates(record.toUtf8() + "\r\n");
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Records, QStringList{record});
    QCOMPARE(RecordKind(read.Records[0]), std::optional<QChar>(DayOfMonthKind));
}

// Records with `#` tags, old and new, known or not, are written and read back byte for byte: a
// tag ends its line unpadded, the longest in column 131.
void TestRecurringDatesFile::TagsKeepTheirBytes()
{
    const QByteArray bytes = "Easter" + QByteArray(114, ' ') + "#EASTER\r\n" + "Good Friday" + QByteArray(109, ' ') +
                             "#GOODFRIDAY\r\n" + "Palm Sunday" + QByteArray(109, ' ') + "#PALMSUNDAY\r\n" +
                             "Ascension" + QByteArray(111, ' ') + "#EASTER+39\r\n" + "Clean Monday" +
                             QByteArray(108, ' ') + "#OEASTER-48\r\n" + "Pascha" + QByteArray(114, ' ') +
                             "#OEASTER\r\n" + "Mystery" + QByteArray(113, ' ') + "#XMAS+1\r\n";
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Records, (QStringList{MakeRecord("Easter", "#EASTER"), MakeRecord("Good Friday", "#GOODFRIDAY"),
                                        MakeRecord("Palm Sunday", "#PALMSUNDAY"), MakeRecord("Ascension", "#EASTER+39"),
                                        MakeRecord("Clean Monday", "#OEASTER-48"), MakeRecord("Pascha", "#OEASTER"),
                                        MakeRecord("Mystery", "#XMAS+1")}));
    QCOMPARE(RecordTag(read.Records[4]), "#OEASTER-48");
    QCOMPARE(EncodeRecurringDates(read.Records), bytes);

    QTemporaryDir dir;
    const QString fileName = dir.filePath("MVRECUR.DAX");
    QCOMPARE(WriteRecurringDatesFile(fileName, read.Records), QString());
    QCOMPARE(FileBytes(fileName), bytes);
}

// Greek holiday names cannot be written in Windows-1252: the file is UTF-8 behind the mark, and
// every record reads back with its formula in column 121.
void TestRecurringDatesFile::GreekNamesSurviveTheFile()
{
    const QStringList records = HolidayCatalogue("GR");
    QTemporaryDir dir;
    const QString fileName = dir.filePath("MVRECUR.DAX");
    QCOMPARE(WriteRecurringDatesFile(fileName, records), QString());
    const QByteArray bytes = FileBytes(fileName);
    // "Πρωτοχρονιά", then its padding and formula.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF\xCE\xA0\xCF\x81\xCF\x89\xCF\x84\xCE\xBF\xCF\x87\xCF\x81\xCE\xBF"
                             "\xCE\xBD\xCE\xB9\xCE\xAC" +
                             QByteArray(109, ' ') + "@0101     \r\n"));
    const TRecurringDatesRead read = ReadRecurringDatesFile(fileName);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Records, records);
    QCOMPARE(RecordEventText(read.Records[2]).trimmed(),
             QString::fromUtf16(u"\u039a\u03b1\u03b8\u03b1\u03c1\u03ac "
                                u"\u0394\u03b5\u03c5\u03c4\u03ad\u03c1\u03b1"));
    QCOMPARE(RecordTag(read.Records[2]), "#OEASTER-48");
}

// Text whose Windows-1252 bytes happen to be valid UTF-8 would read back as other characters; it
// is written as UTF-8 behind the mark, other text as Windows-1252.
void TestRecurringDatesFile::WrittenTextReadsBackTheSame_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("windows1252");
    QTest::newRow("letters of UTF-8 bytes") << QString::fromUtf8("J\u00c3\u00bcrgen") << false;
    QTest::newRow("letter and symbol of UTF-8 bytes") << QString::fromUtf8("\u00e2\u201a\u00ac") << false;
    QTest::newRow("letters that are not") << QString::fromUtf8("J\u00fcrgen \u00c3") << true;
    QTest::newRow("ASCII") << QString("Rent") << true;
}

void TestRecurringDatesFile::WrittenTextReadsBackTheSame()
{
    QFETCH(QString, text);
    QFETCH(bool, windows1252);
    const QStringList records{MakeRecord(text, "@0101")};
    const QByteArray bytes = EncodeRecurringDates(records);
    QCOMPARE(!bytes.startsWith("\xEF\xBB\xBF"), windows1252);
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Records, records);
}

void TestRecurringDatesFile::ParseReadsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("no last line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("blank line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("Windows-1252 bytes") << QByteArray("\x80\x9f\xff\r\n")
                                        << QStringList{QString::fromUtf8("\u20ac\u0178\u00ff")};
    QTest::newRow("mark alone") << QByteArray("\xEF\xBB\xBF") << QStringList();
    QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF\xCE\xA9\r\n") << QStringList{QString::fromUtf8("\u03a9")};
    // Without the mark, bytes beyond ASCII that are valid UTF-8 are UTF-8, as text editors save it;
    // any other byte beyond ASCII makes the whole file Windows-1252.
    QTest::newRow("UTF-8 without mark") << QByteArray("\xCE\xA9\r\nJ\xC3\xBCrgen\r\n")
                                        << QStringList{QString::fromUtf8("\u03a9"), QString::fromUtf8("J\u00fcrgen")};
    QTest::newRow("UTF-8 but for one byte")
        << QByteArray("J\xC3\xBCrgen\r\nCaf\xE9\r\n")
        << QStringList{QString::fromUtf8("J\u00c3\u00bcrgen"), QString::fromUtf8("Caf\u00e9")};
    QTest::newRow("cut UTF-8 without mark") << QByteArray("J\xC3") << QStringList{QString::fromUtf8("J\u00c3")};
    QTest::newRow("overlong without mark") << QByteArray("\xC0\xAF") << QStringList{QString::fromUtf8("\u00c0\u00af")};
}

void TestRecurringDatesFile::ParseReadsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, records);
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    QVERIFY2(read.Ok(), qPrintable(read.Error));
    QCOMPARE(read.Records, records);
}

void TestRecurringDatesFile::BrokenInputs_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("zero byte") << QByteArray("abc\r\nd\0e", 8)
                               << "It holds a zero byte at offset 6, which no text file does.";
    QTest::newRow("zero byte first") << QByteArray("\0", 1)
                                     << "It holds a zero byte at offset 0, which no text file does.";
    const QString notUtf8 = "It starts as UTF-8 text but holds bytes that are not UTF-8.";
    QTest::newRow("bad UTF-8") << QByteArray("\xEF\xBB\xBF"
                                             "abc\xFF\r\n")
                               << notUtf8;
    QTest::newRow("cut UTF-8") << QByteArray("\xEF\xBB\xBF"
                                             "abc\xCE")
                               << notUtf8;
    QTest::newRow("overlong UTF-8") << QByteArray("\xEF\xBB\xBF\xC0\xAF") << notUtf8;
    QTest::newRow("surrogate in UTF-8") << QByteArray("\xEF\xBB\xBF\xED\xA0\x80") << notUtf8;
}

void TestRecurringDatesFile::BrokenInputs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const TRecurringDatesRead read = ParseRecurringDates(bytes);
    QCOMPARE(read.Error, error);
    QVERIFY(read.Records.isEmpty());
}

void TestRecurringDatesFile::MissingFileIsEmptyList()
{
    QTemporaryDir dir;
    const TRecurringDatesRead read = ReadRecurringDatesFile(dir.filePath("MVRECUR.DAX"));
    QVERIFY(read.Ok());
    QVERIFY(read.Records.isEmpty());
}

void TestRecurringDatesFile::OversizedFileIsRefused()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("MVRECUR.DAX");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(MaxRecurringDatesFileSize + 1));
    file.close();
    const TRecurringDatesRead read = ReadRecurringDatesFile(name);
    QCOMPARE(read.Error, QString("It is larger than %1 bytes.").arg(MaxRecurringDatesFileSize));
}

void TestRecurringDatesFile::FailedWriteLeavesNoFile()
{
    QTemporaryDir dir;
    // The folder is a file: nothing can be written below it.
    WriteAll(dir.filePath("notafolder"), "x");
    const QString name = dir.filePath("notafolder/MVRECUR.DAX");
    const QString error = WriteRecurringDatesFile(name, {MakeRecord("a", "@0101")});
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(name));
    QCOMPARE(FileBytes(dir.filePath("notafolder")), QByteArray("x"));
}

void TestRecurringDatesFile::WriteReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("MVRECUR.DAX");
    WriteAll(name, QByteArray(5000, 'z'));
    const QStringList records = {MakeRecord("a", "@0101")};
    QCOMPARE(WriteRecurringDatesFile(name, records), QString());
    QCOMPARE(FileBytes(name), EncodeRecurringDates(records));
    QCOMPARE(ReadRecurringDatesFile(name).Records, records);
    // No temporary file stays behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"MVRECUR.DAX"});
}

void TestRecurringDatesFile::ConvertOldRecord_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("record");
    QTest::newRow("fixed date") << "0401April fool" << PadField("April fool", 120) + "@0401      ";
    QTest::newRow("no text") << "1225" << QString(120, u' ') + "@1225      ";
    QTest::newRow("short line") << "12" << QString(120, u' ') + "@12        ";
    QTest::newRow("long text cut") << "0101" + QString(200, u'y') << QString(120, u'y') + "@0101      ";
}

void TestRecurringDatesFile::ConvertOldRecord()
{
    QFETCH(QString, line);
    QFETCH(QString, record);
    const QString converted = ::ConvertOldRecord(line);
    QCOMPARE(converted, record);
    QCOMPARE(converted.size(), 131);
}

void TestRecurringDatesFile::ConversionMergesAndDeletesOldFile()
{
    QTemporaryDir dir;
    const QString oldName = dir.filePath("MVRECUR.DAT");
    const QString name = dir.filePath("MVRECUR.DAX");
    WriteAll(oldName, "0401April fool\r\n1225Christmas \xe9t\xe9\r\n");
    // Records the newer file holds already stay, and are not added a second time.
    const QString kept = MakeRecord("Gym", "%26");
    WriteAll(name, EncodeRecurringDates({kept, ::ConvertOldRecord(QString::fromUtf8("1225CHRISTMAS \u00c9T\u00c9"))}));

    QCOMPARE(ConvertOldRecurringDates(oldName, name), QString());
    QVERIFY(!QFile::exists(oldName));
    const TRecurringDatesRead read = ReadRecurringDatesFile(name);
    QVERIFY(read.Ok());
    QCOMPARE(read.Records, (QStringList{kept, ::ConvertOldRecord(QString::fromUtf8("1225CHRISTMAS \u00c9T\u00c9")),
                                        ::ConvertOldRecord("0401April fool")}));
    const std::optional<TDayOfMonth> date = ParseDayOfMonth(RecordFormula(read.Records[2]));
    QVERIFY(date);
    QCOMPARE(date->Month, 4);
    QCOMPARE(date->Day, 1);
}

void TestRecurringDatesFile::ConversionWithoutOldFileChangesNothing()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("MVRECUR.DAX");
    WriteAll(name, "as it was");
    QCOMPARE(ConvertOldRecurringDates(dir.filePath("MVRECUR.DAT"), name), QString());
    QCOMPARE(FileBytes(name), QByteArray("as it was"));
}

void TestRecurringDatesFile::ConversionStopsOnDamagedFile()
{
    QTemporaryDir dir;
    const QString oldName = dir.filePath("MVRECUR.DAT");
    const QString name = dir.filePath("MVRECUR.DAX");
    WriteAll(oldName, "0401April fool\r\n");
    const QByteArray damaged("abc\0def", 7);
    WriteAll(name, damaged);
    QCOMPARE(ConvertOldRecurringDates(oldName, name),
             "Unable to read " + name + ".\rIt holds a zero byte at offset 3, which no text file does.");
    QCOMPARE(FileBytes(name), damaged);
    QCOMPARE(FileBytes(oldName), QByteArray("0401April fool\r\n"));

    // A damaged old file is left for the user as well.
    QFile::remove(name);
    WriteAll(oldName, QByteArray("\xEF\xBB\xBF\xFF"));
    QCOMPARE(ConvertOldRecurringDates(oldName, name),
             "Unable to read " + oldName + ".\rIt starts as UTF-8 text but holds bytes that are not UTF-8.");
    QVERIFY(QFile::exists(oldName));
    QVERIFY(!QFile::exists(name));
}

QObject* NewTestRecurringDatesFile()
{
    return new TestRecurringDatesFile;
}

#include "TestRecurringDatesFile.moc"
