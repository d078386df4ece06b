// The mini calendar's editor: its controls with their labels and help texts, each control
// applied at once to the sample, the loading guard, the palette colour buttons and the font
// buttons, and the copy in and out by the calendar's Properties command.

#include "RecordBytes.h"
#include "controls/ColorPaletteButton.h"
#include "controls/RadioGroup.h"
#include "controls/WhatsThisMenu.h"
#include "effects/FlatCalendarEditor.h"
#include "effects/GFlatCalendar.h"
#include "objects/FontChoice.h"
#include "objects/GBasePanel.h"
#include "platformui/HelpWindow.h"
#include "platformui/ScriptedUiServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

namespace {

// The sample's value of a property, as an integer.
qint64 Value(const TGFlatCalendar& c, const QString& property)
{
    const QMap<QString, std::function<qint64()>> values{
        {"Month", [&] { return c.Month(); }},
        {"Year", [&] { return c.Year(); }},
        {"StartOfWeek", [&] { return c.StartOfWeek(); }},
        {"ShowYear", [&] { return c.ShowYear(); }},
        {"DayNameStyle", [&] { return c.DayNameStyle(); }},
        {"Language", [&] { return c.Language(); }},
        {"CalendarBorderStyle", [&] { return c.CalendarBorderStyle(); }},
        {"DayNameBorderStyle", [&] { return c.DayNameBorderStyle(); }},
        {"CellBorderStyle", [&] { return c.CellBorderStyle(); }},
        {"TitleBGcolor", [&] { return c.TitleBGcolor(); }},
        {"DayNameBGColor", [&] { return c.DayNameBGColor(); }},
        {"Backgroundcolor", [&] { return c.Backgroundcolor(); }},
        {"CalTransparent", [&] { return c.CalTransparent(); }},
        {"ShadowColor", [&] { return c.ShadowColor(); }},
        {"ShadowPosition", [&] { return c.ShadowPosition(); }},
        {"ShadowDepth", [&] { return c.ShadowDepth(); }},
    };
    return values.value(property)();
}

// Picks swatch `index` from the palette of `button`.
void PickSwatch(TColorPaletteButton* button, int index)
{
    QTest::mouseClick(button, Qt::LeftButton);
    TColorPalette* palette = button->Palette();
    QVERIFY(palette && palette->isVisible());
    auto* swatch = palette->findChild<QToolButton*>(QString("Swatch%1").arg(index));
    QVERIFY(swatch);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QTRY_VERIFY(!button->Palette());
}

} // namespace

class TestFlatCalendarEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void FormAndItsLists();
    void HelpAndWhatsThis();
    void ControlsLabelsAndHelp_data();
    void ControlsLabelsAndHelp();
    void ControlsLoadFromTheSample();
    void EachControlChangesTheSample_data();
    void EachControlChangesTheSample();
    void NothingAppliesBeforeTheEditorShows();
    void PaletteHasTwentyColoursAndOther();
    void FontButtons_data();
    void FontButtons();
    void LanguageAndHeadersInTheSample();
    void SampleScrollsALargeCalendarIntoView();
    void PropertiesCopiesInAndOut_data();
    void PropertiesCopiesInAndOut();
    void SpinnersClampWhatTheyCannotShow_data();
    void SpinnersClampWhatTheyCannotShow();

private:
    // A calendar on a host, with the host's change notifications counted.
    TGFlatCalendar* AddCalendar(const QRect& rect);
    void RunProperties(TGFlatCalendar& calendar);

    TScriptedUiServices* m_Ui = nullptr;
    TOwner* m_Owner = nullptr;
    TGBasePanel* m_Host = nullptr;
    int m_Changes = 0;
};

void TestFlatCalendarEditor::init()
{
    m_Ui = new TScriptedUiServices;
    m_Owner = new TOwner;
    m_Host = new TGBasePanel(m_Owner);
    m_Host->resize(600, 400);
    m_Changes = 0;
    m_Host->LabelChangedEvent = [this](TComponent*) { ++m_Changes; };
}

void TestFlatCalendarEditor::cleanup()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QVERIFY2(m_Ui->Unexpected.isEmpty(), qPrintable(m_Ui->Unexpected.join("; ")));
    delete m_Owner;
    m_Owner = nullptr;
    m_Host = nullptr;
    delete m_Ui;
}

