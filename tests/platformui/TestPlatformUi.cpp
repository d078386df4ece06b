// The platform's widget part: the UI services seam, help, cursors, dialog centring, the printer
// check and window placement.

#include "../common/Centring.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenPpi.h"
#include "platformui/FontDialog.h"
#include "platformui/HelpWindow.h"
#include "platformui/PrinterDriver.h"
#include "platformui/Printers.h"
#include "platformui/QtUiServices.h"
#include "platformui/QuestionBox.h"
#include "platformui/ScriptedUiServices.h"
#include "platformui/Utility.h"
#include "platformui/WindowPlacement.h"

#include <QDialog>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QRegularExpression>
#include <QtTest>

// Stands in for the main window; placements are stored under its class name.
class TCalendarMain : public QWidget {
    Q_OBJECT
};

class TestPlatformUi : public QObject {
    Q_OBJECT

private slots:
    void ShowInfoAndAskYesNoGoThroughTheSeam();
    void UnscriptedQuestionsAreRecordedAndDeclined();
    void QuestionBoxTellsEscFromNo_data();
    void QuestionBoxTellsEscFromNo();
    void ScriptedDialogsWorkTheRealWidgets();
    void FileFiltersBecomeQtFilters();
    void FontDialogOkUnchangedKeepsTheFont_data();
    void FontDialogOkUnchangedKeepsTheFont();
    void FontDialogGivesTheChangedFont();
    void FontDialogCancelGivesNothing();
    void CheckPrintersExplainsWhatIsMissing_data();
    void CheckPrintersExplainsWhatIsMissing();
    void CopiesComeFromThePrinter_data();
    void CopiesComeFromThePrinter();
    void BusyCursorIsNotNested();
    void CenterDialogCentresOverTheMainWindow();
    void CenterDialogUsesTheScreenWhenMaximised();
    void CenterDialogUsesTheSizeTheDialogShowsWith_data();
    void CenterDialogUsesTheSizeTheDialogShowsWith();
    void MessagesCentreOverTheMainWindow_data();
    void MessagesCentreOverTheMainWindow();
    void HelpShowsATopicPageOrAPlaceholder();
    void HelpComesForwardOverTheWindowThatAsked();
    void EveryContextHasItsOwnPage_data();
    void EveryContextHasItsOwnPage();
    void ContentsReachEveryPage();
    void PlacementIsStoredPerResolution();
    void PlacementBeyondTheScreenIsPulledBack();
    void BadPlacementCentresTheWindow_data();
    void BadPlacementCentresTheWindow();
    void MaximisedWindowKeepsItsNormalRectangle();
};

void TestPlatformUi::ShowInfoAndAskYesNoGoThroughTheSeam()
{
    TScriptedUiServices ui;
    ui.AnswerYesNo(true);
    ui.AnswerYesNo(false);
    ui.CancelQuestion();
    ui.CancelQuestion();
    ShowInfo("File x.MVF no longer exists");
    QVERIFY(AskYesNo("Save changes?", "Save"));
    QVERIFY(!AskYesNo("Cancel all changes?", "CANCEL"));
    QCOMPARE(UiServices().AskQuestion("Save changes?", "Save"), TQuestionAnswer::Cancelled);
    QVERIFY(!AskYesNo("Cancel all changes?", "CANCEL")); // Esc is no Yes

    QCOMPARE(ui.Messages.size(), 1);
    QCOMPARE(ui.Messages[0].Text, QString("File x.MVF no longer exists"));
    QCOMPARE(ui.Messages[0].Caption, QString("Information"));
    QCOMPARE(ui.Messages[0].Icon, TMessageIcon::Information);
    QCOMPARE(ui.Questions.size(), 4);
    QCOMPARE(ui.Questions[1].Caption, QString("CANCEL"));
    QVERIFY(ui.ScriptFinished());
    QVERIFY(ui.Unexpected.isEmpty());
}

