// The picture object through the real main window: placed with its tool button and the mouse,
// its picture chosen in the browser, framed through its menu, saved, reopened, described by
// mvtool info, and drawn where it stands by mvtool render and the program's own PDF output,
// the metafile as vectors.

#include "../common/PdfTools.h"
#include "MainWindowFixture.h"

#include "objects/GImage.h"
#include "objects/GImageBrowser.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDialog>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QToolButton>

namespace {

QByteArray Le16(int v)
{
    return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF);
}

QByteArray Le32(quint32 v)
{
    return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16));
}

// A placeable WMF of 2 × 1 inches: its left half red, its right half blue, no outlines.
QByteArray RedBlueWmf()
{
    QByteArray records;
    const auto record = [&records](int function, const QList<int>& words) {
        records += Le32(quint32(3 + words.size())) + Le16(function);
        for (const int w : words)
            records += Le16(w);
    };
    record(0x02FA, {5, 0, 0, 0, 0});   // no pen: object 0
    record(0x02FC, {0, 0x00FF, 0, 0}); // red brush: object 1
    record(0x02FC, {0, 0, 0x00FF, 0}); // blue brush: object 2
    record(0x012D, {0});
    record(0x012D, {1});
    record(0x041B, {1440, 1440, 0, 0});
    record(0x012D, {2});
    record(0x041B, {1440, 2880, 0, 1440});
    record(0, {});
    const QByteArray meta =
        Le16(1) + Le16(9) + Le16(0x300) + Le32(quint32((18 + records.size()) / 2)) + Le16(3) + Le32(0) + Le16(0);
    QByteArray header = Le32(0x9AC6CDD7) + Le16(0) + Le16(0) + Le16(0) + Le16(2880) + Le16(1440) + Le16(1440) + Le32(0);
    int checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint8(header[2 * i]) | (quint8(header[2 * i + 1]) << 8);
    return header + Le16(checksum) + meta + records;
}

bool Near(const QColor& pixel, const QColor& colour)
{
    return qAbs(pixel.red() - colour.red()) < 40 && qAbs(pixel.green() - colour.green()) < 40 &&
           qAbs(pixel.blue() - colour.blue()) < 40;
}

int PdfImageCount(const QString& pdf)
{
    return int(RunTool("pdfimages", {"-list", pdf}).trimmed().split('\n').size()) - 2;
}

} // namespace

class TestPictureMain : public QObject {
    Q_OBJECT

private slots:
    void PlacedLoadedSavedReopenedAndPrinted_data();
    void PlacedLoadedSavedReopenedAndPrinted();
    void BrowserReturnsToTheLastPicturesFolder();
};

void TestPictureMain::PlacedLoadedSavedReopenedAndPrinted_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("100%") << 100;
    QTest::newRow("60%") << 60;
}