TGFlatCalendar* TestFlatCalendarEditor::AddCalendar(const QRect& rect)
{
    auto* calendar = new TGFlatCalendar(m_Owner);
    calendar->Loaded();
    m_Host->PlaceObject(*calendar, rect);
    calendar->SetBounds(rect.x(), rect.y(), rect.width(), rect.height());
    m_Changes = 0;
    return calendar;
}

void TestFlatCalendarEditor::RunProperties(TGFlatCalendar& calendar)
{
    QAction* item = calendar.ObjectMenu()->actions().last();
    QCOMPARE(item->text(), QString("Properties"));
    item->trigger();
    QCOMPARE(m_Ui->DialogsShown.last(), QString("TFlatCalendarEditor"));
}

void TestFlatCalendarEditor::FormAndItsLists()
{
    TFlatCalendarEditor editor;
    QCOMPARE(editor.windowTitle(), QString("Floating Calendar Properties"));
    // The form's design size is its least size; its layout makes it larger where texts need it.
    QVERIFY(editor.width() >= 578 && editor.height() >= 393);
    const auto items = [&editor](const QString& name) {
        auto* combo = editor.findChild<QComboBox*>(name);
        QStringList texts;
        for (int i = 0; combo && i < combo->count(); ++i)
            texts += combo->itemText(i);
        return texts;
    };
    QCOMPARE(items("MonthCombo").size(), 12);
    QCOMPARE(items("MonthCombo").first(), QString("January"));
    QCOMPARE(items("MonthCombo").last(), QString("December"));
    QCOMPARE(items("HeadersStyleCombo"), (QStringList{"First Character", "First Three Characters", "Whole Word"}));
    QCOMPARE(items("LanguageCombo"),
             (QStringList{"English", "Deutsch", "Fran\u00e7ais", "L'italiano", "Espa\u00f1ol"}));
    for (const char* border : {"CalendarBorderCombo", "HeaderBorderCombo", "CellBorderCombo"})
        QCOMPARE(items(border), (QStringList{"None", "All", "Top", "Bottom", "Top & Bottom"}));
    QCOMPARE(items("ShadowOrientationCombo"), (QStringList{"Lower Right", "Lower Left", "UpperRight", "UpperLeft"}));
    auto* year = editor.findChild<QSpinBox*>("YearSpinner");
    QCOMPARE(year->minimum(), 1950);
    QCOMPARE(year->maximum(), 2500);
    QCOMPARE(year->value(), QDate::currentDate().year());
    auto* depth = editor.findChild<QSpinBox*>("ShadowDepthSpinner");
    QCOMPARE(depth->minimum(), 0);
    QCOMPARE(depth->maximum(), 10);
    auto* week = editor.findChild<TRadioGroup*>("WeekStartsOn");
    QCOMPARE(week->title(), QString("Week Starts On"));
    QCOMPARE(week->Button(0)->text(), QString("Sunday"));
    QCOMPARE(week->Button(1)->text(), QString("Monday"));
    QCOMPARE(week->toolTip(), QString("Select the day that the calendar week starts on"));
    QStringList groups;
    for (QGroupBox* group : editor.findChildren<QGroupBox*>())
        groups += group->title();
    for (const char* title : {"Miscellaneous", "Fonts", "Borders", "Colors", "Shadow"})
        QVERIFY2(groups.contains(title), title);
    auto* box = editor.findChild<QScrollArea*>("SampleBox");
    QVERIFY(box->width() >= 254 && box->height() >= 146);
    QCOMPARE(box->widget(), &editor.Sample());
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
    auto* ok = editor.findChild<QPushButton*>("OKButton");
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->text(), QString("Ok"));
    QCOMPARE(editor.findChild<QPushButton*>("Cancelbutton")->text(), QString("Cancel"));
    QCOMPARE(editor.findChild<QPushButton*>("Helpbutton")->text(), QString("Help"));
    QVERIFY(editor.findChild<QToolButton*>("MouseHelpButton"));
}