void TestPlatformUi::UnscriptedQuestionsAreRecordedAndDeclined()
{
    TScriptedUiServices ui;
    ui.AnswerFileName("/tmp/a.MVF");
    QVERIFY(!AskYesNo("Save changes?", "Save")); // the script holds a file name, not an answer
    QCOMPARE(ui.Unexpected, QStringList{"question: Save changes?"});
    QCOMPARE(UiServices().GetSaveFileName({.Title = "Save Calendar File"}), QString("/tmp/a.MVF"));
    QCOMPARE(UiServices().GetOpenFileName({.Title = "Open Calendar File"}), QString());
    QCOMPARE(ui.Unexpected.size(), 2);
    QCOMPARE(ui.FileRequests.size(), 2);
    QCOMPARE(ui.FileRequests[0].Title, QString("Save Calendar File"));

    QColor color = Qt::red;
    ui.CancelChoice();
    QVERIFY(!UiServices().ChooseColor(color));
    QCOMPARE(color, QColor(Qt::red));
    ui.AnswerColor(Qt::blue);
    QVERIFY(UiServices().ChooseColor(color));
    QCOMPARE(color, QColor(Qt::blue));
}

void TestPlatformUi::QuestionBoxTellsEscFromNo_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<TQuestionAnswer>("answer");
    QTest::newRow("yes") << "yes" << TQuestionAnswer::Yes;
    QTest::newRow("no") << "no" << TQuestionAnswer::No;
    QTest::newRow("esc") << "esc" << TQuestionAnswer::Cancelled;
    QTest::newRow("closed box") << "close" << TQuestionAnswer::Cancelled;
}

// The real question box: Yes and No as pressed, Esc and the close button as Cancelled, with
// only Yes and No to be seen.
void TestPlatformUi::QuestionBoxTellsEscFromNo()
{
    QFETCH(QString, action);
    QFETCH(TQuestionAnswer, answer);
    TQuestionBox box("Save changes?", "Save");
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QList<QMessageBox::StandardButton> visible;
    for (QAbstractButton* button : box.buttons()) {
        if (button->isVisible())
            visible += box.standardButton(button);
    }
    std::sort(visible.begin(), visible.end());
    QCOMPARE(visible, (QList<QMessageBox::StandardButton>{QMessageBox::Yes, QMessageBox::No}));

    if (action == "yes")
        QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton);
    else if (action == "no")
        QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
    else if (action == "esc")
        QTest::keyClick(&box, Qt::Key_Escape);
    else
        QVERIFY(box.close());

    QVERIFY(!box.isVisible());
    QCOMPARE(box.Answer(), answer);
}

void TestPlatformUi::ScriptedDialogsWorkTheRealWidgets()
{
    TScriptedUiServices ui;
    QDialog dialog;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    bool wasVisible = false;
    ui.AnswerDialog([&](QDialog& shown) {
        wasVisible = shown.isVisible();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return shown.result();
    });
    QCOMPARE(UiServices().ExecDialog(dialog), int(QDialog::Accepted));
    QVERIFY(wasVisible);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ui.DialogsShown, QStringList{"QDialog"});

    QCOMPARE(UiServices().ExecDialog(dialog), int(QDialog::Rejected)); // unscripted
    QCOMPARE(ui.Unexpected, QStringList{"dialog: QDialog"});
}

namespace {

// Answers every modal dialog the real UI services open with `key` (Return: OK, Escape: Cancel)
// until `finished` is set; `answered` counts the dialogs.
struct TModalAnswers {
    Qt::Key Key = Qt::Key_Return;
    bool Finished = false;
    int Answered = 0;
    QString FirstName; // the font name the first dialog showed
    // The pending answer goes with the answers: none runs after the test case has returned.
    QObject Lifetime;
};

void AnswerNextModal(TModalAnswers& answers)
{
    QTimer::singleShot(0, &answers.Lifetime, [&answers] {
        if (answers.Finished)
            return;
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (answers.Answered == 0) {
                if (auto* name = modal->findChild<QComboBox*>("FontName"))
                    answers.FirstName = name->currentText();
            }
            ++answers.Answered;
            QTest::keyClick(modal, answers.Key);
        }
        AnswerNextModal(answers);
    });
}

TFontChoice Choice(const QString& name, int points, bool bold, bool italic, bool underline, QColor color)
{
    QFont font(name);
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return {font, color};
}

} // namespace