void TestPictureMain::PlacedLoadedSavedReopenedAndPrinted()
{
    QFETCH(int, zoom);
    TMainWindowFixture f;
    const QString file = f.Path("picture.MVF");
    TMainWindowFixture::WriteCalendar(file, 10, 2027, 1, "");
    QFile wmf(f.Path("clipart.wmf"));
    QVERIFY(wmf.open(QIODevice::WriteOnly));
    wmf.write(RedBlueWmf());
    wmf.close();
    TCalendarMain& main = f.StartOnCalendar(file, zoom);
    QCOMPARE(main.ZoomPercent(), zoom);

    // The tool button, a rectangle dragged on the page, then the browser: the clip art chosen,
    // stretched to the rectangle.
    f.Ui.AnswerDialog([&f](QDialog& dialog) {
        auto* browser = dynamic_cast<TGImageBrowser*>(&dialog);
        if (!browser)
            return int(QDialog::Rejected);
        browser->SetFolder(f.Path(""));
        if (!browser->SelectFile("clipart.wmf"))
            return int(QDialog::Rejected);
        // The object's options come in ticked as it has them.
        if (!browser->findChild<QCheckBox*>("StretchCheck")->isChecked())
            return int(QDialog::Rejected);
        return int(QDialog::Accepted);
    });
    auto* tool = f.Widget<QToolButton>("DrawImageButton");
    QTest::mouseClick(tool, Qt::LeftButton);
    QCOMPARE(f.Page().PanelState(), psImage);
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    const QPoint to = from + QPoint(120, 60);
    f.DragOnPage(from, to);
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TGImageBrowser"});
    QCOMPARE(f.Page().PanelState(), psPointing);
    QVERIFY(f.Widget<QToolButton>("Pointerbutton")->isChecked());
    QVERIFY(main.Modified());
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* image = dynamic_cast<TGImage*>(f.Page().Objects().first());
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(from, QSize(120, 60)));
    QVERIFY(image->Picture().IsMetafile());
    QVERIFY(image->Stretch());

    // "Border" from its menu.
    main.SetModified(false);
    QTest::mouseClick(image, Qt::RightButton, {}, QPoint(image->width() / 2, image->height() / 2));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction* border = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == "Border")
            border = action;
    QVERIFY(border);
    QVERIFY(!border->isChecked());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(border).center());
    QCOMPARE(image->BorderStyle(), bsSingle);
    QVERIFY(main.Modified());

    // On the screen: red on the left, blue on the right.
    const QRect shown = image->geometry();
    const QRect bounds = image->DocumentBounds();
    const QByteArray block = image->Picture().DataBlock();
    const QImage screen = f.Page().grab(shown).toImage();
    QCOMPARE(screen.pixelColor(shown.width() / 4, shown.height() / 2), QColor(Qt::red));
    QCOMPARE(screen.pixelColor(shown.width() * 3 / 4, shown.height() / 2), QColor(Qt::blue));
    QCOMPARE(screen.pixelColor(0, shown.height() / 2), QColor(Qt::black));

    f.Trigger("mnuSave");
    QVERIFY(!main.Modified());
    TCalendarMain& again = f.Restart();
    QCOMPARE(again.CurrentFileName(), file);
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* read = dynamic_cast<TGImage*>(f.Page().Objects().first());
    QVERIFY(read);
    QCOMPARE(read->DocumentBounds(), bounds);
    QCOMPARE(read->geometry(), shown);
    QCOMPARE(read->BorderStyle(), bsSingle);
    QCOMPARE(read->Picture().DataBlock(), block);
    QVERIFY(!again.Modified());

    // mvtool info names the object with every streamed property.
    QString output;
    QString errors;
    QCOMPARE(TMainWindowFixture::RunMvTool({"info", file}, errors, &output), 0);
    QVERIFY2(output.contains("\"TGImage\"") && output.contains("\"BorderStyle\": \"bsSingle\"") &&
                 output.contains("\"Picture\"") && output.contains("\"Stretch\": true") &&
                 output.contains("\"AutoSize\": false"),
             qPrintable(output.left(3000)));

    // mvtool draws the page as the window shows it.
    const QString png = f.Path("picture.png");
    QCOMPARE(
        TMainWindowFixture::RunMvTool({"render", file, png, "--zoom", QString::number(zoom / 100.0)}, errors, &output),
        0);
    const QImage rendered(png);
    QVERIFY2(!rendered.isNull(), qPrintable(errors));
    QCOMPARE(rendered.pixelColor(shown.left() + shown.width() / 4, shown.center().y()), QColor(Qt::red));
    QCOMPARE(rendered.pixelColor(shown.left() + shown.width() * 3 / 4, shown.center().y()), QColor(Qt::blue));

    // On paper at full size from the page's corner, as vectors: mvtool and "Save As PDF".
    const auto checkPaper = [&](const QString& pdf) {
        QCOMPARE(PdfImageCount(pdf), 0);
        const QImage paper = PdfPageImage(pdf, f.Dir.path(), 96);
        QVERIFY(!paper.isNull());
        const int y = bounds.center().y();
        QVERIFY(Near(paper.pixelColor(bounds.left() + bounds.width() / 4, y), Qt::red));
        QVERIFY(Near(paper.pixelColor(bounds.left() + bounds.width() * 3 / 4, y), Qt::blue));
        QVERIFY(!Near(paper.pixelColor(bounds.left() - 4, y), Qt::red));
        QVERIFY(!Near(paper.pixelColor(bounds.right() + 4, y), Qt::blue));
    };
    const QString printed = f.Path("picture.pdf");
    QCOMPARE(TMainWindowFixture::RunMvTool({"render", file, printed}, errors, &output), 0);
    checkPaper(printed);
    if (QTest::currentTestFailed())
        return;
    const QString saved = f.Path("saved.pdf");
    f.Ui.AnswerFileName(saved);
    f.Trigger("mnuSaveAsPdf");
    QVERIFY(f.Ui.Messages.isEmpty());
    checkPaper(saved);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestPictureMain::BrowserReturnsToTheLastPicturesFolder()
{
    TMainWindowFixture f;
    const QString file = f.Path("picture.MVF");
    TMainWindowFixture::WriteCalendar(file, 10, 2027, 1, "");
    const QString clipart = f.Path("clipart");
    QVERIFY(QDir().mkpath(clipart));
    QFile wmf(clipart + "/red.wmf");
    QVERIFY(wmf.open(QIODevice::WriteOnly));
    wmf.write(RedBlueWmf());
    wmf.close();
    f.StartOnCalendar(file, 100);

    // Places a picture with the tool; `choose` answers the browser.
    const auto place = [&f](int cell, const std::function<int(TGImageBrowser&)>& choose) {
        f.Ui.AnswerDialog([choose](QDialog& dialog) {
            auto* browser = dynamic_cast<TGImageBrowser*>(&dialog);
            return browser ? choose(*browser) : int(QDialog::Rejected);
        });
        QTest::mouseClick(f.Widget<QToolButton>("DrawImageButton"), Qt::LeftButton);
        const QPoint from = f.Page().CellRecord(cell).Whole.ToQRect().topLeft() + QPoint(3, 3);
        f.DragOnPage(from, from + QPoint(60, 40));
    };
    place(16, [&clipart](TGImageBrowser& browser) {
        browser.SetFolder(clipart);
        return int(browser.SelectFile("red.wmf") ? QDialog::Accepted : QDialog::Rejected);
    });
    QCOMPARE(f.Page().Objects().size(), 1);

    // The next time, after a restart too, the browser opens in the clip-art folder and says so.
    f.Ui.AnswerYesNo(false); // the placed picture is not saved
    f.Restart();
    QString folder;
    QString shownPath;
    place(17, [&](TGImageBrowser& browser) {
        folder = browser.Folder();
        shownPath = browser.findChild<QComboBox*>("DriveComboBox1")->currentText();
        return int(QDialog::Rejected);
    });
    QCOMPARE(folder, QDir(clipart).absolutePath());
    QCOMPARE(shownPath, folder);
    QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join("; ")));
}

QObject* NewTestPictureMain()
{
    return new TestPictureMain;
}

#include "TestPictureMain.moc"
