// The calendar's undo history through the real main window: every kind of change is one step
// that undo takes back and redo makes again, byte for byte; the Edit menu and the tool bar name
// the step; the modified state follows the history; steps that fail add nothing.

#include "MainWindowFixture.h"
#include "app/CalendarDocument.h"
#include "app/CalendarMain.h"
#include "calendar/CalendarProperties.h"
#include "effects/GFlatCalendar.h"
#include "effects/GSuperText.h"
#include "objects/GHandle.h"
#include "objects/GImage.h"
#include "objects/GImageBrowser.h"
#include "objects/GPLabel.h"
#include "objects/GPRichBaseLabel.h"
#include "objects/TickCount.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"

#include <QCheckBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>

#include <functional>

namespace {

// March 2027 starts on a Monday: with weeks from Sunday, day 1 is cell 2.
constexpr int Month = 3;
constexpr int Year = 2027;
constexpr int TypingDay = 19;

void WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The page as a calendar file holds it: settings, date, start time, every cell's RTF, the user
// title and every object's stream record.
QByteArray PageBytes(TCalendarPanel32& page, const QString& fileName)
{
    page.SaveToFile(fileName);
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program on a March page with text in three cells and one object of every kind.
struct TUndoFixture {
    TMainWindowFixture F;
    TCalendarMain* Main = nullptr;
    TGPLabel* Label = nullptr;
    TGImage* Image = nullptr;
    TGPRichBaseLabel* Rich = nullptr;
    TGSuperText* Super = nullptr;
    TGFlatCalendar* Mini = nullptr;
    quint32 Tick = 100000;

    TUndoFixture()
    {
        OverrideTickCount(Tick);
        const QString file = F.Path("March.MVF");
        TMainWindowFixture::WriteCalendar(file, Month, Year, 3, "first");
        Main = &F.StartOnCalendar(file, 100);
        SetText(4, "second");
        SetText(10, "third");
        Label = Place(new TGPLabel(Main), 5);
        Label->SetCaption("Label");
        Image = Place(new TGImage(Main), 12);
        Rich = Place(new TGPRichBaseLabel(Main), 26);
        Super = Place(TGSuperText::CreateForTool(Main), 33);
        Mini = Place(new TGFlatCalendar(Main), 36);
        QImage picture(16, 12, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(F.Path("red.bmp"));
        QCoreApplication::processEvents();
        Main->Document().ResetHistory();
    }
    ~TUndoFixture() { OverrideTickCount(0); }

    TCalendarPanel32& Page() const { return F.Page(); }
    QUndoStack& History() const { return Main->Document().History(); }

    template <typename T>
    T* Place(T* object, int cell)
    {
        object->Loaded();
        const QPoint at = Page().CellRecord(cell).Whole.ToQRect().topLeft() + QPoint(4, 4);
        Page().PlaceObject(*object, QRect(at, QSize(70, 40)));
        return object;
    }

    void SetText(int cell, const QString& text)
    {
        TWPRtfStorage storage(nullptr);
        storage.RtfText().Document().setPlainText(text);
        Page().SetCellRtf(cell, storage);
    }

    void Advance(quint32 ms)
    {
        Tick += ms;
        OverrideTickCount(Tick);
    }

    // A click on the middle of `object`: it alone is selected.
    void Select(TGGraphicControl& object, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(&object, Qt::LeftButton, modifiers, object.rect().center());
        Advance(1000);
    }

    TGHandle& Handle() const { return *Page().SelectionHandle(); }

    // The item `caption` of the object's menu, or of one of its submenus, as a click runs it.
    void RunMenu(QMenu* menu, const QString& caption)
    {
        emit menu->aboutToShow();
        for (QAction* action : menu->actions()) {
            if (action->menu()) {
                RunMenuIn(action->menu(), caption);
            } else if (action->text() == caption) {
                action->trigger();
                return;
            }
        }
    }
    void RunMenuIn(QMenu* menu, const QString& caption)
    {
        for (QAction* action : menu->actions()) {
            if (action->text() == caption)
                action->trigger();
        }
    }
    void RunObjectMenu(TGGraphicControl& object, const QString& caption) { RunMenu(object.ObjectMenu(), caption); }

    // A drag of the selection handle with the left button by `distance`, from `from` in the
    // handle's coordinates.
    void DragHandle(QPoint from, QPoint distance)
    {
        // The pointer comes over the handle first: where it rests chooses moving or resizing.
        QMouseEvent hover(QEvent::MouseMove, from, Handle().mapToGlobal(from), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&Handle(), &hover);
        QTest::mousePress(&Handle(), Qt::LeftButton, {}, from);
        Advance(500);
        QTest::mouseMove(&Handle(), from + distance);
        QTest::mouseRelease(&Handle(), Qt::LeftButton, {}, from + distance);
        Advance(1000);
    }

    // Chooses `name` of the data folder in the next picture browser.
    void AnswerBrowser(const QString& name)
    {
        F.Ui.AnswerDialog([this, name](QDialog& dialog) {
            auto* browser = dynamic_cast<TGImageBrowser*>(&dialog);
            if (!browser)
                return int(QDialog::Rejected);
            browser->SetFolder(F.Path(""));
            return int(browser->SelectFile(name) ? QDialog::Accepted : QDialog::Rejected);
        });
    }

    // Accepts the next dialog after `set` changed its control `control`.
    template <typename T>
    void AnswerControl(const QString& okName, const QString& control, const std::function<void(T&)>& set)
    {
        AnswerWith(okName, [control, set](QDialog& dialog) {
            auto* widget = dialog.findChild<T*>(control);
            if (widget)
                set(*widget);
            return widget != nullptr;
        });
    }

    // Accepts the next dialog after `work` changed it; Rejected when `work` finds nothing to do.
    void AnswerWith(const QString& okName, const std::function<bool(QDialog&)>& work)
    {
        F.Ui.AnswerDialog([okName, work](QDialog& dialog) {
            if (!work(dialog))
                return int(QDialog::Rejected);
            QTest::mouseClick(dialog.findChild<QPushButton*>(okName), Qt::LeftButton);
            return dialog.result();
        });
    }
};

using TStepAction = std::function<void(TUndoFixture&)>;

} // namespace

Q_DECLARE_METATYPE(TStepAction)

class TestUndoHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void EveryStepUndoesAndRedoesByteForByte_data();
    void EveryStepUndoesAndRedoesByteForByte();
    void PlacedLabelDraggedUndoneRedoneAndSaved();
    void UndoToTheSavedStateIsUnmodified();
    void FailedStepsLeaveNoStep_data();
    void FailedStepsLeaveNoStep();
    void NoStepWithoutAChange_data();
    void NoStepWithoutAChange();
    void HistoryKeepsTheLatestSteps();
    void NudgesAfterAnUndoAreAStepOfTheirOwn();
    void TypingUndoesInTheEditorFirst();
};

void TestUndoHistory::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestUndoHistory::EveryStepUndoesAndRedoesByteForByte_data()
{
    QTest::addColumn<TStepAction>("action");
    QTest::addColumn<QString>("name");
    using F = TUndoFixture;
    const auto tool = [](const QString& button, int cell) {
        return [button, cell](F& f) {
            QTest::mouseClick(f.F.Widget<QToolButton>(button), Qt::LeftButton);
            const QPoint from = f.Page().CellRecord(cell).Whole.ToQRect().topLeft() + QPoint(3, 3);
            f.F.DragOnPage(from, from + QPoint(90, 50));
        };
    };
    const auto menu = [](auto object, const QString& caption) {
        return [object, caption](F& f) { f.RunObjectMenu(*(f.*object), caption); };
    };
    const auto panelMenu = [](const QString& caption) {
        return [caption](F& f) {
            f.Select(*f.Label);
            f.Select(*f.Mini, Qt::ShiftModifier);
            f.RunMenu(f.Page().PanelMenu(), caption);
        };
    };
    QTest::newRow("create a text label") << TStepAction([tool](F& f) {
        f.AnswerWith("OKButton", [](QDialog&) { return true; });
        tool("DrawLabelButton", 30)(f);
    }) << "Create";
    QTest::newRow("create a picture") << TStepAction([tool](F& f) {
        f.AnswerBrowser("red.bmp");
        tool("DrawImageButton", 30)(f);
    }) << "Create";
    QTest::newRow("create a mini calendar") << TStepAction(tool("PSpeedButton1", 30)) << "Create";
    QTest::newRow("move with the mouse") << TStepAction([](F& f) {
        f.Select(*f.Label);
        f.DragHandle(f.Handle().rect().center(), QPoint(30, 20));
    }) << "Move";
    QTest::newRow("resize with the mouse") << TStepAction([](F& f) {
        f.Select(*f.Label);
        f.DragHandle(f.Handle().rect().bottomRight(), QPoint(25, 15));
    }) << "Resize";
    QTest::newRow("nudges are one step") << TStepAction([](F& f) {
        f.Select(*f.Label);
        // Each nudge has ended (and been told) before the next starts, as when the user types.
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) {
            QTest::keyClick(&f.Handle(), key);
            QCoreApplication::processEvents();
        }
    }) << "Move";
    QTest::newRow("resize with the keyboard") << TStepAction([](F& f) {
        f.Select(*f.Label);
        QTest::keyClick(&f.Handle(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&f.Handle(), Qt::Key_Right, Qt::ShiftModifier);
    }) << "Resize";
    QTest::newRow("delete two objects") << TStepAction([](F& f) {
        f.Select(*f.Label);
        f.Select(*f.Mini, Qt::ShiftModifier);
        QTest::keyClick(&f.Handle(), Qt::Key_Delete);
    }) << "Delete 2 Objects";
    QTest::newRow("cut") << TStepAction([](F& f) {
        f.Select(*f.Label);
        QTest::keyClick(&f.Handle(), Qt::Key_X, Qt::ControlModifier);
    }) << "Cut";
    QTest::newRow("paste") << TStepAction([](F& f) {
        f.Select(*f.Label);
        QTest::keyClick(&f.Handle(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&f.Handle(), Qt::Key_V, Qt::ControlModifier);
    }) << "Paste";
    QTest::newRow("clone") << TStepAction(menu(&F::Label, "Clone")) << "Clone";
    QTest::newRow("bring to front") << TStepAction(menu(&F::Label, "Bring To Front")) << "Bring To Front";
    QTest::newRow("send to back") << TStepAction(menu(&F::Mini, "Send To Back")) << "Send To Back";
    QTest::newRow("lock") << TStepAction(menu(&F::Label, "Locked")) << "Locked";
    QTest::newRow("lock all") << TStepAction(panelMenu("Lock All")) << "Lock All";
    QTest::newRow("align") << TStepAction(panelMenu("Align Tops")) << "Align Tops";
    QTest::newRow("font of the selection") << TStepAction([](F& f) {
        f.F.Ui.AnswerFont({QFont("Times New Roman", 28), Qt::red});
        f.Select(*f.Label);
        f.RunMenu(f.Page().PanelMenu(), "Font");
    }) << "Font";
    QTest::newRow("centre") << TStepAction(menu(&F::Label, "Center Horizontally")) << "Center Horizontally";
    QTest::newRow("label text") << TStepAction([](F& f) {
        f.AnswerControl<QLineEdit>("OKButton", "LabelText", [](QLineEdit& text) { text.setText("Changed"); });
        f.RunObjectMenu(*f.Label, "Text");
    }) << "Text";
    QTest::newRow("label font") << TStepAction([](F& f) {
        f.F.Ui.AnswerFont({QFont("Courier New", 30), Qt::blue});
        f.RunObjectMenu(*f.Label, "Font");
    }) << "Font";
    QTest::newRow("label colour") << TStepAction([](F& f) {
        f.F.Ui.AnswerColor(Qt::yellow);
        f.RunObjectMenu(*f.Label, "Background Color");
    }) << "Background Color";
    QTest::newRow("label 3-D effects") << TStepAction([](F& f) {
        f.AnswerControl<QComboBox>("OKButton", "ShadowDirection", [](QComboBox& list) { list.setCurrentIndex(1); });
        f.RunObjectMenu(*f.Label, "3D Effects");
    }) << "3D Effects";
    QTest::newRow("label rotation") << TStepAction(menu(&F::Label, "90 Degrees")) << "90 Degrees";
    QTest::newRow("label border") << TStepAction(menu(&F::Label, "Border")) << "Border";
    QTest::newRow("picture loaded") << TStepAction([](F& f) {
        f.AnswerBrowser("red.bmp");
        f.RunObjectMenu(*f.Image, "Load Image From Disk");
    }) << "Load Image From Disk";
    QTest::newRow("picture stretch") << TStepAction(menu(&F::Image, "Stretch to Fit")) << "Stretch to Fit";
    QTest::newRow("rich text border") << TStepAction(menu(&F::Rich, "Border")) << "Border";
    QTest::newRow("special-effects settings") << TStepAction([](F& f) {
        f.AnswerWith("OKButton", [](QDialog& dialog) {
            auto* caption = dialog.findChild<QLineEdit*>("CaptionText");
            auto* depth = dialog.findChild<QSpinBox*>("ShadowDepthSpinner");
            if (!caption || !depth)
                return false;
            caption->setText("Effects");
            depth->setValue(4);
            return true;
        });
        f.RunObjectMenu(*f.Super, "Properties");
    }) << "Properties";
    QTest::newRow("mini calendar settings") << TStepAction([](F& f) {
        f.AnswerControl<QSpinBox>("OKButton", "YearSpinner", [](QSpinBox& year) { year.setValue(2031); });
        f.RunObjectMenu(*f.Mini, "Properties");
    }) << "Properties";
    QTest::newRow("page properties") << TStepAction([](F& f) {
        f.AnswerWith("okbutton", [](QDialog& dialog) {
            auto& properties = static_cast<TCalendarProperties&>(dialog);
            properties.ExampleCalendar().SetTitleBGColor(clAqua);
            properties.ExampleCalendar().SetStartTime(9.0 / 24);
            return true;
        });
        f.F.Trigger("mnuProperties");
    }) << "Properties";
    QTest::newRow("user title") << TStepAction([](F& f) {
        f.AnswerControl<QLineEdit>("okbutton", "TitleText", [](QLineEdit& text) { text.setText("Club Events"); });
        f.F.Trigger("mnuUserTitle");
    }) << "User Title";
    QTest::newRow("clear all cells") << TStepAction([](F& f) { f.F.Trigger("mnuClearAllCellContents"); })
                                     << "Clear All Cells";
    QTest::newRow("fill with recurring dates") << TStepAction([](F& f) {
        QCOMPARE(WriteRecurringDatesFile(RecurringDatesFileName(), {MakeRecord("Rent", "@0015")}), QString());
        f.F.Ui.AnswerDialog([](QDialog& dialog) {
            dialog.findChild<QPushButton*>("okbutton")->click();
            return dialog.result();
        });
        f.F.Trigger("mnuFillCalendarwithRecurringDates");
    }) << "Fill Calendar";
    QTest::newRow("import events") << TStepAction([](F& f) {
        WriteFile(f.F.Path("events.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mervane tests//EN\r\n"
                                          "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20270310\r\nSUMMARY:Dentist\r\n"
                                          "END:VEVENT\r\nEND:VCALENDAR\r\n");
        f.F.Ui.AnswerFileName(f.F.Path("events.ics"));
        f.F.Trigger("mnuImportEvents");
    }) << "Import Events";
    QTest::newRow("icon dropped into a cell") << TStepAction([](F& f) {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::green);
        QMimeData mime;
        mime.setImageData(icon);
        f.Page().repaint();
        const QPoint point = f.Page().CellRecord(f.Page().CellOfDay(TypingDay)).Whole.ToQRect().center();
        QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&f.Page(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&f.Page(), &drop);
        QVERIFY(drop.isAccepted());
    }) << "Drop Icon in " + QString::number(TypingDay) + " March";
    QTest::newRow("typing in a cell") << TStepAction([](F& f) {
        f.F.ClickCell(f.Page().CellOfDay(TypingDay));
        QTest::keyClicks(&f.F.Editor(), "typed");
        f.F.ClickCell(f.Page().CellOfDay(TypingDay + 1));
    }) << "Typing in " + QString::number(TypingDay) + " March";
}

void TestUndoHistory::EveryStepUndoesAndRedoesByteForByte()
{
    QFETCH(TStepAction, action);
    QFETCH(QString, name);
    TUndoFixture f;
    const QString scratch = f.F.Path("scratch.MVF");
    const QByteArray before = PageBytes(f.Page(), scratch);
    QCOMPARE(f.History().count(), 0);
    QVERIFY(!f.F.Action("mnuUndo")->isEnabled());

    action(f);
    QCoreApplication::processEvents(); // the step of an object change is recorded after its event
    QVERIFY(f.F.Ui.Unexpected.isEmpty());
    QCOMPARE(f.History().count(), 1);
    QCOMPARE(f.F.Action("mnuUndo")->text(), "&Undo " + name);
    QVERIFY(f.F.Action("mnuUndo")->isEnabled());
    QVERIFY(!f.F.Action("mnuRedo")->isEnabled());
    QCOMPARE(f.F.Widget<QToolButton>("UndoButton")->toolTip(), "Undo " + name + " (Ctrl+Z)");
    QVERIFY(f.Main->Modified());
    const QByteArray after = PageBytes(f.Page(), scratch);
    QVERIFY(after != before);

    f.F.Trigger("mnuUndo");
    QCOMPARE(PageBytes(f.Page(), scratch), before);
    QVERIFY(!f.Main->Modified());
    QCOMPARE(f.F.Action("mnuRedo")->text(), "&Redo " + name);
    QVERIFY(!f.F.Action("mnuUndo")->isEnabled());

    f.F.Trigger("mnuRedo");
    QCOMPARE(PageBytes(f.Page(), scratch), after);
    QVERIFY(f.Main->Modified());
    // Again, now that the objects undo made are the ones being changed back.
    f.F.Trigger("mnuUndo");
    QCOMPARE(PageBytes(f.Page(), scratch), before);
    f.F.Trigger("mnuRedo");
    QCOMPARE(PageBytes(f.Page(), scratch), after);
    QCOMPARE(f.History().count(), 1);
    QVERIFY(f.F.Ui.Unexpected.isEmpty());
}

void TestUndoHistory::PlacedLabelDraggedUndoneRedoneAndSaved()
{
    TUndoFixture f;
    for (TGGraphicControl* object : f.Page().Objects())
        delete object;
    f.Main->Document().ResetHistory();
    QTest::mouseClick(f.F.Widget<QToolButton>("DrawLabelButton"), Qt::LeftButton);
    f.AnswerWith("OKButton", [](QDialog& dialog) {
        auto* text = dialog.findChild<QLineEdit*>("LabelText");
        if (text)
            text->setText("Meeting");
        return text != nullptr;
    });
    const QPoint from = f.Page().CellRecord(16).Whole.ToQRect().topLeft() + QPoint(3, 3);
    f.F.DragOnPage(from, from + QPoint(100, 40));
    QCOMPARE(f.Page().Objects().size(), 1);
    auto* label = dynamic_cast<TGPLabel*>(f.Page().Objects().first());
    QVERIFY(label);
    QCoreApplication::processEvents();
    const QRect placed = label->DocumentBounds();
    // The label's text dialog had the focus; the window takes it back as it does on the desktop.
    f.Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.Main));