void TestPlatformUi::FontDialogOkUnchangedKeepsTheFont_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("color");
    QTest::newRow("Times New Roman") << "Times New Roman" << 26 << true << false << false << QColor(Qt::black);
    QTest::newRow("Arial") << "Arial" << 8 << false << false << false << QColor(0, 0, 128);
    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << 8 << false << true << false << QColor(Qt::red);
    QTest::newRow("Courier New") << "Courier New" << 12 << true << true << true << QColor(Qt::white);
    QTest::newRow("Wingdings") << "Wingdings" << 20 << false << false << false << QColor(0, 128, 128);
}

void TestPlatformUi::FontDialogOkUnchangedKeepsTheFont()
{
    QFETCH(QString, name);
    QFETCH(int, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QColor, color);
    const TFontChoice given = Choice(name, points, bold, italic, underline, color);
    TFontChoice choice = given;
    TQtUiServices ui;
    TModalAnswers answers;
    AnswerNextModal(answers);
    const bool accepted = ui.ChooseFont(choice);
    answers.Finished = true;
    QVERIFY(accepted);
    QCOMPARE(answers.Answered, 1); // one dialog for font and colour
    QCOMPARE(answers.FirstName, name);
    QCOMPARE(choice.Font.family(), name);
    QCOMPARE(choice.Font.pointSize(), points);
    QCOMPARE(choice.Font.bold(), bold);
    QCOMPARE(choice.Font.italic(), italic);
    QCOMPARE(choice.Font.underline(), underline);
    QCOMPARE(choice.Font, given.Font);
    QCOMPARE(choice.Color, color);
}

