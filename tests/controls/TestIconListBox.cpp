// The icon list box: loading a file (count, rows, enabled state, caching), its size in icons,
// the drag it starts and its drawing.

#include "controls/IconListBox.h"
#include "platform/IconLibrary.h"

#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QtTest>

#include <sys/resource.h>

namespace {

QString Shipped(const QString& name)
{
    return QCoreApplication::applicationDirPath() + "/" + name;
}

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestIconListBox : public QObject {
    Q_OBJECT

private slots:
    void LoadingAFile_data();
    void LoadingAFile();
    void SameNameDoesNotReload();
    void HugeFileIsNotRead();
    void CachingTakesIconsWhenFirstAsked_data();
    void CachingTakesIconsWhenFirstAsked();
    void SizeFollowsTheIconsAcrossAndDown_data();
    void SizeFollowsTheIconsAcrossAndDown();
    void DragCarriesThePressedIcon();
    void RowsShowTheirIconsCentred();
};

void TestIconListBox::LoadingAFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("autoDisable");
    QTest::addColumn<int>("icons");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("library") << Shipped("events.icl") << true << 32 << true;
    QTest::newRow("missing file") << Shipped("nothing.icl") << true << -1 << false;
    QTest::newRow("missing file, not disabled") << Shipped("nothing.icl") << false << -1 << true;
    QTest::newRow("file without icons") << QCoreApplication::applicationFilePath() << true << 0 << true;
    QTest::newRow("no name") << QString() << true << -1 << false;
}

void TestIconListBox::LoadingAFile()
{
    QFETCH(QString, fileName);
    QFETCH(bool, autoDisable);
    QFETCH(int, icons);
    QFETCH(bool, enabled);
    TIconListBox list;
    QCOMPARE(list.NumberOfIcons(), -1);
    list.SetAutoDisable(autoDisable);
    list.SetFileName(Shipped("misc1.icl")); // something loaded before
    QSignalSpy changes(&list, &TIconListBox::FileChanged);
    list.SetFileName(fileName);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(list.FileName(), fileName);
    QCOMPARE(list.NumberOfIcons(), icons);
    QCOMPARE(list.count(), std::max(icons, 0));
    QCOMPARE(list.isEnabled(), enabled);
    if (icons > 0) {
        QCOMPARE(list.currentRow(), 0);
        QCOMPARE(list.item(icons - 1)->text(), QString::number(icons - 1));
        QVERIFY(list.Icon(icons).isNull());
    }
}

