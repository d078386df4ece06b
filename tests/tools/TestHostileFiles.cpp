// Calendar files made to hurt: megabyte titles, captions and cell words, thousands of code pages,
// pictures that claim to be huge, too many objects, coordinates near the integer limit. mvtool
// reads and draws each under a limit on its CPU time and address space, so a reader or painter
// whose cost grows faster than the file, or with what the file claims rather than what it holds,
// is stopped by the limit and fails the case.

#include "ToolFixtures.h"
#include "effects/GSuperText.h"
#include "stream/ValueType.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <sys/resource.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
// Instrumented code runs several times slower and reserves a vast address space for itself.
constexpr rlim_t CpuSeconds = 90;
constexpr bool LimitAddressSpace = false;
#else
constexpr rlim_t CpuSeconds = 20;
constexpr bool LimitAddressSpace = true;
#endif
// A plain run of mvtool needs about 300 MB of address space; the old faults took several GB.
constexpr rlim_t AddressSpace = rlim_t(1) << 30;

struct TLimitedRun {
    bool Finished = false;
    int ExitCode = -1;
    QString Err;
};

TLimitedRun RunLimited(const QStringList& arguments)
{
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit cpu{CpuSeconds, CpuSeconds};
        setrlimit(RLIMIT_CPU, &cpu);
        if (LimitAddressSpace) {
            const rlimit space{AddressSpace, AddressSpace};
            setrlimit(RLIMIT_AS, &space);
        }
    });
    process.start(QCoreApplication::applicationDirPath() + "/mvtool", arguments);
    if (!process.waitForFinished(10 * 60 * 1000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit, process.exitCode(),
            QString::fromUtf8(process.readAllStandardError())};
}

void SavePage(const QString& fileName, const std::function<void(TCalendarPanel32&)>& fill)
{
    TCalendarPanel32 page(nullptr);
    fill(page);
    page.SaveToFile(fileName);
}

QByteArray SavedBytes(const QString& fileName, const std::function<void(TCalendarPanel32&)>& fill)
{
    SavePage(fileName, fill);
    return FileBytes(fileName);
}

QByteArray LittleEndian32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A calendar file with `count` text labels: the record of one label, saved by the page, repeated
// with a name of its own each (far quicker than placing that many widgets).
QByteArray ManyLabels(const QString& scratch, int count)
{
    const QByteArray empty = SavedBytes(scratch, [](TCalendarPanel32&) {});
    const QByteArray one =
        SavedBytes(scratch, [](TCalendarPanel32& page) { AddLabel(page, "L000000", QRect(10, 10, 80, 20), "Label"); });
    // The object list ends the file: vaList, the records, vaNull.
    const qsizetype start = empty.size() - 1;
    if (!one.startsWith(empty.left(start)) || one.right(1) != empty.right(1))
        return {};
    const QByteArray record = one.mid(start, one.size() - empty.size());
    QByteArray records;
    records.reserve(record.size() * count);
    for (int i = 0; i < count; ++i) {
        QByteArray copy = record;
        copy.replace("L000000", QString("L%1").arg(i, 6, 10, QChar('0')).toLatin1());
        records += copy;
    }
    return empty.left(start) + records + empty.right(1);
}

// A calendar file whose one filled cell carries `rtf` exactly: the page would read and rewrite an
// RTF set through it, so the cell's block in the saved file is replaced instead.
QByteArray WithCellRtf(const QString& scratch, const QByteArray& rtf)
{
    const QByteArray file = SavedBytes(scratch, [](TCalendarPanel32& page) { SetCellRtf(page, 3, "{\\rtf1 cell}"); });
    // The block: vaBinary, its 4-byte length, the RTF.
    const qsizetype start = file.indexOf("{\\rtf1");
    if (start < 5 || file[start - 5] != char(vaBinary))
        return {};
    const qint64 length = qFromLittleEndian<quint32>(file.constData() + start - 4);
    return file.left(start - 4) + LittleEndian32(qint32(rtf.size())) + rtf + file.mid(start + length);
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void EndsWithinItsLimits_data();
    void EndsWithinItsLimits();

private:
    QTemporaryDir m_Dir;
};