void TestFlatCalendarEditor::HelpAndWhatsThis()
{
    TFlatCalendarEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::mouseClick(editor.findChild<QPushButton*>("Helpbutton"), Qt::LeftButton);
    QCOMPARE(THelpWindow::Instance().CurrentTopic(), 40015);
    THelpWindow::Instance().hide();

    QTest::mouseClick(editor.findChild<QToolButton*>("MouseHelpButton"), Qt::LeftButton);
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();

    // A right click on a control inside a group offers its text too.
    auto* language = editor.findChild<QComboBox*>("LanguageCombo");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), language->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(language, &request);
    const TWhatsThisMenu* help = editor.findChild<TWhatsThisMenu*>();
    QVERIFY(help && help->Menu());
    QTRY_VERIFY(help->Menu()->isVisible());
    QCOMPARE(help->Menu()->actions().first()->text(), QString("What's this?"));
    help->Menu()->close();
}

void TestFlatCalendarEditor::ControlsLabelsAndHelp_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption"); // the label beside it, or the control's own caption
    QTest::addColumn<QString>("help");
    const auto row = [](const char* control, const char* caption, const char* help) {
        QTest::newRow(control) << control << caption << help;
    };
    row("MonthCombo", "Month", "Set the month for the calendar");
    row("YearSpinner", "Year", "Set the year for the calendar");
    row("WeekStartsOn", "Week Starts On", "Set the day the week starts on - either Sunday or Monday");
    row("ShowtitleInyearCheck", "Show Year in Title",
        "Check here to show the year in the title, in addition to the month");
    row("HeadersStyleCombo", "Header Style", "Set the header name style (first letter, first three letters, etc)");
    row("LanguageCombo", "Language", "Select one of five languages to display the month and day names in");
    row("TitleFontbutton", "Title Font", "Set the title font, including size, color and style");
    row("HeaderFontbutton", "Header Font", "Set the heaer font, including size, color and style");
    row("CellFontbutton", "Cell Font", "Set the cell font, including size, color and style");
    row("CalendarBorderCombo", "Calendar ", "Set the line and border style for the calendar outline");
    row("HeaderBorderCombo", "Header", "Set the line and border style for the headers");
    row("CellBorderCombo", "Cell ", "Set the line and border style for the individual day cells");
    row("TitleBackgroundbutton", "Title Background", "Set the background color for the Title area of the calendar");
    row("HeaderBackgroundButton", "Header Background ",
        "Set the background color for the Header part of the calendar (where the day names are)");
    row("Bodybackgroundbutton", "Body Background ",
        "Set the background color for the body of the calendar (day cell area)");
    row("TransparentCheck", "Transparent", "");
    row("ShadowColorButton", "Color", "Click here to set the shadow color");
    row("ShadowOrientationCombo", "Orientation", "Set the shadow orientation");
    row("ShadowDepthSpinner", "Depth", "Set the depth (in pixels) of the shadow");
    row("OKButton", "Ok", "Click to accept and return to the previous screen");
    row("Cancelbutton", "Cancel", "Click to cancel and return to the previous screen");
    row("Helpbutton", "Help", "Click to bring up Windows Help");
}

void TestFlatCalendarEditor::ControlsLabelsAndHelp()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QString, help);
    TFlatCalendarEditor editor;
    QWidget* widget = editor.findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->whatsThis(), help);
    QString shown;
    if (auto* label = editor.findChild<QLabel*>(control + "Label")) {
        QCOMPARE(label->buddy(), widget);
        shown = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        shown = button->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        shown = group->title();
    }
    QCOMPARE(shown, caption);
}