void TestPlatformUi::FontDialogGivesTheChangedFont()
{
    const TFontChoice given = Choice("Times New Roman", 16, false, false, false, Qt::blue);
    TFontDialog dialog(given);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QComboBox*>("FontStyle")->setCurrentIndex(3); // Bold Italic
    QComboBox* size = dialog.findChild<QComboBox*>("FontSize");
    size->setCurrentText("14");
    QTest::mouseClick(dialog.findChild<QPushButton*>("okbutton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const TFontChoice chosen = dialog.Choice();
    QCOMPARE(chosen.Font.family(), QString("Times New Roman"));
    QCOMPARE(chosen.Font.pointSize(), 14);
    QVERIFY(chosen.Font.bold() && chosen.Font.italic());
    QCOMPARE(chosen.Color, QColor(Qt::blue));
}

void TestPlatformUi::FontDialogCancelGivesNothing()
{
    const TFontChoice given = Choice("Arial", 10, false, false, false, Qt::black);
    TFontChoice choice = given;
    TQtUiServices ui;
    TModalAnswers answers;
    answers.Key = Qt::Key_Escape;
    AnswerNextModal(answers);
    const bool accepted = ui.ChooseFont(choice);
    answers.Finished = true;
    QVERIFY(!accepted);
    QCOMPARE(answers.Answered, 1);
    QCOMPARE(choice.Font, given.Font);
    QCOMPARE(choice.Color, given.Color);
}

void TestPlatformUi::FileFiltersBecomeQtFilters()
{
    QCOMPARE(ToQtFileFilter("Calendar File|*.MVF"), QString("Calendar File (*.MVF)"));
    QCOMPARE(ToQtFileFilter("Pictures|*.BMP;*.ICO|All|*.*"), QString("Pictures (*.BMP *.ICO);;All (*.*)"));
}

void TestPlatformUi::CheckPrintersExplainsWhatIsMissing_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("message");
    QTest::newRow("none installed")
        << QStringList() << QString() << false
        << "There are no installed printers.\r\nUnable to perform printer related operations";
    QTest::newRow("no default")
        << QStringList{"Laser"} << QString() << false
        << "There is no default printer selected.\r\nUnable to perform printer related operations";
    QTest::newRow("ready") << QStringList{"Laser", "Inkjet"} << QString("Inkjet") << true << QString();
}

void TestPlatformUi::CheckPrintersExplainsWhatIsMissing()
{
    QFETCH(QStringList, printers);
    QFETCH(QString, defaultPrinter);
    QFETCH(bool, available);
    QFETCH(QString, message);
    TScriptedUiServices ui;
    OverridePrinters({[=] { return printers; }, [=] { return defaultPrinter; }});
    QCOMPARE(CheckPrinters(), available);
    OverridePrinters({});
    QCOMPARE(ui.Messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(ui.Messages[0].Text, message);
        QCOMPARE(ui.Messages[0].Caption, QString("Information"));
    }
}

void TestPlatformUi::CopiesComeFromThePrinter_data()
{
    QTest::addColumn<int>("chosen"); // 0: none chosen
    QTest::addColumn<int>("copies");
    QTest::newRow("none chosen") << 0 << 1;
    QTest::newRow("three") << 3 << 3;
}

void TestPlatformUi::CopiesComeFromThePrinter()
{
    QFETCH(int, chosen);
    QFETCH(int, copies);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    if (chosen > 0)
        printer.setCopyCount(chosen);
    QCOMPARE(ChosenCopies(printer), copies);
    // A PDF file holds each page as often as it was sent: no driver repeats it.
    QCOMPARE(MaxDriverCopies(printer), 1);
}

void TestPlatformUi::BusyCursorIsNotNested()
{
    BusyCursor();
    BusyCursor();
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    NormalCursor();
    QVERIFY(!QApplication::overrideCursor());
    NormalCursor(); // harmless without a busy cursor
    QVERIFY(!QApplication::overrideCursor());
}

void TestPlatformUi::CenterDialogCentresOverTheMainWindow()
{
    TCalendarMain main;
    main.setGeometry(100, 100, 635, 378);
    main.show();
    SetMainWindow(&main);
    QWidget dialog;
    dialog.resize(201, 100);
    const QRect outer = main.frameGeometry();
    CenterDialog(dialog);
    // left = main.left + (main.width - width) / 2, top likewise
    QCOMPARE(dialog.pos(), QPoint(outer.x() + (outer.width() - 201) / 2, outer.y() + (outer.height() - 100) / 2));

    // A wider dialog reaches left of the main window; the negative half truncates toward zero.
    dialog.resize(outer.width() + 5, 100);
    CenterDialog(dialog);
    QCOMPARE(dialog.pos().x(), outer.x() - 2);

    // Only the registered window counts, and only while it exists.
    TCalendarMain unregistered;
    unregistered.setGeometry(400, 300, 300, 200);
    unregistered.show();
    dialog.resize(201, 100);
    CenterDialog(dialog);
    QCOMPARE(dialog.pos(), QPoint(outer.x() + (outer.width() - 201) / 2, outer.y() + (outer.height() - 100) / 2));
    {
        QWidget gone;
        SetMainWindow(&gone);
    }
    QVERIFY(!MainWindow());
    CenterDialog(dialog);
    const QRect screen = QApplication::primaryScreen()->geometry();
    QCOMPARE(dialog.pos(), QPoint(screen.x() + (screen.width() - 201) / 2, screen.y() + (screen.height() - 100) / 2));
}

void TestPlatformUi::CenterDialogUsesTheScreenWhenMaximised()
{
    TCalendarMain main;
    main.showMaximized();
    SetMainWindow(&main);
    QWidget dialog;
    dialog.resize(200, 100);
    CenterDialog(dialog);
    const QRect screen = QApplication::primaryScreen()->geometry();
    QCOMPARE(dialog.pos(), QPoint(screen.x() + (screen.width() - 200) / 2, screen.y() + (screen.height() - 100) / 2));

    // The main window itself is centred on the screen.
    TCalendarMain other;
    other.resize(300, 200);
    SetMainWindow(&other);
    CenterDialog(other);
    QCOMPARE(other.pos(), QPoint(screen.x() + (screen.width() - 300) / 2, screen.y() + (screen.height() - 200) / 2));
}

void TestPlatformUi::CenterDialogUsesTheSizeTheDialogShowsWith_data()
{
    QTest::addColumn<QString>("mainWindow"); // "normal", "maximised" or "none"
    QTest::newRow("over the main window") << "normal";
    QTest::newRow("main window maximised") << "maximised";
    QTest::newRow("no main window") << "none";
}

// A dialog laid out but never resized is centred by the size it shows with, not by the
// placeholder size it has before it is first shown.
void TestPlatformUi::CenterDialogUsesTheSizeTheDialogShowsWith()
{
    QFETCH(QString, mainWindow);
    TCalendarMain main;
    if (mainWindow == "normal") {
        main.setGeometry(100, 100, 635, 378);
        main.show();
    } else if (mainWindow == "maximised") {
        main.showMaximized();
    }
    SetMainWindow(mainWindow == "none" ? nullptr : &main);
    QDialog dialog(mainWindow == "none" ? nullptr : &main);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLineEdit(&dialog);
    text->setMinimumWidth(320);
    layout->addWidget(new QLabel("Enter calendar title (leave blank for default):", &dialog));
    layout->addWidget(text);
    layout->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog));

    CenterDialog(dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const QRect area = mainWindow == "normal" ? main.frameGeometry() : QApplication::primaryScreen()->geometry();
    QVERIFY(dialog.frameGeometry().width() >= 320);
    const QString offCentre = OffCentre(dialog, area);
    QVERIFY2(offCentre.isEmpty(), qPrintable(offCentre));
    SetMainWindow(nullptr);
}

