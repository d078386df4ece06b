// The special-effects text through the real main window: placed with its tool button and the
// mouse (its properties dialog opens at once), changed through its menu, saved, reopened, and
// drawn by mvtool and the program's own PDF output where it stands on the screen; a file's
// transparent letters without outline opened and saved as they are.

#include "../common/FileBytes.h"
#include "../common/PdfTools.h"
#include "MainWindowFixture.h"

#include "effects/GSuperText.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

// Longer than the object is wide at any zoom: the letters shown run up to its right side.
const char* const LongCaption = "MMMMMMMMMMMM";

bool IsBlue(QColor c)
{
    return c.blue() > 180 && c.red() < 90 && c.green() < 90;
}

bool IsYellow(QColor c)
{
    return c.red() > 180 && c.green() > 180 && c.blue() < 90;
}

// True when some pixel of `area` in `image` passes `test`.
template <class TTest>
bool AnyPixel(const QImage& image, QRect area, TTest test)
{
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

// The letters of the default gradient run from blue on the left to yellow on the right.
bool ShowsTheGradientLetters(const QImage& image, QRect object)
{
    const int quarter = object.width() / 4;
    const QRect left(object.left(), object.top(), quarter, object.height());
    const QRect right(object.right() - quarter, object.top(), quarter, object.height());
    return AnyPixel(image, left, IsBlue) && !AnyPixel(image, left, IsYellow) && AnyPixel(image, right, IsYellow) &&
           !AnyPixel(image, right, IsBlue);
}

} // namespace

class TestSuperTextMain : public QObject {
    Q_OBJECT

private slots:
    void PlacedChangedSavedReopenedAndPrinted_data();
    void PlacedChangedSavedReopenedAndPrinted();
    void TransparentLettersWithoutOutlineSavedAsRead();
};

void TestSuperTextMain::PlacedChangedSavedReopenedAndPrinted_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("100%") << 100;
    QTest::newRow("60%") << 60;
}

void TestSuperTextMain::PlacedChangedSavedReopenedAndPrinted()
{
    QFETCH(int, zoom);
    TMainWindowFixture f;
    const QString file = f.Path("effects.MVF");
    TMainWindowFixture::WriteCalendar(file, 10, 2027, 1, "");
    TCalendarMain& main = f.StartOnCalendar(file, zoom);
    QCOMPARE(main.ZoomPercent(), zoom);

    // The tool button, a rectangle dragged on the page, and the properties dialog at once.
    auto* tool = f.Widget<QToolButton>("DrawSuperText");
    QTest::mouseClick(tool, Qt::LeftButton);
    QCOMPARE(f.Page().PanelState(), psSuperText);
    f.Ui.AnswerDialog([](QDialog& dialog) {
        auto* caption = dialog.findChild<QLineEdit*>("CaptionText");
        auto* depth = dialog.findChild<QSpinBox*>("ShadowDepthSpinner");
        if (!caption || !depth)
            return int(QDialog::Rejected);
        caption->selectAll();
        QTest::keyClicks(caption, LongCaption);
        depth->setValue(4);
        QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        return dialog.result();
    });
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    const QPoint to = from + QPoint(300, 90);
    f.DragOnPage(from, to);
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TSuperTextProperties"});
    QCOMPARE(f.Page().PanelState(), psPointing);
    QVERIFY(f.Widget<QToolButton>("Pointerbutton")->isChecked());
    QVERIFY(!tool->isChecked());
    QVERIFY(main.Modified());
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* text = dynamic_cast<TGSuperText*>(f.Page().Objects().first());
    QVERIFY(text);
    QCOMPARE(text->Caption(), QString(LongCaption));
    QCOMPARE(text->ShadowDepth(), 4);
    QCOMPARE(text->geometry().topLeft(), from);
    QCOMPARE(text->BorderStyle(), bsSingle);

    // "Border" of its menu takes the frame away.
    main.SetModified(false);
    QTest::mouseClick(text, Qt::RightButton, {}, QPoint(text->width() / 2, text->height() / 2));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction* border = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == "Border")
            border = action;
    }
    QVERIFY(border);
    QVERIFY(border->isChecked());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(border).center());
    QCOMPARE(text->BorderStyle(), bsNone);
    QVERIFY(main.Modified());

    const QRect shown = text->geometry();
    const QRect bounds = text->DocumentBounds();
    QVERIFY(ShowsTheGradientLetters(f.Page().grab().toImage(), shown));

    f.Trigger("mnuSave");
    QVERIFY(!main.Modified());
    TCalendarMain& again = f.Restart();
    QCOMPARE(again.CurrentFileName(), file);
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* read = dynamic_cast<TGSuperText*>(f.Page().Objects().first());
    QVERIFY(read);
    QCOMPARE(read->Caption(), QString(LongCaption));
    QCOMPARE(read->ShadowDepth(), 4);
    QCOMPARE(read->BorderStyle(), bsNone);
    QCOMPARE(read->geometry(), shown);
    QVERIFY(!again.Modified());

    // mvtool draws the saved page as the window shows it.
    const QString png = f.Path("effects.png");
    QString errors;
    QCOMPARE(TMainWindowFixture::RunMvTool({"render", file, png, "--zoom", QString::number(zoom / 100.0)}, errors), 0);
    const QImage image(png);
    QVERIFY2(!image.isNull(), qPrintable(errors));
    QVERIFY(ShowsTheGradientLetters(image, shown));

    // On paper at full size, whatever the zoom shown: the letters filled as on the screen, by
    // mvtool and by "Save As PDF".
    const auto checkPaper = [&](const QString& pdf) {
        const QImage paper = PdfPageImage(pdf, f.Dir.path(), 96);
        QVERIFY(!paper.isNull());
        QVERIFY(ShowsTheGradientLetters(paper, bounds));
    };
    const QString rendered = f.Path("effects.pdf");
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

// A special-effects text whose letters are neither filled nor outlined (only its frame and
// background show) is opened as the file holds it; the file the program saves reads back and
// saves again byte for byte.
void TestSuperTextMain::TransparentLettersWithoutOutlineSavedAsRead()
{
    TMainWindowFixture f;
    const QString file = f.Path("invisible.MVF");
    {
        TCalendarPanel32 page(nullptr);
        page.ResetToDefaults();
        page.SetCalendarLayout(LOFullCalendarLS);
        auto* text = new TGSuperText(nullptr);
        page.PlaceObject(*text, {40, 30, 300, 90});
        text->SetSurfaceType(stBrushTransparent);
        text->SetOutlineStyle(psClear);
        page.SaveToFile(file);
    }
    const QString saved = f.Path("saved.MVF");
    const QString again = f.Path("again.MVF");
    for (const QString& fileName : {file, saved}) {
        if (fileName == file)
            f.Start(fileName);
        else
            f.Restart(fileName);
        QCOMPARE(f.Page().Objects().size(), 1);
        auto* read = dynamic_cast<TGSuperText*>(f.Page().Objects().first());
        QVERIFY(read);
        QCOMPARE(read->SurfaceType(), stBrushTransparent);
        QCOMPARE(read->OutlineStyle(), psClear);
        f.Ui.AnswerFileName(fileName == file ? saved : again);
        f.Trigger("mnuSaveAs");
    }
    QCOMPARE(FileBytes(again).toHex(), FileBytes(saved).toHex());
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

QObject* NewTestSuperTextMain()
{
    return new TestSuperTextMain;
}

#include "TestSuperTextMain.moc"