void TestFlatCalendarEditor::ControlsLoadFromTheSample()
{
    TFlatCalendarEditor editor;
    TGFlatCalendar& sample = editor.Sample();
    sample.SetMonth(7);
    sample.SetYear(2031);
    sample.SetStartOfWeek(2);
    sample.SetShowYear(true);
    sample.SetDayNameStyle(fdsWhole);
    sample.SetCalendarBorderStyle(fcbTop);
    sample.SetDayNameBorderStyle(fcbNone);
    sample.SetCellBorderStyle(fcbTopBottom);
    sample.SetTitleBGcolor(clYellow);
    sample.SetDayNameBGColor(clAqua);
    sample.SetBackgroundcolor(clSilver);
    sample.SetShadowColor(clNavy);
    sample.SetShadowPosition(fcpUpperRight);
    sample.SetShadowDepth(6);
    sample.SetLanguage(fclItalian);
    sample.SetCalTransparent(true);
    editor.show();
    QCOMPARE(editor.findChild<QComboBox*>("MonthCombo")->currentIndex(), 6);
    QCOMPARE(editor.findChild<QSpinBox*>("YearSpinner")->value(), 2031);
    QCOMPARE(editor.findChild<TRadioGroup*>("WeekStartsOn")->ItemIndex(), 1);
    QVERIFY(editor.findChild<QCheckBox*>("ShowtitleInyearCheck")->isChecked());
    QCOMPARE(editor.findChild<QComboBox*>("HeadersStyleCombo")->currentIndex(), 2);
    QCOMPARE(editor.findChild<QComboBox*>("CalendarBorderCombo")->currentIndex(), 2);
    QCOMPARE(editor.findChild<QComboBox*>("HeaderBorderCombo")->currentIndex(), 0);
    QCOMPARE(editor.findChild<QComboBox*>("CellBorderCombo")->currentIndex(), 4);
    QCOMPARE(editor.findChild<TColorPaletteButton*>("TitleBackgroundbutton")->Color(), clYellow);
    QCOMPARE(editor.findChild<TColorPaletteButton*>("HeaderBackgroundButton")->Color(), clAqua);
    QCOMPARE(editor.findChild<TColorPaletteButton*>("Bodybackgroundbutton")->Color(), clSilver);
    QCOMPARE(editor.findChild<TColorPaletteButton*>("ShadowColorButton")->Color(), clNavy);
    QCOMPARE(editor.findChild<QComboBox*>("ShadowOrientationCombo")->currentIndex(), 2);
    QCOMPARE(editor.findChild<QSpinBox*>("ShadowDepthSpinner")->value(), 6);
    QCOMPARE(editor.findChild<QComboBox*>("LanguageCombo")->currentIndex(), 3);
    QVERIFY(editor.findChild<QCheckBox*>("TransparentCheck")->isChecked());
    // Loading changed nothing on the sample.
    QCOMPARE(sample.Year(), 2031);
    QCOMPARE(sample.ShadowDepth(), 6);
}

void TestFlatCalendarEditor::EachControlChangesTheSample_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("property");
    QTest::addColumn<qint64>("before");
    QTest::addColumn<qint64>("after");
    const auto row = [](const char* control, const char* property, qint64 before, qint64 after) {
        QTest::newRow(control) << control << property << before << after;
    };
    // Combo boxes: one item down; spinners: one up; check boxes: a click; the radio group: a
    // click on Monday; colour buttons: the palette's second swatch (maroon).
    row("MonthCombo", "Month", 3, 4);
    row("YearSpinner", "Year", 2024, 2025);
    row("WeekStartsOn", "StartOfWeek", 1, 2);
    row("ShowtitleInyearCheck", "ShowYear", 0, 1);
    row("HeadersStyleCombo", "DayNameStyle", fdsFirstChar, fdsThreeChars);
    row("LanguageCombo", "Language", fclEnglish, fclGerman);
    row("CalendarBorderCombo", "CalendarBorderStyle", fcbAll, fcbTop);
    row("HeaderBorderCombo", "DayNameBorderStyle", fcbAll, fcbTop);
    row("CellBorderCombo", "CellBorderStyle", fcbNone, fcbAll);
    row("TitleBackgroundbutton", "TitleBGcolor", clWhite, clMaroon);
    row("HeaderBackgroundButton", "DayNameBGColor", clWhite, clMaroon);
    row("Bodybackgroundbutton", "Backgroundcolor", clWhite, clMaroon);
    row("TransparentCheck", "CalTransparent", 0, 1);
    row("ShadowColorButton", "ShadowColor", clBlack, clMaroon);
    row("ShadowOrientationCombo", "ShadowPosition", fcpLowerRight, fcpLowerLeft);
    row("ShadowDepthSpinner", "ShadowDepth", 0, 1);
}