void TestPlatformUi::MessagesCentreOverTheMainWindow_data()
{
    QTest::addColumn<QString>("kind");     // "message" or "question"
    QTest::addColumn<bool>("otherActive"); // another window is active, else none is
    QTest::newRow("message, no window active (after a print dialog)") << "message" << false;
    QTest::newRow("message, another window active") << "message" << true;
    QTest::newRow("question, no window active") << "question" << false;
    QTest::newRow("question, another window active") << "question" << true;
}

// Message boxes and questions open over the main window, as the program's own dialogs do,
// whichever window happens to be active when they are asked for.
void TestPlatformUi::MessagesCentreOverTheMainWindow()
{
    QFETCH(QString, kind);
    QFETCH(bool, otherActive);
    TCalendarMain main;
    main.setGeometry(20, 30, 500, 360);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    SetMainWindow(&main);
    QWidget other;
    other.setGeometry(560, 300, 200, 150);
    if (otherActive) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    } else {
        QApplication::setActiveWindow(nullptr);
    }

    QString offCentre = "not shown";
    QWidget* owner = nullptr;
    QObject lifetime;
    QTimer::singleShot(0, &lifetime, [&offCentre, &owner, &main] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            offCentre = OffCentre(*modal, main.frameGeometry());
            owner = modal->parentWidget();
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    TQtUiServices ui;
    if (kind == "message")
        ui.ShowMessage("Print job completed and sent to printer!", "Information", TMessageIcon::Information);
    else
        ui.AskQuestion("Print anyways?", "Margin Warning");
    SetMainWindow(nullptr);
    QVERIFY2(offCentre.isEmpty(), qPrintable(offCentre));
    // It belongs to a window, so that it stays in front of it: the active one, or the main one.
    QCOMPARE(owner, otherActive ? &other : static_cast<QWidget*>(&main));
}

void TestPlatformUi::HelpShowsATopicPageOrAPlaceholder()
{
    const QString folder = ResourceFolder() + "help/";
    QVERIFY(QDir().mkpath(folder));
    QFile page(folder + "4242.html");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><p>Placing a mini calendar</p></body></html>");
    page.close();

    ShowHelpTopic(4242);
    THelpWindow& help = THelpWindow::Instance();
    QVERIFY(help.isVisible());
    QCOMPARE(help.CurrentTopic(), 4242);
    QVERIFY(help.CurrentHtml().contains("Placing a mini calendar"));
    page.remove();

    ShowHelpTopic(4243);
    QCOMPARE(help.CurrentTopic(), 4243);
    QVERIFY(help.CurrentHtml().contains("Help topic 4243"));

    ShowHelpContents();
    QCOMPARE(help.CurrentTopic(), 0);
    QVERIFY(help.CurrentHtml().contains("Mervane Help"));

    // Esc closes it, as it closes a dialog.
    help.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &help, Qt::Key_Escape);
    QVERIFY(!help.isVisible());
}

// The context numbers the program's windows and dialogs open.
const QList<int> HelpContexts{1000, 2100,  2101,  2102,  2103,  2104,  2105,  2106, 2107,
                              2108, 40003, 40004, 40008, 40012, 40013, 40014, 40015};

