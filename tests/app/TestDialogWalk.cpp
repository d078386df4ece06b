// Walks every dialog and window of the program, each opened the way the user opens it (menus,
// tools, object menus and the buttons of other dialogs, through the UI services), and checks that
// each shows all of its controls whole. The walk is complete when it has met every dialog class
// of the source tree. A second walk tabs through every dialog. CTest runs both at 100 % and again
// at QT_SCALE_FACTOR=1.5.
// With MERVANE_WALK_SHOTS naming a folder, each window's picture is saved there as CLASS.png.

#include "MainWindowFixture.h"
#include "KeyboardCheck.h"
#include "WindowLayoutCheck.h"

#include "objects/GGraphicControl.h"
#include "platform/ProgramFolders.h"
#include "platformui/FontDialog.h"
#include "platformui/HelpWindow.h"
#include "platformui/QuestionBox.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"

#include <QDialog>
#include <QDirIterator>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include <functional>
#include <map>

namespace {

// The dialog classes declared in the source tree: every class derived, directly or through
// others, from QDialog.
QStringList SourceDialogClasses()
{
    std::map<QString, QString> baseOf;
    const QRegularExpression declaration(R"(class\s+(T\w+)\s*:\s*public\s+(\w+))");
    QDirIterator headers(MERVANE_SOURCE_DIR, {"*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (headers.hasNext()) {
        QFile file(headers.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : declaration.globalMatch(text))
            baseOf[match.captured(1)] = match.captured(2);
    }
    QStringList dialogs;
    for (const auto& [name, base] : baseOf) {
        QString ancestor = base;
        while (baseOf.count(ancestor))
            ancestor = baseOf[ancestor];
        if (ancestor == "QDialog")
            dialogs += name;
    }
    return dialogs;
}

// The scroll boxes meant to scroll: the page, at every zoom, and the large white area the
// texture example stands on.
const QStringList Scrolling{"ScrollBox2", "ExampleBox"};

class TWalk {
public:
    // Runs `check` on each window met.
    TWalk(TMainWindowFixture& f, std::function<QStringList(QWidget&)> check)
        : m_F(f)
        , m_Check(std::move(check))
    {
    }

    // Opens a dialog through `open` and inspects it, and the dialogs its buttons open.
    void Open(const std::function<void()>& open)
    {
        QueueInspection();
        open();
    }

    // Checks a window that is not modal (the main window, tool windows).
    void Inspect(QWidget& window, const QString& name)
    {
        QCoreApplication::processEvents();
        Record(window, name, m_Check(window));
    }

    QStringList Faults;
    QStringList Seen;

private:
    void QueueInspection()
    {
        m_F.Ui.AnswerDialog([this](QDialog& dialog) {
            InspectDialog(dialog);
            return int(QDialog::Rejected);
        });
    }

    void InspectDialog(QDialog& dialog)
    {
        const QString name = dialog.metaObject()->className();
        QCoreApplication::processEvents();
        Record(dialog, name, m_Check(dialog));
        // The surfaces of special-effects text each show their own panel.
        if (auto* surfaces = dialog.findChild<QListWidget*>("SurfaceTypeCombo")) {
            for (int row = 1; row < surfaces->count(); ++row) {
                surfaces->setCurrentRow(row);
                Record(dialog, name + "-" + surfaces->item(row)->text(), m_Check(dialog));
            }
            surfaces->setCurrentRow(0);
        }
        for (const QString& opener : NestedOpeners(name)) {
            auto* button = dialog.findChild<QPushButton*>(opener);
            if (!button) {
                Faults += name + ": no button " + opener;
                continue;
            }
            EnableByLayout(dialog, *button);
            QueueInspection();
            button->click();
        }
    }

    // The buttons of a dialog that open further dialogs.
    static QStringList NestedOpeners(const QString& dialog)
    {
        static const std::map<QString, QStringList> openers{
            {"TSuperTextProperties", {"SelectSymbolbutton", "LoadImageButton"}},
            {"TEditRecurringDates", {"Newbutton", "Holidaysbutton"}},
            {"TCalendarProperties", {"StartingtimeButton"}},
        };
        const auto found = openers.find(dialog);
        return found == openers.end() ? QStringList() : found->second;
    }

    // A button that only some page layouts enable (the planners' starting time): the first such
    // layout is chosen.
    static void EnableByLayout(QDialog& dialog, QPushButton& button)
    {
        auto* layouts = dialog.findChild<QListWidget*>("LayoutList");
        for (int row = 0; layouts && !button.isEnabled() && row < layouts->count(); ++row)
            layouts->setCurrentRow(row);
    }

    void Record(QWidget& window, const QString& name, const QStringList& faults)
    {
        for (const QMetaObject* type = window.metaObject(); type; type = type->superClass())
            Seen += type->className();
        for (const QString& fault : faults)
            Faults += name + ": " + fault;
        const QString shots = qEnvironmentVariable("MERVANE_WALK_SHOTS");
        if (!shots.isEmpty())
            window.grab().save(shots + "/" + name + ".png");
    }

    TMainWindowFixture& m_F;
    std::function<QStringList(QWidget&)> m_Check;
};

// Places an object with a tool: the tool button, then a rectangle dragged over a day cell.
void Place(TMainWindowFixture& f, const QString& tool, int cell, QSize size)
{
    QTest::mouseClick(f.Widget<QToolButton>(tool), Qt::LeftButton);
    const QPoint from = f.Page().CellRecord(cell).Whole.ToQRect().topLeft() + QPoint(3, 3);
    f.DragOnPage(from, from + QPoint(size.width(), size.height()));
}

// Runs the item `caption` of the object menu of the page object of class `className`.
void RunObjectMenu(TMainWindowFixture& f, const char* className, const QString& caption)
{
    for (TGGraphicControl* object : f.Page().Objects()) {
        if (!object->inherits(className))
            continue;
        for (QAction* action : object->ObjectMenu()->actions()) {
            if (action->text() == caption) {
                action->trigger();
                return;
            }
        }
    }
    QFAIL(qPrintable(QString("no %1 with %2 in its menu").arg(className, caption)));
}

// Opens every dialog and window of the program the way the user does, each checked by `walk`;
// then checks that the walk met every dialog class of the source tree and found no fault.
void WalkEverything(TMainWindowFixture& f, TWalk& walk)
{
    QCOMPARE(WriteRecurringDatesFile(RecurringDatesFileName(), {MakeRecord("Rent", "@0015")}), QString());
    TCalendarMain& main = f.StartOnMonth(f.Path("walk.MVF"), 10, 2027);

    walk.Inspect(main, "TCalendarMain");
    if (!f.Forms->IconTool.isVisible())
        QTest::mouseClick(f.Widget<QToolButton>("ShowHideIconTool"), Qt::LeftButton);
    QVERIFY(f.Forms->IconTool.isVisible());
    walk.Inspect(f.Forms->IconTool, "TFloatingPalette");

    for (const char* command : {"mnuProperties", "mnuUserTitle", "mnuFillCalendarwithRecurringDates",
                                "mnuEditrecurringDates", "mnuPrintPreview", "About1"})
        walk.Open([&] { f.Trigger(command); });

    walk.Open([&] { Place(f, "DrawSuperText", 9, {240, 60}); });
    walk.Open([&] { Place(f, "DrawRichText", 16, {150, 40}); });
    walk.Open([&] { Place(f, "DrawImageButton", 23, {120, 60}); });
    walk.Open([&] { Place(f, "DrawLabelButton", 2, {120, 30}); });
    Place(f, "PSpeedButton1", 12, {150, 110});
    walk.Open([&] { RunObjectMenu(f, "TGFlatCalendar", "Properties"); });
    walk.Open([&] { RunObjectMenu(f, "TGPLabel", "Text"); });
    walk.Open([&] { RunObjectMenu(f, "TGPLabel", "3D Effects"); });

    // What the program's own UI services show for a font choice and a Yes/No question.
    walk.Open([&] {
        TFontDialog dialog({QFont("Arial", 12), Qt::black}, &main);
        UiServices().ExecDialog(dialog);
    });
    walk.Open([&] {
        TQuestionBox box("Save changes to the calendar?", "Mervane", &main);
        UiServices().ExecDialog(box);
    });

    f.Trigger("Contents1");
    walk.Inspect(THelpWindow::Instance(), "THelpWindow");

    QStringList missed;
    for (const QString& dialog : SourceDialogClasses()) {
        if (!walk.Seen.contains(dialog))
            missed += dialog;
    }
    QVERIFY2(missed.isEmpty(), qPrintable("not walked: " + missed.join(", ")));
    // QtTest cuts long messages short: each fault gets a line of its own.
    for (const QString& fault : walk.Faults)
        qWarning("%s", qPrintable(fault));
    QVERIFY2(walk.Faults.isEmpty(), qPrintable(QString("%1 faults").arg(walk.Faults.size())));
}

} // namespace

class TestDialogWalk : public QObject {
    Q_OBJECT

private slots:
    void EveryWindowShowsItsControlsWhole();
    void EveryDialogWorksFromTheKeyboard();
};

void TestDialogWalk::EveryWindowShowsItsControlsWhole()
{
    TMainWindowFixture f;
    TWalk walk(f, [](QWidget& window) { return WindowLayoutFaults(window, Scrolling); });
    WalkEverything(f, walk);
}

void TestDialogWalk::EveryDialogWorksFromTheKeyboard()
{
    TMainWindowFixture f;
    TWalk walk(f, [](QWidget& window) {
        auto* dialog = qobject_cast<QDialog*>(&window);
        return dialog ? KeyboardFaults(*dialog) : QStringList();
    });
    WalkEverything(f, walk);
}

QTEST_MAIN(TestDialogWalk)
#include "TestDialogWalk.moc"