    f.Select(*label);
    f.DragHandle(f.Handle().rect().center(), QPoint(50, 0));
    QCoreApplication::processEvents();
    QCOMPARE(label->DocumentBounds(), placed.translated(50, 0));
    QCOMPARE(f.History().count(), 2);
    QCOMPARE(f.F.Widget<QToolButton>("UndoButton")->toolTip(), QString("Undo Move (Ctrl+Z)"));

    // Ctrl+Z puts it back, Ctrl+Z again removes it; the menu names what comes next.
    QTest::keyClick(&f.Page(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.Page().Objects().size(), 1);
    QCOMPARE(f.Page().Objects().first()->DocumentBounds(), placed);
    QCOMPARE(f.F.Action("mnuUndo")->text(), QString("&Undo Create"));
    QCOMPARE(f.F.Action("mnuRedo")->text(), QString("&Redo Move"));
    QTest::keyClick(&f.Page(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(f.Page().Objects().isEmpty());
    QVERIFY(!f.F.Action("mnuUndo")->isEnabled());
    QVERIFY(!f.F.Widget<QToolButton>("UndoButton")->isEnabled());
    QVERIFY(!f.Main->Modified());

    // Ctrl+Y twice: placed, then where it was dragged; the tool bar's Redo is spent.
    QTest::keyClick(&f.Page(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.Page().Objects().size(), 1);
    QTest::mouseClick(f.F.Widget<QToolButton>("RedoButton"), Qt::LeftButton);
    QCOMPARE(f.Page().Objects().size(), 1);
    QCOMPARE(f.Page().Objects().first()->DocumentBounds(), placed.translated(50, 0));
    QVERIFY(!f.F.Widget<QToolButton>("RedoButton")->isEnabled());
    QVERIFY(f.Main->Modified());

    f.F.Trigger("mnuSave");
    QVERIFY(!f.Main->Modified());
    QString errors;
    QString output;
    QCOMPARE(TMainWindowFixture::RunMvTool({"info", f.Main->CurrentFileName()}, errors, &output), 0);
    const QJsonArray objects = QJsonDocument::fromJson(output.toUtf8()).object()["objects"].toArray();
    QCOMPARE(objects.size(), 1);
    const QJsonObject properties = objects[0].toObject()["properties"].toObject();
    QCOMPARE(properties["Caption"].toString(), QString("Meeting"));
    QCOMPARE(properties["Left"].toInt(), placed.x() + 50);
    QCOMPARE(properties["Top"].toInt(), placed.y());
}

void TestUndoHistory::UndoToTheSavedStateIsUnmodified()
{
    TUndoFixture f;
    f.Main->CalendarPanel().SetUserTitle("");
    f.AnswerWith("okbutton", [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("TitleText")->setText("Saved title");
        return true;
    });
    f.F.Trigger("mnuUserTitle");
    f.F.Trigger("mnuSave");
    f.F.Trigger("mnuClearAllCellContents");
    QVERIFY(f.Main->Modified());
    QVERIFY(f.Main->windowTitle().endsWith(" *"));
    QVERIFY(f.F.Widget<QToolButton>("Savebutton")->isVisible());

    // Back to what was saved: unmodified, caption and Save button included.
    f.F.Trigger("mnuUndo");
    QVERIFY(!f.Main->Modified());
    QVERIFY(!f.Main->windowTitle().contains('*'));
    QVERIFY(!f.F.Widget<QToolButton>("Savebutton")->isVisible());
    // One more undo leaves it again, and closing asks.
    f.F.Trigger("mnuUndo");
    QVERIFY(f.Main->Modified());
    QVERIFY(f.Main->windowTitle().endsWith(" *"));
    f.F.Ui.CancelQuestion();
    QVERIFY(!f.F.Close());
    QCOMPARE(f.F.Ui.Questions.size(), 1);
    QCOMPARE(f.F.Ui.Questions.first().Text, QString("Save changes?"));
    // Redone to the saved step, it closes without a question.
    f.F.Trigger("mnuRedo");
    QVERIFY(!f.Main->Modified());
    QVERIFY(f.F.Close());
    QCOMPARE(f.F.Ui.Questions.size(), 1);
    QVERIFY(f.F.Ui.Unexpected.isEmpty());
}

void TestUndoHistory::FailedStepsLeaveNoStep_data()
{
    QTest::addColumn<TStepAction>("action");
    QTest::newRow("picture file that cannot be read") << TStepAction([](TUndoFixture& f) {
        WriteFile(f.F.Path("damaged.bmp"), "BM not a bitmap at all");
        f.AnswerBrowser("damaged.bmp");
        f.RunObjectMenu(*f.Image, "Load Image From Disk");
    });
    QTest::newRow("recurring-dates file that cannot be read") << TStepAction([](TUndoFixture& f) {
        // A folder where the file should be: it exists and cannot be read.
        QVERIFY(QDir().mkpath(RecurringDatesFileName()));
        f.F.Trigger("mnuFillCalendarwithRecurringDates");
    });
    QTest::newRow("events file that cannot be read") << TStepAction([](TUndoFixture& f) {
        WriteFile(f.F.Path("damaged.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n");
        f.F.Ui.AnswerFileName(f.F.Path("damaged.ics"));
        f.F.Trigger("mnuImportEvents");
    });
}

void TestUndoHistory::FailedStepsLeaveNoStep()
{
    QFETCH(TStepAction, action);
    TUndoFixture f;
    const QByteArray before = PageBytes(f.Page(), f.F.Path("scratch.MVF"));
    action(f);
    QCoreApplication::processEvents();
    QCOMPARE(f.F.Ui.Messages.size(), 1); // the user hears why
    QCOMPARE(f.History().count(), 0);
    QVERIFY(!f.F.Action("mnuUndo")->isEnabled());
    QVERIFY(!f.Main->Modified());
    QCOMPARE(PageBytes(f.Page(), f.F.Path("scratch.MVF")), before);
}

void TestUndoHistory::NoStepWithoutAChange_data()
{
    QTest::addColumn<TStepAction>("action");
    QTest::newRow("3-D effects left as they were") << TStepAction([](TUndoFixture& f) {
        f.AnswerWith("OKButton", [](QDialog&) { return true; });
        f.RunObjectMenu(*f.Label, "3D Effects");
    });
    QTest::newRow("page properties left as they were") << TStepAction([](TUndoFixture& f) {
        f.AnswerWith("okbutton", [](QDialog&) { return true; });
        f.F.Trigger("mnuProperties");
    });
    QTest::newRow("a cell entered and left") << TStepAction([](TUndoFixture& f) {
        f.F.ClickCell(f.Page().CellOfDay(TypingDay));
        f.F.ClickCell(f.Page().CellOfDay(TypingDay + 1));
        f.F.Trigger("mnuClearAllCellContents"); // a step that follows takes nothing of the cell along
        f.F.Trigger("mnuUndo");
    });
}

void TestUndoHistory::NoStepWithoutAChange()
{
    QFETCH(TStepAction, action);
    TUndoFixture f;
    const QByteArray before = PageBytes(f.Page(), f.F.Path("scratch.MVF"));
    action(f);
    QCoreApplication::processEvents();
    QVERIFY(f.F.Ui.Unexpected.isEmpty());
    QVERIFY(!f.F.Action("mnuUndo")->isEnabled());
    QVERIFY(!f.Main->Modified());
    QCOMPARE(PageBytes(f.Page(), f.F.Path("scratch.MVF")), before);
}

void TestUndoHistory::HistoryKeepsTheLatestSteps()
{
    TUndoFixture f;
    TCalendarDocument& document = f.Main->Document();
    const int steps = TCalendarDocument::HistoryLimit + 5;
    for (int i = 1; i <= steps; ++i) {
        f.Page().SetUserTitle(QString("Title %1").arg(i));
        document.RecordStep("User Title");
    }
    QCOMPARE(f.History().count(), TCalendarDocument::HistoryLimit);
    while (f.History().canUndo())
        f.F.Trigger("mnuUndo");
    // The oldest five went first; the state they started from is no longer reachable.
    QCOMPARE(f.Page().UserTitle(), QString("Title 5"));
    QVERIFY(f.Main->Modified());
}

// A run of nudges ends with any other step or an undo: nudging the same selection again after
// undoing the step above the run starts a new step instead of growing the old one.
void TestUndoHistory::NudgesAfterAnUndoAreAStepOfTheirOwn()
{
    TUndoFixture f;
    // Undo puts back a moved object as a new one read from its record: find it by its name.
    const QString name = f.Label->Name();
    const auto label = [&f, &name] {
        for (TGGraphicControl* object : f.Page().Objects()) {
            if (object->Name() == name)
                return object;
        }
        return static_cast<TGGraphicControl*>(nullptr);
    };
    const auto nudgeRight = [&f] {
        QTest::keyClick(&f.Handle(), Qt::Key_Right);
        QCoreApplication::processEvents();
    };
    const QPoint start = label()->pos();
    f.Select(*label());
    nudgeRight();
    const QPoint afterFirstRun = label()->pos();
    QVERIFY(afterFirstRun != start);
    f.Page().SetUserTitle("Between");
    f.Main->Document().RecordStep("User Title");
    f.F.Trigger("mnuUndo");
    QCOMPARE(f.History().count(), 2);

    f.Select(*label()); // undo leaves nothing selected
    nudgeRight();
    QVERIFY(label()->pos() != afterFirstRun);
    QCOMPARE(f.History().count(), 2); // the title step, undone, gave way to the new run
    f.F.Trigger("mnuUndo");
    QCOMPARE(label()->pos(), afterFirstRun);
    f.F.Trigger("mnuUndo");
    QCOMPARE(label()->pos(), start);
}

void TestUndoHistory::TypingUndoesInTheEditorFirst()
{
    TUndoFixture f;
    const int cell = f.Page().CellOfDay(TypingDay);
    f.F.ClickCell(cell);
    QTest::keyClicks(&f.F.Editor(), "abc");
    QVERIFY(f.Main->Modified());
    // The editor's own undo while it has the focus: nothing of the history is taken back.
    QTest::keyClick(&f.F.Editor(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!f.F.Editor().Text().Document().toPlainText().contains("abc"));
    QCOMPARE(f.History().count(), 0);
    QTest::keyClicks(&f.F.Editor(), "xy");
    // Leaving the cell makes the typing one step, which Undo takes back in the cell.
    f.F.ClickCell(f.Page().CellOfDay(TypingDay + 1));
    QCOMPARE(f.History().count(), 1);
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), cell).trimmed(), QString("xy"));
    f.F.Trigger("mnuUndo");
    QCOMPARE(TMainWindowFixture::CellText(f.Page(), cell).trimmed(), QString());
    QVERIFY(!f.Main->Modified());
}

QTEST_MAIN(TestUndoHistory)
#include "TestUndoHistory.moc"