void TestPlatformUi::EveryContextHasItsOwnPage_data()
{
    QTest::addColumn<int>("context");
    for (int context : HelpContexts)
        QTest::newRow(qPrintable(QString::number(context))) << context;
}

void TestPlatformUi::EveryContextHasItsOwnPage()
{
    QFETCH(int, context);
    ShowHelpTopic(context);
    THelpWindow& help = THelpWindow::Instance();
    QCOMPARE(help.CurrentTopic(), context);
    QCOMPARE(help.CurrentFile(), ResourceFolder() + QString("help/%1.html").arg(context));
    QVERIFY(!help.CurrentHtml().contains("has not been written yet"));
    QVERIFY(help.CurrentHtml().contains("Help contents"));
}

// Following the links from the contents reaches a page for every context, and every link leads
// to a page that exists.
void TestPlatformUi::ContentsReachEveryPage()
{
    const QString folder = ResourceFolder() + "help/";
    const QRegularExpression link("href=\"([^\"#]+)\"");
    QStringList reached{"index.html"}, broken;
    for (qsizetype next = 0; next < reached.size(); ++next) {
        QFile page(folder + reached[next]);
        if (!page.open(QIODevice::ReadOnly)) {
            broken.append(reached[next]);
            continue;
        }
        const QString html = QString::fromUtf8(page.readAll());
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (!reached.contains(target))
                reached.append(target);
        }
    }
    QCOMPARE(broken, QStringList());
    for (int context : HelpContexts)
        QVERIFY2(reached.contains(QString("%1.html").arg(context)), qPrintable(QString::number(context)));
}

void TestPlatformUi::HelpComesForwardOverTheWindowThatAsked()
{
    QWidget main;
    main.setGeometry(200, 150, 500, 400);
    main.show();
    SetMainWindow(&main);

    // A modal dialog asks: help is the dialog's own window, so the dialog does not block it.
    {
        QDialog dialog(&main);
        dialog.setGeometry(260, 200, 300, 200);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        ShowHelpTopic(40004);
        THelpWindow& help = THelpWindow::Instance();
        QVERIFY(help.isVisible());
        QVERIFY(help.isWindow());
        QCOMPARE(help.parentWidget(), &dialog);
    }
    // The dialog took its help window along; the next one stands over the main window, centred
    // on it rather than in the screen's corner, and wholly on the screen.
    ShowHelpContents();
    THelpWindow& help = THelpWindow::Instance();
    QCOMPARE(help.parentWidget(), &main);
    QVERIFY(help.isVisible());
    const QPoint offset = help.frameGeometry().center() - main.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QString("off by %1, %2").arg(offset.x()).arg(offset.y())));
    QVERIFY(help.screen()->availableGeometry().contains(help.frameGeometry()));

    // Moved by the user, it stays there the next time.
    help.move(10, 20);
    ShowHelpTopic(2100);
    QCOMPARE(help.pos(), QPoint(10, 20));
    delete &help;
    SetMainWindow(nullptr);
}

void TestPlatformUi::PlacementIsStoredPerResolution()
{
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    TCalendarMain window;
    window.setGeometry(40, 50, 300, 200);
    SavePlacement(window);
    OverrideScreenPpi(120);
    window.setGeometry(10, 20, 100, 80);
    SavePlacement(window);
    OverrideScreenPpi(0);

    const TIniFile ini(IniFileName());
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement", "Right", 0), 340);
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement", "Bottom", 0), 250);
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement120", "Left", 0), 10);
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement120", "Bottom", 0), 100);

    TCalendarMain restored;
    RestorePlacement(restored);
    QCOMPARE(restored.geometry(), QRect(40, 50, 300, 200));
    OverrideDataFolder({});
}

void TestPlatformUi::PlacementBeyondTheScreenIsPulledBack()
{
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    const QSize screen = QApplication::primaryScreen()->geometry().size();
    TIniFile ini(IniFileName());
    ini.WriteInteger("TCalendarMain_Placement", "Left", screen.width() - 100);
    ini.WriteInteger("TCalendarMain_Placement", "Top", -30);
    ini.WriteInteger("TCalendarMain_Placement", "Right", screen.width() + 200);
    ini.WriteInteger("TCalendarMain_Placement", "Bottom", screen.height() + 50);

    TCalendarMain window;
    RestorePlacement(window);
    // Pulled back by the excess, size kept; a negative top is left alone.
    QCOMPARE(window.geometry(), QRect(screen.width() - 300, -30 - 50, 300, screen.height() + 80));
    OverrideDataFolder({});
}