void TestFlatCalendarEditor::EachControlChangesTheSample()
{
    QFETCH(QString, control);
    QFETCH(QString, property);
    QFETCH(qint64, before);
    QFETCH(qint64, after);
    TFlatCalendarEditor editor;
    editor.Sample().SetMonth(3);
    editor.Sample().SetYear(2024);
    editor.Sample().resize(200, 140);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QCOMPARE(Value(editor.Sample(), property), before);
    QWidget* widget = editor.findChild<QWidget*>(control);
    QVERIFY(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QTest::keyClick(combo, Qt::Key_Down);
    } else if (auto* spinner = qobject_cast<QSpinBox*>(widget)) {
        QTest::keyClick(spinner, Qt::Key_Up);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    } else if (auto* group = qobject_cast<TRadioGroup*>(widget)) {
        QTest::mouseClick(group->Button(1), Qt::LeftButton, {}, QPoint(5, group->Button(1)->height() / 2));
    } else if (auto* button = qobject_cast<TColorPaletteButton*>(widget)) {
        PickSwatch(button, 1);
    }
    QCOMPARE(Value(editor.Sample(), property), after);
}

void TestFlatCalendarEditor::NothingAppliesBeforeTheEditorShows()
{
    TFlatCalendarEditor editor;
    editor.Sample().SetYear(2030);
    editor.Sample().SetShadowDepth(2);
    auto* year = editor.findChild<QSpinBox*>("YearSpinner");
    auto* depth = editor.findChild<QSpinBox*>("ShadowDepthSpinner");
    year->setValue(2040);
    depth->setValue(9);
    QCOMPARE(editor.Sample().Year(), 2030);
    QCOMPARE(editor.Sample().ShadowDepth(), 2);
    // Shown, the controls take the sample's values, and from then on apply.
    editor.show();
    QCOMPARE(year->value(), 2030);
    QCOMPARE(depth->value(), 2);
    year->setValue(2041);
    QCOMPARE(editor.Sample().Year(), 2041);
}

void TestFlatCalendarEditor::PaletteHasTwentyColoursAndOther()
{
    TFlatCalendarEditor editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* button = editor.findChild<TColorPaletteButton*>("ShadowColorButton");
    QTest::mouseClick(button, Qt::LeftButton);
    TColorPalette* palette = button->Palette();
    QVERIFY(palette);
    QCOMPARE(QApplication::activePopupWidget(), palette);
    QList<QToolButton*> swatches = palette->findChildren<QToolButton*>(QRegularExpression("^Swatch"));
    QCOMPARE(swatches.size(), 20);
    // Four rows of five.
    QSet<int> rows;
    QSet<int> columns;
    for (QToolButton* swatch : swatches) {
        rows.insert(swatch->y());
        columns.insert(swatch->x());
    }
    QCOMPARE(rows.size(), TColorPalette::Rows);
    QCOMPARE(columns.size(), TColorPalette::Columns);
    QCOMPARE(TColorPalette::Colors().size(), 20);

    // "&Other" opens the colour dialog; its colour goes to the button and the sample.
    auto* other = palette->findChild<QPushButton*>("OtherButton");
    QCOMPARE(other->text(), QString("&Other"));
    m_Ui->AnswerColor(QColor(0x12, 0x34, 0x56));
    QTest::mouseClick(other, Qt::LeftButton);
    QTRY_COMPARE(editor.Sample().ShadowColor(), TColor(0x563412));
    QCOMPARE(button->Color(), TColor(0x563412));
    QVERIFY(!button->Palette());

    // A cancelled colour dialog changes nothing.
    QTest::mouseClick(button, Qt::LeftButton);
    m_Ui->CancelChoice();
    QTest::mouseClick(button->Palette()->findChild<QPushButton*>("OtherButton"), Qt::LeftButton);
    QTRY_VERIFY(m_Ui->ScriptFinished());
    QCOMPARE(editor.Sample().ShadowColor(), TColor(0x563412));
}

void TestFlatCalendarEditor::FontButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("accept");
    for (const char* button : {"TitleFontbutton", "HeaderFontbutton", "CellFontbutton"}) {
        QTest::addRow("%s Ok", button) << button << true;
        QTest::addRow("%s Cancel", button) << button << false;
    }
}