void TestIconListBox::SameNameDoesNotReload()
{
    TIconListBox list;
    list.SetFileName(Shipped("events.icl"));
    list.setCurrentRow(7);
    QSignalSpy changes(&list, &TIconListBox::FileChanged);
    list.SetFileName(Shipped("events.icl"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(list.currentRow(), 7);
    // Names are compared exactly: another spelling loads again.
    list.SetFileName(Shipped("events.icl").replace("/bin/", "/bin/./"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(list.currentRow(), 0);
}

// A file far larger than any icon library (a disk image, a video) is not read into memory.
void TestIconListBox::HugeFileIsNotRead()
{
    QTemporaryDir folder;
    QFile huge(folder.filePath("huge.exe"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    huge.write("MZ");
    QVERIFY(huge.resize((qint64(512) << 20) + 1)); // sparse: takes no room on disk
    huge.close();
    TIconListBox list;
    // Address space for what the process has plus 128 MB: reading the file whole would fail.
    QFile status("/proc/self/status");
    QVERIFY(status.open(QIODevice::ReadOnly));
    const qint64 used =
        QRegularExpression("VmSize:\\s*(\\d+) kB").match(status.readAll()).captured(1).toLongLong() * 1024;
    QVERIFY(used > 0);
    struct rlimit unlimited;
    QCOMPARE(getrlimit(RLIMIT_AS, &unlimited), 0);
    const struct rlimit limited = {rlim_t(used + (qint64(128) << 20)), unlimited.rlim_max};
    QCOMPARE(setrlimit(RLIMIT_AS, &limited), 0);
    list.SetFileName(huge.fileName());
    setrlimit(RLIMIT_AS, &unlimited);
    QCOMPARE(list.NumberOfIcons(), 0);
    QCOMPARE(list.count(), 0);
}

void TestIconListBox::CachingTakesIconsWhenFirstAsked_data()
{
    QTest::addColumn<bool>("caching");
    QTest::newRow("caching") << true;
    QTest::newRow("all at loading") << false;
}

// The pictures are the reader's, whether taken at loading or when first drawn; with caching they
// stay as first taken even when the file changes on disk meanwhile.
void TestIconListBox::CachingTakesIconsWhenFirstAsked()
{
    QFETCH(bool, caching);
    QTemporaryDir folder;
    const QString fileName = folder.filePath("copy.icl");
    QVERIFY(QFile::copy(Shipped("holiday.icl"), fileName));
    const QByteArray original = ReadAll(fileName);
    TIconListBox list;
    list.SetEnableCaching(caching);
    list.SetFileName(fileName);
    const QImage first = list.Icon(2);
    QCOMPARE(first, IconPicture(original, 2));
    QVERIFY(QFile::remove(fileName));
    QCOMPARE(list.Icon(2), first);
    QCOMPARE(list.Icon(3), IconPicture(original, 3));
}

void TestIconListBox::SizeFollowsTheIconsAcrossAndDown_data()
{
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("expectedAcross");
    QTest::addColumn<int>("expectedDown");
    QTest::newRow("3 x 3") << 3 << 3 << 3 << 3;
    QTest::newRow("5 x 1") << 5 << 1 << 5 << 1;
    QTest::newRow("zero ignored") << 0 << 0 << 4 << 1;
    QTest::newRow("negative ignored") << -2 << 2 << 4 << 2;
}

void TestIconListBox::SizeFollowsTheIconsAcrossAndDown()
{
    QFETCH(int, across);
    QFETCH(int, down);
    QFETCH(int, expectedAcross);
    QFETCH(int, expectedDown);
    TIconListBox list;
    list.SetXIcons(across);
    list.SetYIcons(down);
    QCOMPARE(list.XIcons(), expectedAcross);
    QCOMPARE(list.YIcons(), expectedDown);
    list.SetFileName(Shipped("activity.icl"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    // Every icon of the first columns is whole in view, the next column is not.
    const int cell = TIconListBox::CellSize();
    QCOMPARE(cell, SystemIconSize + 6);
    const auto whole = [&list](int index) {
        return list.viewport()->rect().contains(list.visualItemRect(list.item(index)));
    };
    // The list lays its icons out once it has its size.
    QTRY_VERIFY(whole(expectedAcross * expectedDown - 1));
    for (int column = 0; column < expectedAcross; ++column)
        for (int row = 0; row < expectedDown; ++row)
            QVERIFY(whole(column * expectedDown + row));
    QVERIFY(!whole(expectedAcross * expectedDown));
}

void TestIconListBox::DragCarriesThePressedIcon()
{
    TIconListBox list;
    list.SetFileName(Shipped("misc2.icl"));
    const QModelIndex index = list.model()->index(4, 0);
    std::unique_ptr<QMimeData> mime(list.model()->mimeData({index}));
    QVERIFY(mime && mime->hasImage());
    QCOMPARE(qvariant_cast<QImage>(mime->imageData()), IconPicture(ReadAll(Shipped("misc2.icl")), 4));
    // Only copied: a target that takes a move would otherwise remove the icon from the list.
    QCOMPARE(list.model()->supportedDragActions(), Qt::DropActions(Qt::CopyAction));
}

void TestIconListBox::RowsShowTheirIconsCentred()
{
    TIconListBox list;
    list.SetXIcons(2);
    list.SetYIcons(1);
    list.SetFileName(Shipped("misc1.icl"));
    list.setCurrentRow(1);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage icon = list.Icon(0).convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            opaque += qAlpha(icon.pixel(x, y)) == 255;
    QVERIFY(opaque > 100);
    // The opaque pixels of the icon that the list shows, centred in the first cell.
    const auto matching = [&list, &icon] {
        const QImage shown = list.viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QRect cell = list.visualItemRect(list.item(0));
        const QPoint origin =
            cell.topLeft() + QPoint((cell.width() - icon.width()) / 2, (cell.height() - icon.height()) / 2);
        int count = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                count += qAlpha(icon.pixel(x, y)) == 255 && shown.pixel(origin + QPoint(x, y)) == icon.pixel(x, y);
        return count;
    };
    QTRY_COMPARE(matching(), opaque);
}

QTEST_MAIN(TestIconListBox)
#include "TestIconListBox.moc"