void TestPlatformUi::BadPlacementCentresTheWindow_data()
{
    QTest::addColumn<QStringList>("edges"); // Left, Top, Right, Bottom; empty: not stored
    QTest::addColumn<bool>("used");
    QTest::newRow("good") << QStringList{"40", "50", "340", "250"} << true;
    QTest::newRow("negative left and top") << QStringList{"-100", "-50", "300", "250"} << true;
    QTest::newRow("no width") << QStringList{"40", "50", "40", "250"} << false;
    QTest::newRow("right of left swapped") << QStringList{"340", "50", "40", "250"} << false;
    QTest::newRow("no height") << QStringList{"40", "250", "340", "250"} << false;
    QTest::newRow("beyond 16 bits") << QStringList{"40", "50", "40000", "250"} << false;
    QTest::newRow("far negative") << QStringList{"-40000", "50", "340", "250"} << false;
    QTest::newRow("largest integer") << QStringList{"40", "50", "340", "2147483647"} << false;
    QTest::newRow("not a number") << QStringList{"forty", "50", "340", "250"} << false;
    QTest::newRow("top missing") << QStringList{"40", "", "340", "250"} << false;
    QTest::newRow("only the bottom") << QStringList{"", "", "", "250"} << false;
}

void TestPlatformUi::BadPlacementCentresTheWindow()
{
    QFETCH(QStringList, edges);
    QFETCH(bool, used);
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    TIniFile ini(IniFileName());
    ini.BeginUpdate();
    const QStringList keys{"Left", "Top", "Right", "Bottom"};
    for (int i = 0; i < keys.size(); ++i) {
        if (!edges[i].isEmpty())
            ini.WriteString("TCalendarMain_Placement", keys[i], edges[i]);
    }
    ini.WriteString("TCalendarMain_Placement", "Maximized", "perhaps");
    QVERIFY(ini.EndUpdate());

    TCalendarMain window;
    window.resize(200, 100);
    RestorePlacement(window);
    QVERIFY(!(window.windowState() & Qt::WindowMaximized));
    if (used) {
        QCOMPARE(window.geometry().topLeft(), QPoint(edges[0].toInt(), edges[1].toInt()));
    } else {
        // Centred on the screen at its own size, and that placement written in place of the bad one.
        const QRect screen = QApplication::primaryScreen()->geometry();
        QCOMPARE(window.geometry(), QRect((screen.width() - 200) / 2, (screen.height() - 100) / 2, 200, 100));
        QCOMPARE(TIniFile(IniFileName()).ReadInteger("TCalendarMain_Placement", "Right", 0),
                 (screen.width() - 200) / 2 + 200);
    }
    OverrideDataFolder({});
}

void TestPlatformUi::MaximisedWindowKeepsItsNormalRectangle()
{
    QTemporaryDir dir;
    OverrideDataFolder(dir.path());
    {
        TCalendarMain window;
        window.setGeometry(60, 70, 320, 240);
        window.showMaximized();
        SavePlacement(window);
    }
    const TIniFile ini(IniFileName());
    QVERIFY(ini.ReadBool("TCalendarMain_Placement", "Maximized", false));
    QCOMPARE(ini.ReadInteger("TCalendarMain_Placement", "Right", 0), 380);

    TCalendarMain restored;
    RestorePlacement(restored);
    QVERIFY(restored.windowState() & Qt::WindowMaximized);
    restored.showNormal();
    QCOMPARE(restored.geometry(), QRect(60, 70, 320, 240));

    // Nothing stored yet: centred, and the placement written at once.
    QTemporaryDir empty;
    OverrideDataFolder(empty.path());
    QWidget fresh;
    fresh.resize(200, 100);
    RestorePlacement(fresh);
    QVERIFY(TIniFile(IniFileName()).ReadInteger("QWidget_Placement", "Bottom", 0) != 0);
    OverrideDataFolder({});
}

QTEST_MAIN(TestPlatformUi)
#include "TestPlatformUi.moc"