void TestFlatCalendarEditor::FontButtons()
{
    QFETCH(QString, button);
    QFETCH(bool, accept);
    TFlatCalendarEditor editor;
    editor.show();
    TGFlatCalendar& sample = editor.Sample();
    TFont& font = button == "TitleFontbutton"    ? sample.TitleFont()
                  : button == "HeaderFontbutton" ? sample.DayNameFont()
                                                 : sample.CellFont();
    TFont before;
    before.Assign(font);
    if (accept) {
        TFontChoice choice = ChoiceFromFont(font);
        choice.Font.setFamily("Liberation Serif");
        choice.Font.setPointSize(15);
        choice.Font.setItalic(true);
        choice.Color = QColor(0, 0, 255);
        m_Ui->AnswerFont(choice);
    } else {
        m_Ui->CancelChoice();
    }
    QTest::mouseClick(editor.findChild<QPushButton*>(button), Qt::LeftButton);
    QVERIFY(m_Ui->ScriptFinished());
    if (!accept) {
        QVERIFY(font == before);
        return;
    }
    QCOMPARE(font.Name(), QString("Liberation Serif"));
    QCOMPARE(font.Size(), 15);
    QCOMPARE(font.Style(), TFontStyles(FontStyleBit(fsItalic)));
    QCOMPARE(font.Color(), clBlue);
}

void TestFlatCalendarEditor::LanguageAndHeadersInTheSample()
{
    TFlatCalendarEditor editor;
    editor.Sample().SetMonth(1);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* language = editor.findChild<QComboBox*>("LanguageCombo");
    auto* style = editor.findChild<QComboBox*>("HeadersStyleCombo");
    QTest::keyClick(language, Qt::Key_Down); // Deutsch
    QTest::keyClick(style, Qt::Key_End);     // Whole Word
    const auto record = [&editor] { return editor.Sample().DrawRecord(editor.Sample().size(), 1.0f); };
    QCOMPARE(record().MonthNames.first(), QString("Januar"));
    QCOMPARE(FlatCalendarHeader(record(), 0), QString("Sonntag"));
    auto* week = editor.findChild<TRadioGroup*>("WeekStartsOn");
    QTest::mouseClick(week->Button(1), Qt::LeftButton, {}, QPoint(5, week->Button(1)->height() / 2));
    QCOMPARE(FlatCalendarHeader(record(), 0), QString("Montag"));
}

void TestFlatCalendarEditor::SampleScrollsALargeCalendarIntoView()
{
    // Larger than the box grows to: the box grows only as far as a scroll area's size hint does.
    TGFlatCalendar* calendar = AddCalendar({10, 10, 1200, 900});
    m_Host->SetZoom(0.5f);
    QCOMPARE(calendar->Width(), 600);
    m_Ui->AnswerDialog([](QDialog& dialog) {
        auto* editor = qobject_cast<TFlatCalendarEditor*>(&dialog);
        auto* box = dialog.findChild<QScrollArea*>("SampleBox");
        if (!editor || !box)
            return int(QDialog::Rejected);
        [&] {
            // The sample has the calendar's size at zoom 1, and the box scrolls to its far corner.
            QCOMPARE(editor->Sample().size(), QSize(1200, 900));
            QVERIFY(box->horizontalScrollBar()->maximum() > 0);
            QVERIFY(box->verticalScrollBar()->maximum() > 0);
            box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->maximum());
            box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
            const QPoint corner = editor->Sample().mapTo(box->viewport(), QPoint(1199, 899));
            QVERIFY(box->viewport()->rect().contains(corner));
        }();
        return int(QDialog::Rejected);
    });
    RunProperties(*calendar);
}

void TestFlatCalendarEditor::PropertiesCopiesInAndOut_data()
{
    QTest::addColumn<QString>("close"); // a button's name, or "Escape"
    QTest::addColumn<bool>("accept");
    QTest::newRow("Ok") << "OKButton" << true;
    QTest::newRow("Cancel") << "Cancelbutton" << false;
    QTest::newRow("Escape") << "Escape" << false;
}

