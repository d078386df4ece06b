// mvicl, the icon library writer, run as users run it: icons in order or from a folder, and the
// messages and exit codes for what it cannot use. A library is written whole or not at all.

#include "platform/IconLibrary.h"
#include "platform/IconLibraryWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct TRun {
    int ExitCode;
    QString Errors;
};

TRun RunMvicl(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/mvicl", arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, "mvicl did not finish"};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class TestMvicl : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void WritesTheIconsInOrder_data();
    void WritesTheIconsInOrder();
    void RefusesWhatItCannotUse_data();
    void RefusesWhatItCannotUse();

private:
    QTemporaryDir m_Folder;
    QList<QByteArray> m_Icons; // three icons taken from a shipped library
};

void TestMvicl::initTestCase()
{
    const QByteArray library = ReadAll(QCoreApplication::applicationDirPath() + "/misc2.icl");
    QVERIFY(IconCount(library) >= 3);
    QDir().mkpath(m_Folder.filePath("icons"));
    for (int index : {0, 1, 2}) {
        m_Icons.append(IconFile(library, index));
        // Named so that the folder's order by name is 2, 0, 1.
        Write(m_Folder.filePath(QString("icons/%1.ico").arg(QChar("bca"[index]))), m_Icons.last());
    }
    QDir().mkpath(m_Folder.filePath("empty"));
    Write(m_Folder.filePath("notes.txt"), "no icons here\n");
}

void TestMvicl::WritesTheIconsInOrder_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("files") << QStringList{"icons/b.ico", "icons/a.ico"} << QList<int>{0, 2};
    QTest::newRow("one file") << QStringList{"icons/c.ico"} << QList<int>{1};
    QTest::newRow("folder, by name") << QStringList{"icons"} << QList<int>{2, 0, 1};
}

void TestMvicl::WritesTheIconsInOrder()
{
    QFETCH(QStringList, inputs);
    QFETCH(QList<int>, order);
    const QString output = m_Folder.filePath("out.icl");
    QStringList arguments{output};
    for (const QString& input : inputs)
        arguments.append(m_Folder.filePath(input));
    const TRun run = RunMvicl(arguments);
    QCOMPARE(run.Errors, QString());
    QCOMPARE(run.ExitCode, 0);
    const QByteArray library = ReadAll(output);
    QCOMPARE(IconCount(library), order.size());
    for (int index = 0; index < order.size(); ++index) {
        const QImage picture = IconPicture(library, index);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture, IconPicture(m_Icons[order[index]], 0));
    }
}

void TestMvicl::RefusesWhatItCannotUse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing to write") << QStringList{"out.icl"}
                                      << "mvicl: usage: mvicl LIBRARY.icl ICON.ico... | mvicl LIBRARY.icl FOLDER\n";
    QTest::newRow("a text file") << QStringList{"out.icl", "icons/a.ico", "notes.txt"}
                                 << "mvicl: @notes.txt: not an icon file\n";
    QTest::newRow("a missing file") << QStringList{"out.icl", "missing.ico"}
                                    << "mvicl: @missing.ico: No such file or directory\n";
    QTest::newRow("a device") << QStringList{"out.icl", "/dev/zero"} << "mvicl: /dev/zero: not a regular file\n";
    QFile big(m_Folder.filePath("big.ico"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(MaxIconLibrarySize + 1));
    QTest::newRow("a file larger than any library")
        << QStringList{"out.icl", "big.ico"} << "mvicl: @big.ico: too large for an icon library\n";
    QTest::newRow("a folder without icons") << QStringList{"out.icl", "empty"} << "mvicl: @empty: no .ico files\n";
    QTest::newRow("output folder missing")
        << QStringList{"nowhere/out.icl", "icons/a.ico"} << "mvicl: @nowhere/out.icl: ";
}

void TestMvicl::RefusesWhatItCannotUse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    // An older library of the same name stays as it was.
    const QString output = m_Folder.filePath("out.icl");
    Write(output, "the old library");
    for (QString& argument : arguments) {
        if (QFileInfo(argument).isRelative())
            argument = m_Folder.filePath(argument);
    }
    const TRun run = RunMvicl(arguments);
    QCOMPARE(run.ExitCode, 1);
    const QString expected = QString(message).replace("@", m_Folder.path() + "/");
    QVERIFY2(run.Errors.startsWith(expected), qPrintable(run.Errors));
    QCOMPARE(ReadAll(output), QByteArray("the old library"));
}

QTEST_MAIN(TestMvicl)
#include "TestMvicl.moc"