void TestHostileFiles::EndsWithinItsLimits_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const auto path = [this](const QString& name) { return m_Dir.filePath(name); };
    const auto row = [&](const char* name, const QString& file, const char* command, const char* output, int exitCode,
                         const QString& message) {
        QTest::newRow(name) << file << command << (*output ? path(output) : QString()) << exitCode << message;
    };
    const QString hugeText(25'000'000, 'x');

    SavePage(path("title.MVF"), [&](TCalendarPanel32& page) { page.SetUserTitle(hugeText); });
    row("25 MB user title printed", path("title.MVF"), "render", "title.pdf", 0, "");
    row("25 MB user title drawn", path("title.MVF"), "render", "title.png", 0, "");

    SavePage(path("caption.MVF"),
             [&](TCalendarPanel32& page) { AddLabel(page, "Long", QRect(40, 40, 300, 40), hugeText); });
    row("25 MB label caption printed", path("caption.MVF"), "render", "caption.pdf", 0, "");
    row("25 MB label caption drawn", path("caption.MVF"), "render", "caption.png", 0, "");

    SavePage(path("effects.MVF"), [&](TCalendarPanel32& page) {
        TGSuperText* text = TGSuperText::CreateForTool(nullptr);
        text->Loaded();
        page.PlaceObject(*text, QRect(40, 40, 300, 80));
        text->SetCaption(hugeText);
    });
    row("25 MB special-effects caption", path("effects.MVF"), "render", "effects.png", 0, "");

    SavePage(path("word.MVF"),
             [&](TCalendarPanel32& page) { SetCellRtf(page, 10, "{\\rtf1 " + QByteArray(5'000'000, 'w') + "}"); });
    row("5 MB one-word cell", path("word.MVF"), "render", "word.png", 0, "");

    QByteArray codePages = "{\\rtf1\\ansi ";
    for (int i = 0; i < 30000; ++i)
        codePages += "{\\ansicpg" + QByteArray::number(1000 + i) + " \\'e9}";
    WriteBytes(path("codepages.MVF"), WithCellRtf(path("scratch.MVF"), codePages + "}"));
    row("30,000 code pages", path("codepages.MVF"), "render", "codepages.png", 0, "");

    WriteBytes(path("bitmap.MVF"), WithCellRtf(path("scratch.MVF"),
                                               "{\\rtf1 {\\pict\\wbitmap0\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes5000"
                                               "\\picw40000\\pich40000 " +
                                                   QByteArray(8'000'000, 'f') + "}}"));
    row("bitmap claiming 40000 x 40000", path("bitmap.MVF"), "render", "bitmap.png", 0, "");

    WriteBytes(path("many.MVF"), ManyLabels(path("scratch.MVF"), 100'000));
    // Objects beyond the most a page holds are left out, with a word.
    row("100,000 labels", path("many.MVF"), "info", "", 0,
        "some objects could not be read and are left out: TGPLabel (A page holds at most 10000 objects)");
    WriteBytes(path("most.MVF"), ManyLabels(path("scratch.MVF"), 10'000));
    row("10,000 labels drawn", path("most.MVF"), "render", "most.png", 0, "");

    QByteArray far = SavedBytes(path("far.MVF"),
                                [](TCalendarPanel32& page) { AddLabel(page, "Far", QRect(99999, 10, 80, 20), "Far"); });
    const QByteArray left = char(vaInt32) + LittleEndian32(99999);
    if (far.count(left) == 1)
        far.replace(left, char(vaInt32) + LittleEndian32(2147483000));
    WriteBytes(path("far.MVF"), far);
    row("label near the integer limit", path("far.MVF"), "info", "", 0,
        "some objects could not be read and are left out: TGPLabel (Invalid property value)");
}

void TestHostileFiles::EndsWithinItsLimits()
{
    QFETCH(QString, file);
    QFETCH(QString, command);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY2(QFileInfo(file).size() > 0, "the hostile file was not made");
    QStringList arguments{command, file};
    if (!output.isEmpty())
        arguments << output;
    const TLimitedRun run = RunLimited(arguments);
    QVERIFY2(run.Finished, "mvtool was stopped by its limits or crashed");
    QCOMPARE(run.ExitCode, exitCode);
    QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
    if (exitCode == 0 && !output.isEmpty())
        QVERIFY(QFileInfo(output).size() > 0);
}

QObject* NewTestHostileFiles()
{
    return new TestHostileFiles;
}

#include "TestHostileFiles.moc"