void TestFlatCalendarEditor::PropertiesCopiesInAndOut()
{
    QFETCH(QString, close);
    QFETCH(bool, accept);
    TGFlatCalendar* calendar = AddCalendar({20, 30, 220, 160});
    calendar->SetMonth(1);
    calendar->SetYear(2024);
    calendar->SetShadowDepth(3);
    calendar->SetLanguage(fclFrench);
    calendar->TitleFont().SetSize(12);
    m_Changes = 0;
    bool closed = false;
    m_Ui->AnswerDialog([close, &closed](QDialog& dialog) {
        auto* editor = qobject_cast<TFlatCalendarEditor*>(&dialog);
        if (!editor)
            return int(QDialog::Rejected);
        [&] {
            TGFlatCalendar& sample = editor->Sample();
            // Everything came in.
            QCOMPARE(sample.Year(), 2024);
            QCOMPARE(sample.ShadowDepth(), 3);
            QCOMPARE(sample.Language(), fclFrench);
            QCOMPARE(sample.TitleFont().Size(), 12);
            QCOMPARE(sample.size(), QSize(220, 160));
            QCOMPARE(dialog.findChild<QComboBox*>("LanguageCombo")->currentText(), QString("Fran\u00e7ais"));
            QTest::keyClick(dialog.findChild<QComboBox*>("MonthCombo"), Qt::Key_Down);
            QTest::keyClick(dialog.findChild<QSpinBox*>("YearSpinner"), Qt::Key_Up);
            QTest::keyClick(dialog.findChild<QComboBox*>("LanguageCombo"), Qt::Key_Up);
            QTest::keyClick(dialog.findChild<QComboBox*>("CellBorderCombo"), Qt::Key_End);
            QTest::keyClick(dialog.findChild<QSpinBox*>("ShadowDepthSpinner"), Qt::Key_Up);
            sample.CellFont().SetSize(10);
            sample.resize(50, 40); // the size never goes back
        }();
        if (close == "Escape")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.findChild<QPushButton*>(close), Qt::LeftButton);
        closed = !dialog.isVisible();
        return dialog.result();
    });
    RunProperties(*calendar);
    QVERIFY(m_Ui->ScriptFinished());
    QVERIFY(closed);
    QCOMPARE(calendar->size(), QSize(220, 160));
    if (!accept) {
        QCOMPARE(calendar->Month(), 1);
        QCOMPARE(calendar->Year(), 2024);
        QCOMPARE(calendar->Language(), fclFrench);
        QCOMPARE(calendar->CellBorderStyle(), fcbNone);
        QCOMPARE(calendar->ShadowDepth(), 3);
        QCOMPARE(calendar->CellFont().Size(), 7);
        QCOMPARE(m_Changes, 0);
        return;
    }
    QCOMPARE(calendar->Month(), 2);
    QCOMPARE(calendar->Year(), 2025);
    QCOMPARE(calendar->Language(), fclGerman);
    QCOMPARE(calendar->CellBorderStyle(), fcbTopBottom);
    QCOMPARE(calendar->ShadowDepth(), 4);
    QCOMPARE(calendar->CellFont().Size(), 10);
    QCOMPARE(calendar->TitleFont().Size(), 12);
    QVERIFY(m_Changes > 0);
}

void TestFlatCalendarEditor::SpinnersClampWhatTheyCannotShow_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("shownYear");
    QTest::addColumn<int>("shownDepth");
    QTest::addColumn<int>("storedDepth");
    QTest::newRow("1900 shows 1950") << 1900 << 2 << 1950 << 2 << 2;
    QTest::newRow("2600 shows 2500") << 2600 << 2 << 2500 << 2 << 2;
    // The depth spinner starts at 0, so showing -3 as 0 is no change and writes nothing back;
    // either way the calendar casts no shadow.
    QTest::newRow("a shadow of -3 shows 0") << 2024 << -3 << 2024 << 0 << -3;
    QTest::newRow("within the ranges") << 1950 << 10 << 1950 << 10 << 10;
}

void TestFlatCalendarEditor::SpinnersClampWhatTheyCannotShow()
{
    QFETCH(int, year);
    QFETCH(int, depth);
    QFETCH(int, shownYear);
    QFETCH(int, shownDepth);
    QFETCH(int, storedDepth);
    TGFlatCalendar* calendar = AddCalendar({20, 30, 220, 160});
    calendar->SetYear(year);
    calendar->SetShadowDepth(depth);
    m_Ui->AnswerDialog([&](QDialog& dialog) {
        [&] {
            QCOMPARE(dialog.findChild<QSpinBox*>("YearSpinner")->value(), shownYear);
            QCOMPARE(dialog.findChild<QSpinBox*>("ShadowDepthSpinner")->value(), shownDepth);
        }();
        return int(QDialog::Accepted);
    });
    RunProperties(*calendar);
    // Ok stores what the editor showed.
    QCOMPARE(calendar->Year(), shownYear);
    QCOMPARE(calendar->ShadowDepth(), storedDepth);
}

QObject* NewTestFlatCalendarEditor()
{
    return new TestFlatCalendarEditor;
}

#include "TestFlatCalendarEditor.moc"
