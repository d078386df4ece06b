// The floating mini calendar through the real main window: placed with its tool button and the
// mouse, edited through its menu and editor, saved, reopened, and drawn by mvtool render where it
// stands on the screen.

#include "../common/PdfTools.h"
#include "MainWindowFixture.h"

#include "controls/ColorPaletteButton.h"
#include "effects/GFlatCalendar.h"
#include "objects/GHandle.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

class TestFlatCalendarMain : public QObject {
    Q_OBJECT

private slots:
    void PlacedEditedSavedReopenedAndRendered_data();
    void PlacedEditedSavedReopenedAndRendered();
};

void TestFlatCalendarMain::PlacedEditedSavedReopenedAndRendered_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("100%") << 100;
    QTest::newRow("60%") << 60;
}

void TestFlatCalendarMain::PlacedEditedSavedReopenedAndRendered()
{
    QFETCH(int, zoom);
    TMainWindowFixture f;
    const QString file = f.Path("mini.MVF");
    TMainWindowFixture::WriteCalendar(file, 10, 2027, 1, "");
    TCalendarMain& main = f.StartOnCalendar(file, zoom);
    QCOMPARE(main.ZoomPercent(), zoom);
    QVERIFY(!main.Modified());

    // The tool button, then a rectangle dragged on the page.
    auto* tool = f.Widget<QToolButton>("PSpeedButton1");
    QTest::mouseClick(tool, Qt::LeftButton);
    QCOMPARE(f.Page().PanelState(), psFlatCalendar);
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    const QPoint to = from + QPoint(150, 110);
    f.DragOnPage(from, to);
    QCOMPARE(f.Page().PanelState(), psPointing);
    QVERIFY(f.Widget<QToolButton>("Pointerbutton")->isChecked());
    QVERIFY(!tool->isChecked());
    QVERIFY(main.Modified());
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* calendar = dynamic_cast<TGFlatCalendar*>(f.Page().Objects().first());
    QVERIFY(calendar);
    QCOMPARE(calendar->geometry(), QRect(from, QSize(150, 110)));
    QCOMPARE(calendar->Month(), QDate::currentDate().month());

    // Its menu's Properties opens the editor; Ok takes the changes.
    main.SetModified(false);
    f.Ui.AnswerDialog([](QDialog& dialog) {
        auto* month = dialog.findChild<QComboBox*>("MonthCombo");
        auto* year = dialog.findChild<QSpinBox*>("YearSpinner");
        auto* language = dialog.findChild<QComboBox*>("LanguageCombo");
        auto* showYear = dialog.findChild<QCheckBox*>("ShowtitleInyearCheck");
        auto* title = dialog.findChild<TColorPaletteButton*>("TitleBackgroundbutton");
        auto* depth = dialog.findChild<QSpinBox*>("ShadowDepthSpinner");
        if (!month || !year || !language || !showYear || !title || !depth)
            return int(QDialog::Rejected);
        QTest::keyClick(month, Qt::Key_Home);
        for (int i = 0; i < 9; ++i)
            QTest::keyClick(month, Qt::Key_Down); // October
        year->setValue(2027);
        QTest::keyClick(language, Qt::Key_Down); // Deutsch
        QTest::mouseClick(showYear, Qt::LeftButton, {}, QPoint(5, showYear->height() / 2));
        QTest::mouseClick(title, Qt::LeftButton);
        if (TColorPalette* palette = title->Palette())
            QTest::mouseClick(palette->findChild<QToolButton*>("Swatch11"), Qt::LeftButton); // yellow
        depth->setValue(4);
        QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(calendar, Qt::RightButton, {}, QPoint(calendar->width() / 2, calendar->height() / 2));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu, calendar->ObjectMenu());
    QAction* properties = menu->actions().last();
    QCOMPARE(properties->text(), QString("Properties"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(properties).center());
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TFlatCalendarEditor"});
    QCOMPARE(calendar->Month(), 10);
    QCOMPARE(calendar->Year(), 2027);
    QCOMPARE(calendar->Language(), fclGerman);
    QVERIFY(calendar->ShowYear());
    QCOMPARE(calendar->TitleBGcolor(), clYellow);
    QCOMPARE(calendar->ShadowDepth(), 4);
    QVERIFY(main.Modified());

    // On the screen: the title band at the object's top left.
    const QRect shown = calendar->geometry();
    const QRect bounds = calendar->DocumentBounds();
    QCOMPARE(f.Page().grab(QRect(shown.topLeft() + QPoint(3, 3), QSize(1, 1))).toImage().pixelColor(0, 0),
             QColor(Qt::yellow));

    f.Trigger("mnuSave");
    QVERIFY(!main.Modified());
    TCalendarMain& again = f.Restart();
    QCOMPARE(again.CurrentFileName(), file);
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* read = dynamic_cast<TGFlatCalendar*>(f.Page().Objects().first());
    QVERIFY(read);
    QCOMPARE(read->DocumentBounds(), bounds);
    QCOMPARE(read->geometry(), shown);
    QCOMPARE(read->Language(), fclGerman);
    QCOMPARE(read->ShadowDepth(), 4);
    QCOMPARE(read->Month(), 10);
    QVERIFY(!again.Modified());

    // mvtool draws the saved page as the window shows it, and prints it.
    const QString png = f.Path("mini.png");
    QString errors;
    QCOMPARE(TMainWindowFixture::RunMvTool({"render", file, png, "--zoom", QString::number(zoom / 100.0)}, errors), 0);
    const QImage image(png);
    QVERIFY2(!image.isNull(), qPrintable(errors));
    QCOMPARE(image.pixelColor(shown.topLeft() + QPoint(3, 3)), QColor(Qt::yellow));
    // The shadow falls to the lower right, four pixels deep at full size.
    QCOMPARE(image.pixelColor(shown.bottomRight() - QPoint(1, 1)), QColor(Qt::black));
    // On paper at full size, from the page's corner: drawn at the screen's 96 pixels per inch,
    // the title band and the shadow stand at the calendar's full-size rectangle. Both mvtool and
    // the program's own "Save As PDF" print so, whatever the zoom shown.
    const auto checkPaper = [&](const QString& pdf) {
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains("Oktober") && text.contains("2027"), qPrintable(text));
        const QImage paper = PdfPageImage(pdf, f.Dir.path(), 96);
        QVERIFY(!paper.isNull());
        const auto near = [&paper](QPoint at, QColor colour) {
            const QColor pixel = paper.pixelColor(at);
            return qAbs(pixel.red() - colour.red()) < 40 && qAbs(pixel.green() - colour.green()) < 40 &&
                   qAbs(pixel.blue() - colour.blue()) < 40;
        };
        QVERIFY(near(bounds.topLeft() + QPoint(4, 4), Qt::yellow));
        QVERIFY(near(bounds.bottomRight() - QPoint(1, 1), Qt::black));
        QVERIFY(!near(bounds.topLeft() - QPoint(3, 3), Qt::yellow));
    };
    const QString rendered = f.Path("mini.pdf");
    QCOMPARE(TMainWindowFixture::RunMvTool({"render", file, rendered}, errors), 0);
    checkPaper(rendered);
    if (QTest::currentTestFailed())
        return;
    const QString saved = f.Path("saved.pdf");
    f.Ui.AnswerFileName(saved);
    f.Trigger("mnuSaveAsPdf");
    QVERIFY(f.Ui.Messages.isEmpty());
    checkPaper(saved);
    QVERIFY(!again.Modified());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

QObject* NewTestFlatCalendarMain()
{
    return new TestFlatCalendarMain;
}

#include "TestFlatCalendarMain.moc"
