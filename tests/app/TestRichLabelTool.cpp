// The rich-text tool through the real main window: a dragged rectangle places a rich label and
// opens its editor, the label's menu works, and the calendar saves, reopens and shows the label
// where it stood on the page and in the PDF mvtool prints from the file.

#include "../common/PdfTools.h"
#include "MainWindowFixture.h"

#include "objects/GPRichBaseLabel.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

namespace {

// Opens the object menu of `object` with a right click and chooses `caption` with the mouse.
void ChooseFromObjectMenu(TGGraphicControl& object, const QString& caption)
{
    QTest::mousePress(&object, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&object, Qt::RightButton, {}, QPoint(5, 5));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu, object.ObjectMenu());
    for (QAction* action : menu->actions()) {
        if (action->text() == caption) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            QVERIFY(!menu->isVisible());
            return;
        }
    }
    QFAIL(qPrintable("no menu item " + caption));
}

// Answers the next editor dialog: replaces the text with `text` (unless empty) and leaves with
// Ok or Cancel; `zoom` gets the editor's zoom.
void AnswerEditor(TMainWindowFixture& f, const QString& text, bool ok, int* zoom = nullptr)
{
    f.Ui.AnswerDialog([text, ok, zoom](QDialog& dialog) {
        auto* editor = dialog.findChild<TWPRichText*>("WPRichText1");
        if (zoom)
            *zoom = editor->Zoom();
        if (!text.isEmpty()) {
            editor->SelectAll();
            QTest::keyClicks(editor, text);
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "OKButton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
}

QString LabelText(const TGGraphicControl* object)
{
    const auto* label = dynamic_cast<const TGPRichBaseLabel*>(object);
    return label ? label->RTFText().Document().toPlainText() : QString("(no rich label)");
}

} // namespace

class TestRichLabelTool : public QObject {
    Q_OBJECT

private slots:
    void ToolPlacesEditsSavesAndReopens();
    void CancelledEditorLeavesTheLabelPlacedAndEmpty();
};

void TestRichLabelTool::ToolPlacesEditsSavesAndReopens()
{
    TMainWindowFixture f;
    const QString file = f.Path("rich.MVF");
    TCalendarMain& main = f.StartOnMonth(file, 10, 2027);
    QCOMPARE(f.Page().Zoom(), 0.6f);

    // The tool, a dragged rectangle, and the editor at once, at the page's zoom.
    int editorZoom = 0;
    AnswerEditor(f, "Team meeting", true, &editorZoom);
    QTest::mouseClick(f.Widget<QToolButton>("DrawRichText"), Qt::LeftButton);
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    f.DragOnPage(from, from + QPoint(150, 40));
    QCOMPARE(f.Ui.DialogsShown, QStringList{"TRichTextLabelEditor"});
    QCOMPARE(editorZoom, 60);
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* label = dynamic_cast<TGPRichBaseLabel*>(f.Page().Objects().first());
    QVERIFY(label);
    QCOMPARE(LabelText(label), QString("Team meeting"));
    QCOMPARE(label->geometry(), QRect(from, QSize(150, 40)));
    QVERIFY(!label->Transparent());
    QCOMPARE(label->BorderStyle(), bsSingle);
    QCOMPARE(label->Master(), main.findChild<TWPRichText*>("MASTERWPRICHTEXT"));
    // Back in selection mode, the calendar changed.
    QCOMPARE(f.Page().PanelState(), psPointing);
    QVERIFY(f.Widget<QToolButton>("Pointerbutton")->isChecked());
    QVERIFY(main.Modified());

    // "Transparent" changes the look only; a background colour is a change and ends transparency.
    main.SetModified(false);
    ChooseFromObjectMenu(*label, "Transparent");
    QVERIFY(label->Transparent());
    QVERIFY(!main.Modified());
    f.Ui.AnswerColor(QColor(255, 255, 0));
    ChooseFromObjectMenu(*label, "Background Color");
    QCOMPARE(label->BGColor(), clYellow);
    QVERIFY(!label->Transparent());
    QVERIFY(main.Modified());
    AnswerEditor(f, "Team meeting at noon", true);
    ChooseFromObjectMenu(*label, "Edit");
    QCOMPARE(LabelText(label), QString("Team meeting at noon"));

    // Saved at full size whatever the zoom, reopened at the start.
    const QRect document = label->DocumentBounds();
    const QString saved = f.Path("saved.MVF");
    f.Ui.AnswerFileName(saved);
    f.Trigger("mnuSaveAs");
    QVERIFY(!main.Modified());
    TCalendarMain& reopened = f.Restart();
    QCOMPARE(reopened.CurrentFileName(), saved);
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* read = dynamic_cast<TGPRichBaseLabel*>(f.Page().Objects().first());
    QVERIFY(read);
    QCOMPARE(LabelText(read), QString("Team meeting at noon"));
    QCOMPARE(read->DocumentBounds(), document);
    QCOMPARE(read->BGColor(), clYellow);
    QVERIFY(!reopened.Modified());

    // Shown where it stood, at 60 % and at 100 %: yellow inside its border, text in it.
    for (const char* step : {"", "ZoomPlusButton"}) {
        if (*step) {
            for (int i = 0; i < 4; ++i)
                QTest::mouseClick(f.Widget<QToolButton>(step), Qt::LeftButton);
            QCOMPARE(f.Page().Zoom(), 1.0f);
        }
        const float zoom = f.Page().Zoom();
        const QRect shown(int(std::nearbyint(document.x() * zoom)), int(std::nearbyint(document.y() * zoom)),
                          int(std::nearbyint(document.width() * zoom)), int(std::nearbyint(document.height() * zoom)));
        QCOMPARE(read->geometry(), shown);
        const QImage page = f.Page().grab().toImage();
        QCOMPARE(page.pixelColor(shown.right() - 2, shown.bottom() - 2), QColor(Qt::yellow));
        QVERIFY(qGray(page.pixel(shown.left(), shown.center().y())) < 100); // the border
        int dark = 0;
        for (int y = shown.top() + 2; y < shown.bottom() - 1; ++y) {
            for (int x = shown.left() + 2; x < shown.right() - 1; ++x)
                dark += qGray(page.pixel(x, y)) < 100;
        }
        QVERIFY2(dark > 10, "no text shown in the label");
    }

    // Printed at full size, the text where the label stands: by mvtool from the saved file, and
    // by the program's "Save As PDF" at 60 %.
    const auto checkPdf = [&](const QString& pdf) {
        const QRectF word = PdfWordBox(pdf, "Team");
        QVERIFY2(!word.isEmpty(), "the label's text is not in the PDF");
        const double left = document.x() * 72.0 / 96;
        const double top = document.y() * 72.0 / 96;
        QVERIFY2(word.left() >= left - 0.5 && word.left() <= left + 4, qPrintable(QString::number(word.left())));
        QVERIFY2(word.top() >= top - 0.5 && word.top() <= top + 8, qPrintable(QString::number(word.top())));
    };
    const QString rendered = f.Path("rendered.pdf");
    QProcess render;
    render.start(QCoreApplication::applicationDirPath() + "/mvtool", {"render", saved, rendered});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    checkPdf(rendered);
    if (QTest::currentTestFailed())
        return;
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(f.Widget<QToolButton>("ZoomMinusButton"), Qt::LeftButton);
    QCOMPARE(f.Page().Zoom(), 0.6f);
    const QString pdf = f.Path("saved.pdf");
    f.Ui.AnswerFileName(pdf);
    f.Trigger("mnuSaveAsPdf");
    QVERIFY(f.Ui.Messages.isEmpty());
    checkPdf(pdf);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

void TestRichLabelTool::CancelledEditorLeavesTheLabelPlacedAndEmpty()
{
    TMainWindowFixture f;
    TCalendarMain& main = f.StartOnMonth(f.Path("cancel.MVF"), 10, 2027);
    AnswerEditor(f, "Never taken", false);
    QTest::mouseClick(f.Widget<QToolButton>("DrawRichText"), Qt::LeftButton);
    const QPoint from = f.Page().CellRecord(9).Whole.ToQRect().topLeft() + QPoint(3, 3);
    QTest::mousePress(&f.Page(), Qt::LeftButton, {}, from);
    QTest::mouseRelease(&f.Page(), Qt::LeftButton, {}, from + QPoint(10, 5));
    QCOMPARE(f.Page().Objects().size(), 1);
    // A small drag is enlarged as for every object; the text stays empty.
    QCOMPARE(f.Page().Objects().first()->size(), QSize(50, 15));
    QCOMPARE(LabelText(f.Page().Objects().first()), QString());
    QVERIFY(main.Modified());
    QCOMPARE(f.Page().PanelState(), psPointing);
    QVERIFY(f.Ui.Unexpected.isEmpty());
}

QObject* NewTestRichLabelTool()
{
    return new TestRichLabelTool;
}

#include "TestRichLabelTool.moc"
