// The calendar properties dialog, the start-time dialog and the user title dialog, driven through
// their widgets with the scripted UI services answering every modal question.

#include "CalendarFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "calendar/CalendarProperties.h"
#include "calendar/SetTimeDialog.h"
#include "calendar/UserTitleForm.h"
#include "controls/ColorButton.h"
#include "controls/Memo.h"
#include "controls/RadioGroup.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenPpi.h"
#include "platformui/HelpWindow.h"
#include "platformui/ScriptedUiServices.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>

#include <QtTest>

#include <memory>

namespace {

template <typename T = QWidget>
T* Control(const QWidget& parent, const QString& name)
{
    T* control = parent.findChild<T*>(name);
    if (!control)
        qFatal("no control %s", qPrintable(name));
    return control;
}

void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Radio buttons and check boxes answer clicks on their indicator and caption only.
void ClickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void ClickTab(const QWidget& dialog, int index)
{
    auto* tabs = Control<QTabBar>(dialog, "TabSet1");
    if (!tabs->rect().contains(tabs->tabRect(index)))
        qFatal("tab %d is out of sight", index);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

void ClickListEntry(const QWidget& dialog, const QString& text)
{
    auto* list = Control<QListWidget>(dialog, "LayoutList");
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    if (items.size() != 1)
        qFatal("no layout entry '%s'", qPrintable(text));
    list->scrollToItem(items[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
}

// Picks entry `index` of a drop-down list with the keyboard, as a user without a mouse does.
void ChooseEntry(QComboBox* list, int index)
{
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Replaces the memo's text by typing `lines`, each ended by Return when `finalBreak` or not last.
void TypeLines(TMemo* memo, const QStringList& lines, bool finalBreak)
{
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Delete);
    for (int i = 0; i < lines.size(); ++i) {
        QTest::keyClicks(memo, lines[i]);
        if (finalBreak || i + 1 < lines.size())
            QTest::keyClick(memo, Qt::Key_Return);
    }
}

QStringList MonthNamesOf(const TCalendarPanel32& page)
{
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names += page.GetMonthName(m);
    return names;
}

QStringList DayNamesOf(const TCalendarPanel32& page)
{
    QStringList names;
    for (int d = 1; d <= 7; ++d)
        names += page.GetDayName(d);
    return names;
}

bool IsMarked(const QPushButton* button)
{
    return button->palette().color(QPalette::Button) == QColor(Qt::yellow);
}

QStringList MarkedButtons(const QDialog& dialog)
{
    QStringList names;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (IsMarked(button))
            names += button->objectName();
    }
    names.sort();
    return names;
}

QString Describe(const TFont& font)
{
    return QString("%1 %2 %3 %4").arg(font.Name()).arg(font.Size()).arg(font.Style()).arg(font.Color());
}

QString ShownTime(int hour, int minute)
{
    return QLocale().toString(QTime(hour, minute), QLocale::ShortFormat);
}

} // namespace

class TestCalendarProperties : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void TabsAndCaptions();
    void LayoutChoiceSetsLayoutEnablingAndDateLabel_data();
    void LayoutChoiceSetsLayoutEnablingAndDateLabel();
    void PaperChoiceSetsA4();
    void DateButtonsMoveTheGrid_data();
    void DateButtonsMoveTheGrid();
    void DateLabelNamesTheMonthStandingAlone_data();
    void DateLabelNamesTheMonthStandingAlone();
    void DateAndLookControlsSetThePreview();
    void FontButtonsChangeOnlyTheirFont_data();
    void FontButtonsChangeOnlyTheirFont();
    void ColorButtonsSetTheirColour_data();
    void ColorButtonsSetTheirColour();
    void MarginListsShowTheMarginFromAFile_data();
    void MarginListsShowTheMarginFromAFile();
    void ChoosingAMarginEntrySetsItsMargin_data();
    void ChoosingAMarginEntrySetsItsMargin();
    void MillimetresKeepPositionsAndValues();
    void TypedNamesChangeOnlyTheTypedLines_data();
    void TypedNamesChangeOnlyTheTypedLines();
    void LanguageButtonsFillMemosAndPreview_data();
    void LanguageButtonsFillMemosAndPreview();
    void SaveStyleSheetChecksTheExtension_data();
    void SaveStyleSheetChecksTheExtension();
    void SaveStyleSheetFailureIsReported();
    void LoadStyleSheetRefillsTheControls();
    void LoadStyleSheetRefusesOtherExtensions();
    void UnreadableStyleSheetIsReportedAndControlsRefilled();
    void DefaultButtonResetsThePreview();
    void NewCalendarStartsFromTheDefaults();
    void OkWarnsWhenTextWouldBeLost_data();
    void OkWarnsWhenTextWouldBeLost();
    void StartTimeRoundTrip();
    void StartTimeShowsHoursAndMinutes_data();
    void StartTimeShowsHoursAndMinutes();
    void StartTimeCancelKeepsTheTime();
    void UnreadableTimeLabelStartsFromNow();
    void ZoomButtonsStepByTenths_data();
    void ZoomButtonsStepByTenths();
    void HelpShowsThePagesTopic_data();
    void HelpShowsThePagesTopic();
    void PlacementIsKeptPerResolution_data();
    void PlacementIsKeptPerResolution();
    void PlacementBeyondTheScreenIsPulledBack();
    void PreviewIgnoresClicks();
    void PreviewPassesTabEscAndEnterOn_data();
    void PreviewPassesTabEscAndEnterOn();
    void PagesSwitchFromTheKeyboard_data();
    void PagesSwitchFromTheKeyboard();
    void PreviewShowsTheWholePage_data();
    void PreviewShowsTheWholePage();

    void SetTimeDialogMarksAndCaptions_data();
    void SetTimeDialogMarksAndCaptions();
    void UserTitleFormEditsTheTitle();

private:
    // A dialog whose preview took `source`'s settings, shown and active (its first activation
    // has run).
    std::unique_ptr<TCalendarProperties> Open(const TCalendarPanel32* source = nullptr, float zoom = 0.3f);

    std::unique_ptr<QTemporaryDir> m_Dir;
    std::unique_ptr<TScriptedUiServices> m_Ui;
};

void TestCalendarProperties::init()
{
    m_Dir = std::make_unique<QTemporaryDir>();
    OverrideDataFolder(m_Dir->path());
    m_Ui = std::make_unique<TScriptedUiServices>();
}

void TestCalendarProperties::cleanup()
{
    const QStringList unexpected = m_Ui->Unexpected;
    const bool scriptFinished = m_Ui->ScriptFinished();
    m_Ui.reset();
    OverrideDataFolder({});
    OverrideScreenPpi(0);
    m_Dir.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
    QVERIFY(scriptFinished);
}

std::unique_ptr<TCalendarProperties> TestCalendarProperties::Open(const TCalendarPanel32* source, float zoom)
{
    auto dialog = std::make_unique<TCalendarProperties>();
    dialog->ExampleCalendar().SetZoom(zoom);
    if (source)
        dialog->ExampleCalendar().AssignSettings(*source);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    if (!QTest::qWaitForWindowActive(dialog.get()))
        qWarning("the dialog did not become active");
    return dialog;
}

void TestCalendarProperties::TabsAndCaptions()
{
    auto dialog = Open();
    QCOMPARE(dialog->windowTitle(), QString("Calendar Properties"));
    auto* tabs = Control<QTabBar>(*dialog, "TabSet1");
    QCOMPARE(tabs->count(), 9);
    QCOMPARE(tabs->tabText(2), QString("Fonts && Colors")); // shows one ampersand
    QCOMPARE(tabs->tabText(8), QString("Margins"));
    // Each tab shows the page of the same index, and every page is a different one.
    auto* notebook = Control<QStackedWidget>(*dialog, "Notebook");
    QSet<QWidget*> pages;
    for (int i = tabs->count() - 1; i >= 0; --i) {
        ClickTab(*dialog, i);
        QCOMPARE(notebook->currentIndex(), i);
        pages.insert(notebook->currentWidget());
    }
    QCOMPARE(pages.size(), 9);
    QVERIFY(Control<QLabel>(*dialog, "SelectMonthYearLabel")->buddy()); // "&&" shows as "&"
    QCOMPARE(Control<QPushButton>(*dialog, "okbutton")->text(), QString("&Ok"));
    QCOMPARE(Control<QListWidget>(*dialog, "LayoutList")->count(), 13);
    QCOMPARE(dialog->ExampleCalendar().toolTip(), QString("This is an example calendar"));
}

void TestCalendarProperties::LayoutChoiceSetsLayoutEnablingAndDateLabel_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("orientationOn");
    QTest::addColumn<bool>("weekStartOn");
    QTest::addColumn<bool>("monthOn");  // title year, title colour, number font, line layout
    QTest::addColumn<bool>("headerOn"); // title and header fonts, header colour and style
    QTest::addColumn<bool>("minisOn");
    QTest::addColumn<bool>("startTimeOn");
    QTest::addColumn<QString>("dateHeading");
    QTest::addColumn<QString>("dateLabel");
    QTest::addColumn<int>("miniTitleSize"); // 0: mini fonts unchanged
    QTest::addColumn<int>("miniOtherSize");

    const QString month = "Select Month && Year", start = "Select Starting Date";
    const QString monthYear = "January 1998", longDate = "Friday, January 9, 1998";
    QTest::newRow("month portrait") << "1 Month Calendar " << false << int(loFullCalendar) << true << true << true
                                    << true << false << false << month << monthYear << 0 << 0;
    QTest::newRow("month, 2 minis, landscape")
        << "1 Month Calendar, 2 Mini Calendars" << true << int(loFCMinisInTitleLS) << true << true << true << true
        << true << false << month << monthYear << 10 << 8;
    QTest::newRow("12 after") << "1 Month Calendar, 12 Mini Calendars After " << false << int(loFC12After) << true
                              << true << true << true << true << false << month << monthYear << 10 << 8;
    QTest::newRow("6 months") << "6 Month Calendar (Mini Calendars)" << false << int(lopMC6Month) << true << true
                              << false << false << true << false << month << monthYear << 18 << 14;
    QTest::newRow("24 months landscape") << "24 Month Calendar (Mini Calendars)" << true << int(loMC24MonthLS) << true
                                         << true << false << false << true << false << month << monthYear << 12 << 9;
    QTest::newRow("60 months") << "60 Month Calendar (Mini Calendars)" << false << int(loMC60Month) << true << true
                               << false << false << true << false << month << monthYear << 8 << 6;
    QTest::newRow("one week") << "One Week Planner" << false << int(loWeek) << false << false << false << true << false
                              << false << start << longDate << 0 << 0;
    QTest::newRow("two weeks, landscape ignored") << "Two Week Planner" << true << int(lo2Week) << false << false
                                                  << false << true << false << false << start << longDate << 0 << 0;
    QTest::newRow("10 hours") << "Day Planner (10 hours) " << false << int(loDay10) << false << false << false << true
                              << false << true << start << longDate << 0 << 0;
    QTest::newRow("15 hours") << "Day Planner (15 hours) " << false << int(loDay15) << false << false << false << true
                              << false << true << start << longDate << 0 << 0;
}

void TestCalendarProperties::LayoutChoiceSetsLayoutEnablingAndDateLabel()
{
    QFETCH(QString, entry);
    QFETCH(bool, landscape);
    QFETCH(int, layout);
    QFETCH(bool, orientationOn);
    QFETCH(bool, weekStartOn);
    QFETCH(bool, monthOn);
    QFETCH(bool, headerOn);
    QFETCH(bool, minisOn);
    QFETCH(bool, startTimeOn);
    QFETCH(QString, dateHeading);
    QFETCH(QString, dateLabel);
    QFETCH(int, miniTitleSize);
    QFETCH(int, miniOtherSize);

    TCalendarPanel32 main(nullptr);
    main.SetMainCalYear(1998);
    main.SetMainCalMonth(1);
    main.SetMainCalDay(9);
    main.MiniTitleFont().SetSize(7);
    main.MiniHeadersFont().SetSize(7);
    main.MiniCellFont().SetSize(7);
    auto dialog = Open(&main);
    TCalendarPanel32& preview = dialog->ExampleCalendar();

    if (landscape)
        ClickIndicator(Control<TRadioGroup>(*dialog, "rOrientation")->Button(1));
    ClickListEntry(*dialog, entry);

    QCOMPARE(int(preview.CalendarLayout()), layout);
    QCOMPARE(dialog->PlannerChosen(), layout >= loWeek);
    QCOMPARE(Control(*dialog, "rOrientation")->isEnabled(), orientationOn);
    QCOMPARE(Control(*dialog, "WeekStartsOn")->isEnabled(), weekStartOn);
    for (const char* name : {"TitleShowYearCheck", "TitleBGColor", "NumberFontButton", "CalendarLineLayoutCombo"})
        QVERIFY2(Control(*dialog, name)->isEnabled() == monthOn, name);
    for (const char* name : {"TitleFontbutton", "HeaderFontButton", "HeaderBGColor", "CalHeaderStyleCombo"})
        QVERIFY2(Control(*dialog, name)->isEnabled() == headerOn, name);
    for (const char* name :
         {"MiniShowYearCheck", "Minititlefontbutton", "MiniHeaderFontButton", "MiniHeadersBGColorButton",
          "MiniCellFontButton", "MiniCalBGColorButton", "MiniHeadersStyleCombo", "MiniCalendarLineLayoutCombo"})
        QVERIFY2(Control(*dialog, name)->isEnabled() == minisOn, name);
    QCOMPARE(Control(*dialog, "StartingtimeButton")->isEnabled(), startTimeOn);
    QCOMPARE(Control<QLabel>(*dialog, "SelectMonthYearLabel")->text(), dateHeading);
    QCOMPARE(Control<QLabel>(*dialog, "DateLabel")->text(), dateLabel);
    QCOMPARE(preview.MiniTitleFont().Size(), miniTitleSize ? miniTitleSize : 7);
    QCOMPARE(preview.MiniHeadersFont().Size(), miniOtherSize ? miniOtherSize : 7);
    QCOMPARE(preview.MiniCellFont().Size(), miniOtherSize ? miniOtherSize : 7);
    // The date stays as it was.
    QCOMPARE(preview.MainCalDay(), 9);
    QCOMPARE(preview.MainCalMonth(), 1);
    QCOMPARE(preview.MainCalYear(), 1998);
}

void TestCalendarProperties::PaperChoiceSetsA4()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loMC12MonthLS);
    auto dialog = Open(&main);
    TCalendarPanel32& preview = dialog->ExampleCalendar();
    auto* paper = Control<TRadioGroup>(*dialog, "PaperSize");
    QCOMPARE(paper->ItemIndex(), 0);
    QCOMPARE(Control<TRadioGroup>(*dialog, "rOrientation")->ItemIndex(), 1);
    QCOMPARE(Control<QListWidget>(*dialog, "LayoutList")->currentItem()->text(),
             QString("12 Month Calendar (Mini Calendars)"));

    ClickIndicator(paper->Button(1));
    QVERIFY(preview.UseA4Paper());
    QCOMPARE(preview.CalendarLayout(), loMC12MonthLS);
    QCOMPARE(preview.Geometry().Width, int(ScreenPpi() * 11.69)); // landscape A4
    ClickIndicator(paper->Button(0));
    QVERIFY(!preview.UseA4Paper());
    ClickIndicator(Control<TRadioGroup>(*dialog, "rOrientation")->Button(0));
    QCOMPARE(preview.CalendarLayout(), loMC12Month);
}

void TestCalendarProperties::DateButtonsMoveTheGrid_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("previous year") << "Button8" << QDate(1999, 1, 31);
    QTest::newRow("previous month") << "Button9" << QDate(1999, 12, 31);
    QTest::newRow("now") << "Button10" << QDate::currentDate();
    QTest::newRow("next month, shorter") << "Button11" << QDate(2000, 2, 29);
    QTest::newRow("next year") << "Button12" << QDate(2001, 1, 31);
}

void TestCalendarProperties::DateButtonsMoveTheGrid()
{
    QFETCH(QString, button);
    QFETCH(QDate, expected);
    TCalendarPanel32 main(nullptr);
    main.SetMainCalYear(2000);
    main.SetMainCalMonth(1);
    main.SetMainCalDay(31);
    auto dialog = Open(&main);
    ClickTab(*dialog, 1);
    Click(Control(*dialog, button));
    QCOMPARE(Control<QCalendarWidget>(*dialog, "Calendar")->selectedDate(), expected);
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    QCOMPARE(QDate(preview.MainCalYear(), preview.MainCalMonth(), preview.MainCalDay()), expected);
    QCOMPARE(Control<QLabel>(*dialog, "DateLabel")->text(), QLocale().toString(expected, "MMMM yyyy"));
}

void TestCalendarProperties::DateLabelNamesTheMonthStandingAlone_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("opening"); // January 1998
    QTest::addColumn<QString>("nextMonth");
    QTest::newRow("Polish") << "pl_PL" << QString("stycze\u0144 1998") << "luty 1998";
    QTest::newRow("Russian") << "ru_RU" << QString("\u044F\u043D\u0432\u0430\u0440\u044C 1998")
                             << QString("\u0444\u0435\u0432\u0440\u0430\u043B\u044C 1998");
    QTest::newRow("Catalan") << "ca_ES"
                             << "gener 1998"
                             << "febrer 1998";
    QTest::newRow("Finnish") << "fi_FI"
                             << "tammikuu 1998"
                             << "helmikuu 1998";
    QTest::newRow("German") << "de_DE"
                            << "Januar 1998"
                            << "Februar 1998";
    QTest::newRow("English") << "en_US"
                             << "January 1998"
                             << "February 1998";
}

void TestCalendarProperties::DateLabelNamesTheMonthStandingAlone()
{
    QFETCH(QString, locale);
    QFETCH(QString, opening);
    QFETCH(QString, nextMonth);
    const TDefaultLocale chosen(locale);
    TCalendarPanel32 main(nullptr);
    main.SetMainCalYear(1998);
    main.SetMainCalMonth(1);
    main.SetMainCalDay(9);
    auto dialog = Open(&main);
    QCOMPARE(Control<QLabel>(*dialog, "DateLabel")->text(), opening);
    ClickTab(*dialog, 1);
    Click(Control(*dialog, "Button11"));
    QCOMPARE(Control<QLabel>(*dialog, "DateLabel")->text(), nextMonth);
}

void TestCalendarProperties::DateAndLookControlsSetThePreview()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loFCMinisInTitle);
    auto dialog = Open(&main);
    TCalendarPanel32& preview = dialog->ExampleCalendar();

    ClickTab(*dialog, 1);
    ClickIndicator(Control<TRadioGroup>(*dialog, "WeekStartsOn")->Button(1));
    QCOMPARE(preview.StartOfWeek(), 2);
    ClickIndicator(Control<TRadioGroup>(*dialog, "WeekStartsOn")->Button(0));
    QCOMPARE(preview.StartOfWeek(), 1);
    ClickIndicator(Control<QCheckBox>(*dialog, "TitleShowYearCheck"));
    QVERIFY(!preview.TitleShowYear());
    QVERIFY(preview.MiniShowYear());
    ClickIndicator(Control<QCheckBox>(*dialog, "MiniShowYearCheck"));
    QVERIFY(!preview.MiniShowYear());

    ClickTab(*dialog, 4);
    ChooseEntry(Control<QComboBox>(*dialog, "CalHeaderStyleCombo"), 2);
    QCOMPARE(preview.HeadersStyle(), dsWhole);
    ChooseEntry(Control<QComboBox>(*dialog, "MiniHeadersStyleCombo"), 1);
    QCOMPARE(preview.MiniHeadersStyle(), dsThreeChars);

    ClickTab(*dialog, 5);
    ChooseEntry(Control<QComboBox>(*dialog, "CalendarLineLayoutCombo"), 2);
    QCOMPARE(preview.CalendarLineLayout(), llCellsOnly);
    QCOMPARE(preview.CalendarBorder(), cbNone); // the line layout's border preset
    QCOMPARE(preview.HeadersBorder(), cbNone);
    ChooseEntry(Control<QComboBox>(*dialog, "MiniCalendarLineLayoutCombo"), 1);
    QCOMPARE(preview.MiniCalendarLineLayout(), mllBoxed);
    QCOMPARE(preview.MiniHeadersBorder(), cbTopBottom);
}

void TestCalendarProperties::FontButtonsChangeOnlyTheirFont_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("font"); // index into the fonts below
    QTest::newRow("title") << 2 << "TitleFontbutton" << 0;
    QTest::newRow("headers") << 2 << "HeaderFontButton" << 1;
    QTest::newRow("numbers") << 2 << "NumberFontButton" << 2;
    QTest::newRow("mini title") << 3 << "Minititlefontbutton" << 3;
    QTest::newRow("mini headers") << 3 << "MiniHeaderFontButton" << 4;
    QTest::newRow("mini cells") << 3 << "MiniCellFontButton" << 5;
}

void TestCalendarProperties::FontButtonsChangeOnlyTheirFont()
{
    QFETCH(int, tab);
    QFETCH(QString, button);
    QFETCH(int, font);
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loFCMinisInTitle); // month and minis: every font button is enabled
    auto dialog = Open(&main);
    TCalendarPanel32& preview = dialog->ExampleCalendar();
    const QList<TFont*> fonts = {&preview.TitleFont(),     &preview.HeadersFont(),     &preview.CellFont(),
                                 &preview.MiniTitleFont(), &preview.MiniHeadersFont(), &preview.MiniCellFont()};
    auto described = [&fonts] {
        QStringList list;
        for (const TFont* f : fonts)
            list += Describe(*f);
        return list;
    };
    const QStringList before = described();

    ClickTab(*dialog, tab);
    m_Ui->CancelChoice();
    Click(Control(*dialog, button));
    QCOMPARE(described(), before);

    QFont chosen("Liberation Sans");
    chosen.setPointSize(21);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    m_Ui->AnswerFont({chosen, QColor(Qt::red)});
    Click(Control(*dialog, button));
    QCOMPARE(fonts[font]->Name(), QString("Liberation Sans"));
    QCOMPARE(fonts[font]->Size(), 21);
    QCOMPARE(fonts[font]->Style(), TFontStyles(FontStyleBit(fsItalic) | FontStyleBit(fsUnderline)));
    QCOMPARE(fonts[font]->Color(), clRed);
    QStringList expected = before;
    expected[font] = Describe(*fonts[font]);
    QCOMPARE(described(), expected);
}

void TestCalendarProperties::ColorButtonsSetTheirColour_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("which"); // title, headers, mini headers, mini calendar
    QTest::newRow("title") << 2 << "TitleBGColor" << 0;
    QTest::newRow("headers") << 2 << "HeaderBGColor" << 1;
    QTest::newRow("mini headers") << 3 << "MiniHeadersBGColorButton" << 2;
    QTest::newRow("mini calendar") << 3 << "MiniCalBGColorButton" << 3;
}

void TestCalendarProperties::ColorButtonsSetTheirColour()
{
    QFETCH(int, tab);
    QFETCH(QString, button);
    QFETCH(int, which);
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loFCMinisInTitle);
    main.SetMiniHeadersBGColor(clNavy);
    auto dialog = Open(&main);
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    auto colours = [&preview] {
        return QList<TColor>{preview.TitleBGColor(), preview.HeadersBGColor(), preview.MiniHeadersBGColor(),
                             preview.MiniCalBGColor()};
    };
    const QList<TColor> before = colours();
    auto* colourButton = Control<TColorButton>(*dialog, button);
    QCOMPARE(colourButton->Color(), before[which]); // filled from the preview

    ClickTab(*dialog, tab);
    m_Ui->CancelChoice();
    Click(colourButton);
    QCOMPARE(colours(), before);

    m_Ui->AnswerColor(QColor(0x12, 0x34, 0x56));
    Click(colourButton);
    QList<TColor> expected = before;
    expected[which] = 0x563412;
    QCOMPARE(colours(), expected);
    QCOMPARE(colourButton->Color(), TColor(0x563412));
}

void TestCalendarProperties::MarginListsShowTheMarginFromAFile_data()
{
    QTest::addColumn<QList<double>>("margins"); // left, top, right, bottom
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("0.6 and quarters") << QList<double>{0.6, 0.25, 1.0, 1.5}
                                      << QStringList{"½ Inch", "¼ Inch", "1 Inch", "1½ Inch"};
    QTest::newRow("just below the steps")
        << QList<double>{0.49, 0.74, 0.99, 1.24} << QStringList{"¼ Inch", "½ Inch", "¾ Inch", "1 Inch"};
    QTest::newRow("outside the list") << QList<double>{1.49, 2.0, 0.0, 0.1}
                                      << QStringList{"1¼ Inch", "1½ Inch", "¼ Inch", "¼ Inch"};
}

void TestCalendarProperties::MarginListsShowTheMarginFromAFile()
{
    QFETCH(QList<double>, margins);
    QFETCH(QStringList, shown);
    TCalendarPanel32 written(nullptr);
    written.SetLeftMarginInch(margins[0]);
    written.SetTopMarginInch(margins[1]);
    written.SetRightMarginInch(margins[2]);
    written.SetBottomMarginInch(margins[3]);
    const QString fileName = m_Dir->filePath("margins.MVF");
    written.SaveToFile(fileName);
    TCalendarPanel32 main(nullptr);
    main.LoadFromFile(fileName, nullptr);
    const QList<double> read = {main.LeftMarginInch(), main.TopMarginInch(), main.RightMarginInch(),
                                main.BottomMarginInch()};

    QStringList texts;
    m_Ui->AnswerDialog([&](QDialog& dialog) {
        ClickTab(dialog, 8);
        for (const char* name :
             {"LeftMarginInchcombo", "TopMarginInchcombo", "RightMarginInchcombo", "BottomMarginInchcombo"})
            texts += Control<QComboBox>(dialog, name)->currentText();
        Click(Control(dialog, "okbutton"));
        return dialog.result();
    });
    TCalendarProperties dialog;
    dialog.ExampleCalendar().AssignSettings(main);
    QCOMPARE(UiServices().ExecDialog(dialog), int(QDialog::Accepted));
    QCOMPARE(texts, shown);
    const TCalendarPanel32& preview = dialog.ExampleCalendar();
    // Untouched lists keep the exact margins, not the values of their entries.
    QCOMPARE(preview.LeftMarginInch(), read[0]);
    QCOMPARE(preview.TopMarginInch(), read[1]);
    QCOMPARE(preview.RightMarginInch(), read[2]);
    QCOMPARE(preview.BottomMarginInch(), read[3]);
}

void TestCalendarProperties::ChoosingAMarginEntrySetsItsMargin_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("side"); // left, top, right, bottom
    QTest::addColumn<double>("inches");
    QTest::newRow("left quarter") << "LeftMarginInchcombo" << 0 << 0 << 0.25;
    QTest::newRow("top one") << "TopMarginInchcombo" << 3 << 1 << 1.0;
    QTest::newRow("right three quarters") << "RightMarginInchcombo" << 2 << 2 << 0.75;
    QTest::newRow("bottom one and a half") << "BottomMarginInchcombo" << 5 << 3 << 1.5;
}

void TestCalendarProperties::ChoosingAMarginEntrySetsItsMargin()
{
    QFETCH(QString, list);
    QFETCH(int, entry);
    QFETCH(int, side);
    QFETCH(double, inches);
    TCalendarPanel32 main(nullptr);
    for (auto setter : {&TCalendarPanel32::SetLeftMarginInch, &TCalendarPanel32::SetTopMarginInch,
                        &TCalendarPanel32::SetRightMarginInch, &TCalendarPanel32::SetBottomMarginInch})
        (main.*setter)(0.6);
    auto dialog = Open(&main);
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    ClickTab(*dialog, 8);
    ChooseEntry(Control<QComboBox>(*dialog, list), entry);
    const QList<double> margins = {preview.LeftMarginInch(), preview.TopMarginInch(), preview.RightMarginInch(),
                                   preview.BottomMarginInch()};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(margins[i], i == side ? inches : 0.6);
    QCOMPARE(preview.Geometry().Main.Left, int(ScreenPpi() * margins[0]) + 2); // relaid out
}

void TestCalendarProperties::MillimetresKeepPositionsAndValues()
{
    TCalendarPanel32 main(nullptr);
    main.SetLeftMarginInch(0.75);
    main.SetTopMarginInch(1.25);
    auto dialog = Open(&main);
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    ClickTab(*dialog, 8);
    auto* left = Control<QComboBox>(*dialog, "LeftMarginInchcombo");
    auto* top = Control<QComboBox>(*dialog, "TopMarginInchcombo");

    ClickIndicator(Control<QRadioButton>(*dialog, "UseMillimeters"));
    QCOMPARE(left->currentText(), QString("19 mm"));
    QCOMPARE(top->currentText(), QString("32 mm"));
    QCOMPARE(left->itemText(0), QString("6 mm"));
    QCOMPARE(left->itemText(5), QString("38 mm"));
    QCOMPARE(preview.LeftMarginInch(), 0.75); // nothing applied
    QCOMPARE(preview.TopMarginInch(), 1.25);

    ChooseEntry(left, 1); // "13 mm" is the half inch
    QCOMPARE(left->currentText(), QString("13 mm"));
    QCOMPARE(preview.LeftMarginInch(), 0.5);

    ClickIndicator(Control<QRadioButton>(*dialog, "useInches"));
    QCOMPARE(left->currentText(), QString("½ Inch"));
    QCOMPARE(top->currentText(), QString("1¼ Inch"));
    QCOMPARE(preview.TopMarginInch(), 1.25);
}

void TestCalendarProperties::TypedNamesChangeOnlyTheTypedLines_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("finalBreak");
    QTest::newRow("ten months") << "MonthNames" << 10 << false;
    QTest::newRow("ten months, line break after the last") << "MonthNames" << 10 << true;
    QTest::newRow("fourteen months, extra ignored") << "MonthNames" << 14 << false;
    QTest::newRow("five days") << "DayNames" << 5 << true;
    QTest::newRow("seven days") << "DayNames" << 7 << false;
}

void TestCalendarProperties::TypedNamesChangeOnlyTheTypedLines()
{
    QFETCH(QString, memo);
    QFETCH(int, lines);
    QFETCH(bool, finalBreak);
    auto dialog = Open();
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    const bool months = memo == "MonthNames";
    const QStringList before = months ? MonthNamesOf(preview) : DayNamesOf(preview);
    QStringList typed;
    for (int i = 1; i <= lines; ++i)
        typed += QString("Name %1").arg(i);

    ClickTab(*dialog, 7);
    TypeLines(Control<TMemo>(*dialog, memo), typed, finalBreak);
    QCOMPARE(months ? MonthNamesOf(preview) : DayNamesOf(preview), before); // taken over on leaving
    // Leaving the memo for the other one takes the lines over.
    QTest::mouseClick(Control<TMemo>(*dialog, months ? "DayNames" : "MonthNames")->viewport(), Qt::LeftButton);

    QStringList expected = before;
    for (int i = 0; i < expected.size() && i < typed.size(); ++i)
        expected[i] = typed[i];
    QCOMPARE(months ? MonthNamesOf(preview) : DayNamesOf(preview), expected);
    QCOMPARE(months ? DayNamesOf(preview) : MonthNamesOf(preview),
             months ? DayNamesOf(TCalendarPanel32(nullptr)) : MonthNamesOf(TCalendarPanel32(nullptr)));
}

void TestCalendarProperties::LanguageButtonsFillMemosAndPreview_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("sunday");
    QTest::addColumn<QString>("friday");
    QTest::addColumn<QString>("march");
    QTest::addColumn<QString>("august");
    QTest::newRow("English") << "English"
                             << "English"
                             << "Sunday"
                             << "Friday"
                             << "March"
                             << "August";
    QTest::newRow("German keeps the blank after Freitag") << "German"
                                                          << "Deutsch"
                                                          << "Sonntag"
                                                          << "Freitag "
                                                          << "März"
                                                          << "August";
    QTest::newRow("French") << "French"
                            << "Français"
                            << "Dimanche"
                            << "Vendredi"
                            << "Mars"
                            << "Août";
    QTest::newRow("Spanish") << "Spanish"
                             << "Español"
                             << "Domingo"
                             << "Viernes"
                             << "Marzo"
                             << "Agosto";
    QTest::newRow("Italian") << "Italian"
                             << "L'italiano"
                             << "Domenica"
                             << "Venerdì"
                             << "Marzo"
                             << "Agosto";
}

void TestCalendarProperties::LanguageButtonsFillMemosAndPreview()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, sunday);
    QFETCH(QString, friday);
    QFETCH(QString, march);
    QFETCH(QString, august);
    TCalendarPanel32 main(nullptr);
    for (int i = 1; i <= 12; ++i)
        main.SetMonthName(i, "x");
    for (int i = 1; i <= 7; ++i)
        main.SetDayName(i, "y");
    auto dialog = Open(&main);
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    ClickTab(*dialog, 7);
    auto* languageButton = Control<QPushButton>(*dialog, button);
    QCOMPARE(languageButton->text(), caption);
    Click(languageButton);

    const QStringList months = Control<TMemo>(*dialog, "MonthNames")->Lines();
    const QStringList days = Control<TMemo>(*dialog, "DayNames")->Lines();
    QCOMPARE(months.size(), 12);
    QCOMPARE(days.size(), 7);
    QCOMPARE(MonthNamesOf(preview), months);
    QCOMPARE(DayNamesOf(preview), days);
    QCOMPARE(preview.GetDayName(1), sunday);
    QCOMPARE(preview.GetDayName(6), friday);
    QCOMPARE(preview.GetMonthName(3), march);
    QCOMPARE(preview.GetMonthName(8), august);
    QVERIFY(!months.contains("x") && !days.contains("y"));
}

void TestCalendarProperties::SaveStyleSheetChecksTheExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("txt") << "Style.txt" << false;
    QTest::newRow("no extension") << "Style" << false;
    QTest::newRow("MVS inside the name") << "Style.MVS.bak" << false;
    QTest::newRow("MVS") << "Style.MVS" << true;
    QTest::newRow("lower case mvs") << "Style.mvs" << true;
}

void TestCalendarProperties::SaveStyleSheetChecksTheExtension()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(lopMC6MonthLS);
    main.SetMonthName(4, "Avril");
    auto dialog = Open(&main);
    const QString fileName = m_Dir->filePath(name);
    m_Ui->AnswerFileName(fileName);
    Click(Control(*dialog, "SaveAsStyleSheetButton"));

    QCOMPARE(m_Ui->FileRequests.size(), 1);
    const TFileDialogRequest& request = m_Ui->FileRequests[0];
    QCOMPARE(request.Title, QString("Save As Calendar Style Sheet"));
    QCOMPARE(request.Filter, QString("Calendar Style Sheet|*.MVS"));
    QCOMPARE(request.DefaultExtension, QString("MVS"));
    // Where calendar files are opened and saved (the data folder is writable), not the
    // program folder, which may be read-only.
    QCOMPARE(request.InitialFolder, m_Dir->path() + "/");
    QCOMPARE(request.FileName, QString("MyStyle.MVS"));
    QVERIFY(request.OverwritePrompt);

    QCOMPARE(QFile::exists(fileName), accepted);
    if (!accepted) {
        QCOMPARE(m_Ui->Messages.size(), 1);
        QCOMPARE(m_Ui->Messages[0].Text, QString("Must save as a Calendar Style Sheet (*.MVS)"));
        QCOMPARE(m_Ui->Messages[0].Caption, QString("Information"));
        return;
    }
    QVERIFY(m_Ui->Messages.isEmpty());
    TCalendarPanel32 reader(nullptr);
    reader.LoadStyleSheet(fileName);
    QCOMPARE(reader.CalendarLayout(), lopMC6MonthLS);
    QCOMPARE(reader.GetMonthName(4), QString("Avril"));
}

void TestCalendarProperties::SaveStyleSheetFailureIsReported()
{
    auto dialog = Open();
    const QString fileName = m_Dir->filePath("missing/folder/Style.MVS");
    m_Ui->AnswerFileName(fileName);
    Click(Control(*dialog, "SaveAsStyleSheetButton"));
    QCOMPARE(m_Ui->Messages.size(), 1);
    QVERIFY(m_Ui->Messages[0].Text.startsWith("Unable to save " + fileName));
    QVERIFY(!QFile::exists(fileName));
    QVERIFY(dialog->isVisible());
}

void TestCalendarProperties::LoadStyleSheetRefillsTheControls()
{
    TCalendarPanel32 styled(nullptr);
    styled.SetCalendarLayout(loDay15);
    styled.SetUseA4Paper(true);
    styled.SetTopMarginInch(1.0);
    styled.SetHeadersStyle(dsFirstChar);
    styled.SetMonthName(5, "Mai");
    styled.SetTitleShowYear(false);
    const QString fileName = m_Dir->filePath("Planner.MVS");
    styled.SaveStyleSheet(fileName);

    TCalendarPanel32 main(nullptr);
    main.SetMainCalYear(2003);
    main.SetMainCalMonth(3);
    main.SetMainCalDay(4);
    auto dialog = Open(&main);
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    m_Ui->AnswerFileName(fileName);
    Click(Control(*dialog, "LoadStyleSheetButton"));

    QVERIFY(m_Ui->Messages.isEmpty());
    const TFileDialogRequest& request = m_Ui->FileRequests.value(0);
    QCOMPARE(request.Title, QString("Open Calendar Style Sheet"));
    QCOMPARE(request.Filter, QString("Calendar Style Sheet|*.MVS"));
    QCOMPARE(request.InitialFolder, m_Dir->path() + "/"); // the data folder, as for calendar files

    QCOMPARE(preview.CalendarLayout(), loDay15);
    QVERIFY(preview.UseA4Paper());
    QCOMPARE(preview.GetMonthName(5), QString("Mai"));
    QCOMPARE(preview.MainCalYear(), 2003); // a style sheet carries no date
    QCOMPARE(Control<QListWidget>(*dialog, "LayoutList")->currentItem()->text(), QString("Day Planner (15 hours) "));
    QCOMPARE(Control<TRadioGroup>(*dialog, "PaperSize")->ItemIndex(), 1);
    QCOMPARE(Control<QComboBox>(*dialog, "TopMarginInchcombo")->currentText(), QString("1 Inch"));
    QCOMPARE(Control<QComboBox>(*dialog, "CalHeaderStyleCombo")->currentIndex(), int(dsFirstChar));
    QVERIFY(!Control<QCheckBox>(*dialog, "TitleShowYearCheck")->isChecked());
    QCOMPARE(Control<TMemo>(*dialog, "MonthNames")->Lines().value(4), QString("Mai"));
    QVERIFY(Control(*dialog, "StartingtimeButton")->isEnabled());
    QCOMPARE(Control<QLabel>(*dialog, "DateLabel")->text(), QString("Tuesday, March 4, 2003"));
}

void TestCalendarProperties::LoadStyleSheetRefusesOtherExtensions()
{
    TCalendarPanel32 styled(nullptr);
    styled.SetCalendarLayout(loWeek);
    const QString fileName = m_Dir->filePath("Style.MVF");
    styled.SaveStyleSheet(fileName); // a real style sheet, under the wrong name

    auto dialog = Open();
    m_Ui->AnswerFileName(fileName);
    Click(Control(*dialog, "LoadStyleSheetButton"));
    QCOMPARE(m_Ui->Messages.size(), 1);
    QCOMPARE(m_Ui->Messages[0].Text, QString("Must be a Calendar Style Sheet (*.MVS)"));
    QCOMPARE(dialog->ExampleCalendar().CalendarLayout(), loFullCalendar);
}

void TestCalendarProperties::UnreadableStyleSheetIsReportedAndControlsRefilled()
{
    // A style sheet cut off after its layout and border: refused whole, the preview keeps its look.
    TCalendarPanel32 styled(nullptr);
    styled.SetCalendarLayout(loMC12MonthLS);
    styled.SetUseA4Paper(true);
    const QString full = m_Dir->filePath("Full.MVS");
    styled.SaveStyleSheet(full);
    QFile file(full);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const QString cut = m_Dir->filePath("Cut.MVS");
    QFile cutFile(cut);
    QVERIFY(cutFile.open(QIODevice::WriteOnly));
    cutFile.write(bytes.left(22));
    cutFile.close();

    auto dialog = Open();
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    ClickListEntry(*dialog, "One Week Planner");
    m_Ui->AnswerFileName(cut);
    Click(Control(*dialog, "LoadStyleSheetButton"));
    QCOMPARE(m_Ui->Messages.size(), 1);
    QCOMPARE(m_Ui->Messages[0].Text,
             "Unable to open " + cut +
                 ". Possibly \rcorrupted, possibly not a Calendar Style file.\rStream read error");
    QCOMPARE(preview.CalendarLayout(), loWeek);
    QVERIFY(!preview.UseA4Paper());
    QCOMPARE(Control<QListWidget>(*dialog, "LayoutList")->currentItem()->text(), QString("One Week Planner"));
    QCOMPARE(Control<TRadioGroup>(*dialog, "PaperSize")->ItemIndex(), 0);

    // Not a style sheet at all: reported, the dialog keeps working.
    const QString text = m_Dir->filePath("Notes.MVS");
    QFile notes(text);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("just some notes\n");
    notes.close();
    m_Ui->AnswerFileName(text);
    Click(Control(*dialog, "LoadStyleSheetButton"));
    QCOMPARE(m_Ui->Messages.size(), 2);
    QVERIFY(m_Ui->Messages[1].Text.startsWith("Unable to open " + text));
    ClickListEntry(*dialog, "Two Week Planner");
    QCOMPARE(preview.CalendarLayout(), lo2Week);
}

void TestCalendarProperties::DefaultButtonResetsThePreview()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loDay10);
    main.SetUseA4Paper(true);
    main.SetLeftMarginInch(1.5);
    main.SetMainCalYear(1999);
    auto dialog = Open(&main);
    TCalendarPanel32& preview = dialog->ExampleCalendar();
    Click(Control(*dialog, "Defaultbutton"));

    QCOMPARE(preview.CalendarLayout(), loFCMinisInTitleLS);
    QVERIFY(!preview.UseA4Paper());
    QCOMPARE(preview.LeftMarginInch(), 0.5);
    QCOMPARE(preview.MainCalYear(), QDate::currentDate().year());
    QCOMPARE(preview.MiniTitleFont().Size(), 10);
    QCOMPARE(Control<QListWidget>(*dialog, "LayoutList")->currentItem()->text(),
             QString("1 Month Calendar, 2 Mini Calendars"));
    QCOMPARE(Control<TRadioGroup>(*dialog, "rOrientation")->ItemIndex(), 1);
    QCOMPARE(Control<TRadioGroup>(*dialog, "PaperSize")->ItemIndex(), 0);
    QCOMPARE(Control<QComboBox>(*dialog, "LeftMarginInchcombo")->currentText(), QString("½ Inch"));
    QVERIFY(Control(*dialog, "rOrientation")->isEnabled());
    QVERIFY(!Control(*dialog, "StartingtimeButton")->isEnabled());
    QCOMPARE(Control<QLabel>(*dialog, "SelectMonthYearLabel")->text(), QString("Select Month && Year"));
}

void TestCalendarProperties::NewCalendarStartsFromTheDefaults()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loWeek);
    main.SetMainCalYear(1990);
    auto dialog = std::make_unique<TCalendarProperties>();
    dialog->ExampleCalendar().AssignSettings(main);
    dialog->SetNewCalendar(true);
    dialog->show();
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    QCOMPARE(preview.CalendarLayout(), loFCMinisInTitleLS);
    QCOMPARE(Control<QCalendarWidget>(*dialog, "Calendar")->selectedDate(), QDate::currentDate());
    QCOMPARE(QDate(preview.MainCalYear(), preview.MainCalMonth(), preview.MainCalDay()), QDate::currentDate());
}

void TestCalendarProperties::OkWarnsWhenTextWouldBeLost_data()
{
    QTest::addColumn<bool>("cellsHaveText");
    QTest::addColumn<int>("startingFamily");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("asked");
    QTest::newRow("text, month to week planner") << true << 0 << "One Week Planner" << true;
    QTest::newRow("text, multi-month to month") << true << 1 << "1 Month Calendar " << true;
    QTest::newRow("text, same family") << true << 0 << "1 Month Calendar, 12 Mini Calendars After " << false;
    QTest::newRow("text, ten to fifteen hours") << true << 4 << "Day Planner (15 hours) " << true;
    QTest::newRow("no text, family changes") << false << 0 << "Two Week Planner" << false;
}

void TestCalendarProperties::OkWarnsWhenTextWouldBeLost()
{
    QFETCH(bool, cellsHaveText);
    QFETCH(int, startingFamily);
    QFETCH(QString, entry);
    QFETCH(bool, asked);
    const QString warning = "Warning: changing to this type of layout\rwill erase all text and icons from the "
                            "current\rcalendar. Proceed?";

    bool keptOpen = false;
    m_Ui->AnswerDialog([&](QDialog& shown) {
        ClickListEntry(shown, entry);
        if (asked)
            m_Ui->AnswerYesNo(false);
        Click(Control(shown, "okbutton"));
        keptOpen = shown.isVisible();
        if (asked)
            m_Ui->AnswerYesNo(true);
        if (shown.isVisible())
            Click(Control(shown, "okbutton"));
        return shown.result();
    });
    TCalendarProperties dialog;
    dialog.SetCellsHaveText(cellsHaveText);
    dialog.SetStartingLayoutFamily(TLayoutFamily(startingFamily));
    QCOMPARE(UiServices().ExecDialog(dialog), int(QDialog::Accepted));
    QCOMPARE(keptOpen, asked); // No keeps the dialog open
    QCOMPARE(m_Ui->Questions.size(), asked ? 2 : 0);
    for (const auto& question : std::as_const(m_Ui->Questions)) {
        QCOMPARE(question.Text, warning);
        QCOMPARE(question.Caption, QString("WARNING"));
    }
}

void TestCalendarProperties::StartTimeRoundTrip()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loDay10);
    main.SetStartTime((9 * 60 + 30) / 1440.0);
    auto dialog = Open(&main);
    TCalendarPanel32& preview = dialog->ExampleCalendar();
    ClickTab(*dialog, 6);
    auto* timeLabel = Control<QLabel>(*dialog, "TimeLabel");
    QCOMPARE(timeLabel->text(), ShownTime(9, 30));

    QString openingCaption;
    QStringList openingMarks;
    m_Ui->AnswerDialog([&](QDialog& shown) {
        openingCaption = shown.windowTitle();
        openingMarks = MarkedButtons(shown);
        Click(Control(shown, "HourButton14"));
        Click(Control(shown, "MinuteButton05"));
        Click(Control(shown, "okbutton"));
        return shown.result();
    });
    Click(Control(*dialog, "StartingtimeButton"));
    QCOMPARE(m_Ui->DialogsShown, QStringList{"TSetTimeDialog"});
    QCOMPARE(openingCaption, QString("Set Time As: 09:30 am"));
    QCOMPARE(openingMarks, (QStringList{"HourButton9", "MinuteButton30"}));
    QCOMPARE(timeLabel->text(), ShownTime(14, 5));
    QCOMPARE(std::lround(preview.StartTime() * 1440), 14 * 60 + 5);
}

void TestCalendarProperties::StartTimeShowsHoursAndMinutes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown"); // 8:00
    QTest::newRow("C") << "C"
                       << "08:00";
    QTest::newRow("English (United States)") << "en_US"
                                             << "8:00 AM";
    QTest::newRow("German") << "de_DE"
                            << "08:00";
    QTest::newRow("Finnish") << "fi_FI"
                             << "8.00";
}

void TestCalendarProperties::StartTimeShowsHoursAndMinutes()
{
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    const TDefaultLocale chosen(locale);
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loDay15);
    main.SetStartTime(8 * 60 / 1440.0);
    auto dialog = Open(&main);
    ClickTab(*dialog, 6);
    QCOMPARE(Control<QLabel>(*dialog, "TimeLabel")->text(), shown);
    // The shown time is read back when the start-time dialog opens.
    QStringList openingMarks;
    m_Ui->AnswerDialog([&](QDialog& shownDialog) {
        openingMarks = MarkedButtons(shownDialog);
        Click(Control(shownDialog, "CancelButton"));
        return shownDialog.result();
    });
    Click(Control(*dialog, "StartingtimeButton"));
    QCOMPARE(openingMarks, (QStringList{"HourButton8", "MinuteButton00"}));
}

void TestCalendarProperties::StartTimeCancelKeepsTheTime()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loDay15);
    main.SetStartTime(7.0 / 24);
    auto dialog = Open(&main);
    ClickTab(*dialog, 6);
    m_Ui->AnswerDialog([](QDialog& shown) {
        Click(Control(shown, "HourButton20"));
        Click(Control(shown, "CancelButton"));
        return shown.result();
    });
    Click(Control(*dialog, "StartingtimeButton"));
    QCOMPARE(Control<QLabel>(*dialog, "TimeLabel")->text(), ShownTime(7, 0));
    QCOMPARE(std::lround(dialog->ExampleCalendar().StartTime() * 1440), 7 * 60);
}

void TestCalendarProperties::UnreadableTimeLabelStartsFromNow()
{
    TCalendarPanel32 main(nullptr);
    main.SetCalendarLayout(loDay10);
    auto dialog = Open(&main);
    ClickTab(*dialog, 6);
    auto* timeLabel = Control<QLabel>(*dialog, "TimeLabel");
    timeLabel->setText("soon");
    const QTime before = QTime::currentTime();
    QTime opened;
    m_Ui->AnswerDialog([&](QDialog& shown) {
        opened = static_cast<TSetTimeDialog&>(shown).Time();
        Click(Control(shown, "CancelButton"));
        return shown.result();
    });
    Click(Control(*dialog, "StartingtimeButton"));
    const QTime after = QTime::currentTime();
    QVERIFY(opened >= QTime(before.hour(), before.minute()) && opened <= after);
    QCOMPARE(timeLabel->text(), ShownTime(opened.hour(), opened.minute()));
}

void TestCalendarProperties::ZoomButtonsStepByTenths_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("shownAtStart");
    QTest::addColumn<int>("percent");
    QTest::newRow("out stops at 20%") << 0.4f << "ZoomOutbutton" << 4 << "40%" << 20;
    QTest::newRow("in stops at 100%") << 0.7f << "ZoomInButton" << 5 << "70%" << 100;
    QTest::newRow("in from 20%") << 0.2f << "ZoomInButton" << 1 << "20%" << 30;
    QTest::newRow("out from 100%") << 1.0f << "ZoomOutbutton" << 3 << "100%" << 70;
}

void TestCalendarProperties::ZoomButtonsStepByTenths()
{
    QFETCH(float, zoom);
    QFETCH(QString, button);
    QFETCH(int, clicks);
    QFETCH(QString, shownAtStart);
    QFETCH(int, percent);
    auto dialog = Open(nullptr, zoom);
    auto* label = Control<QLabel>(*dialog, "ZoomLabel");
    QCOMPARE(label->text(), shownAtStart);
    for (int i = 0; i < clicks; ++i)
        Click(Control(*dialog, button));
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    QCOMPARE(preview.Zoom(), float(percent) / 100);
    QCOMPARE(label->text(), QString::number(percent) + "%");
    // The page is shown at the new zoom (within the base panel's rounding).
    QVERIFY(qAbs(preview.width() - preview.Geometry().Width * percent / 100) <= 2);
}

void TestCalendarProperties::HelpShowsThePagesTopic_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("topic");
    QTest::newRow("Layout") << 0 << 2100;
    QTest::newRow("Fonts & Colors") << 2 << 2102;
    QTest::newRow("Margins") << 8 << 2108;
}

void TestCalendarProperties::HelpShowsThePagesTopic()
{
    QFETCH(int, page);
    QFETCH(int, topic);
    auto dialog = Open();
    ClickTab(*dialog, page);
    Click(Control(*dialog, "Helpbutton"));
    QCOMPARE(THelpWindow::Instance().CurrentTopic(), topic);
    THelpWindow::Instance().hide();
}

void TestCalendarProperties::PreviewShowsTheWholePage_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("a4");
    QTest::newRow("month, landscape") << "1 Month Calendar " << true << false;
    QTest::newRow("month, 2 minis, landscape, A4") << "1 Month Calendar, 2 Mini Calendars" << true << true;
    QTest::newRow("24 months, landscape") << "24 Month Calendar (Mini Calendars)" << true << false;
    QTest::newRow("month, portrait") << "1 Month Calendar " << false << false;
    QTest::newRow("60 months, portrait, A4") << "60 Month Calendar (Mini Calendars)" << false << true;
}

void TestCalendarProperties::PreviewShowsTheWholePage()
{
    QFETCH(QString, entry);
    QFETCH(bool, landscape);
    QFETCH(bool, a4);
    auto dialog = Open(nullptr, 0.3f);
    ClickIndicator(Control<TRadioGroup>(*dialog, "rOrientation")->Button(landscape ? 1 : 0));
    ClickIndicator(Control<TRadioGroup>(*dialog, "PaperSize")->Button(a4 ? 1 : 0));
    ClickListEntry(*dialog, entry);
    QApplication::processEvents();
    QCOMPARE(dialog->size(), QSize(920, 540)); // the default size, not grown to make room
    const TCalendarPanel32& preview = dialog->ExampleCalendar();
    const QWidget* viewport = Control<QScrollArea>(*dialog, "PreviewScrollBox")->viewport();
    QVERIFY2(viewport->width() >= preview.width() && viewport->height() >= preview.height(),
             qPrintable(QString("page %1 x %2 in a view of %3 x %4")
                            .arg(preview.width())
                            .arg(preview.height())
                            .arg(viewport->width())
                            .arg(viewport->height())));
}

void TestCalendarProperties::PlacementIsKeptPerResolution_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QString>("section");
    QTest::newRow("96") << 96 << "TCalendarProperties_Placement";
    QTest::newRow("120") << 120 << "TCalendarProperties_Placement120";
}

void TestCalendarProperties::PlacementIsKeptPerResolution()
{
    QFETCH(int, ppi);
    QFETCH(QString, section);
    OverrideScreenPpi(ppi);
    const QRect placed(30, 40, 720, 520);
    m_Ui->AnswerDialog([&](QDialog& shown) {
        shown.setGeometry(placed);
        Click(Control(shown, "CancelButton"));
        return shown.result();
    });
    {
        TCalendarProperties dialog;
        UiServices().ExecDialog(dialog);
    }
    const TIniFile ini(IniFileName());
    QCOMPARE(ini.ReadInteger(section, "Left", 0), placed.left());
    QCOMPARE(ini.ReadInteger(section, "Top", 0), placed.top());
    QCOMPARE(ini.ReadInteger(section, "Right", 0), placed.left() + placed.width());
    QCOMPARE(ini.ReadInteger(section, "Bottom", 0), placed.top() + placed.height());
    const QString other = ppi == 96 ? "TCalendarProperties_Placement120" : "TCalendarProperties_Placement";
    QVERIFY(ini.ReadSection(other).isEmpty());

    TCalendarProperties again;
    again.show();
    QCOMPARE(again.geometry(), placed);
}

void TestCalendarProperties::PlacementBeyondTheScreenIsPulledBack()
{
    const QSize screen = QApplication::primaryScreen()->geometry().size();
    TIniFile ini(IniFileName());
    ini.WriteInteger("TCalendarProperties_Placement", "Left", screen.width() - 200);
    ini.WriteInteger("TCalendarProperties_Placement", "Top", screen.height() - 100);
    ini.WriteInteger("TCalendarProperties_Placement", "Right", screen.width() + 700);
    ini.WriteInteger("TCalendarProperties_Placement", "Bottom", screen.height() + 500);
    TCalendarProperties dialog;
    dialog.show();
    QCOMPARE(dialog.geometry(), QRect(screen.width() - 900, screen.height() - 600, 900, 600));
}

void TestCalendarProperties::PreviewIgnoresClicks()
{
    auto dialog = Open(nullptr, 1.0f);
    TCalendarPanel32& preview = dialog->ExampleCalendar();
    QTest::mouseClick(&preview, Qt::RightButton, {}, QPoint(100, 300));
    QVERIFY(!preview.PanelMenu()->isVisible());
}

void TestCalendarProperties::PreviewPassesTabEscAndEnterOn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("result"); // -1: the dialog stays open and the focus moves on
    QTest::newRow("Tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers() << -1;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier) << -1;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << int(QDialog::Rejected);
    QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << int(QDialog::Accepted);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << int(QDialog::Accepted);
}

void TestCalendarProperties::PreviewPassesTabEscAndEnterOn()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, result);
    auto dialog = Open();
    TCalendarPanel32& preview = dialog->ExampleCalendar();
    preview.setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), &preview);
    QTest::keyClick(&preview, Qt::Key(key), modifiers);
    if (result < 0) {
        QVERIFY(dialog->isVisible());
        QVERIFY(QApplication::focusWidget() != &preview);
        QVERIFY(dialog->isAncestorOf(QApplication::focusWidget()));
    } else {
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), result);
    }
}

void TestCalendarProperties::PagesSwitchFromTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("layoutSteps"); // how far the layout list moved
    const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
    const Qt::KeyboardModifiers ctrlShift(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << ctrl << 1 << 0;
    QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << ctrlShift << 8 << 0;
    QTest::newRow("Ctrl+PageDown") << int(Qt::Key_PageDown) << ctrl << 1 << 0;
    QTest::newRow("Ctrl+PageUp") << int(Qt::Key_PageUp) << ctrl << 8 << 0;
    // The list's own keys still choose the layout, and the preview follows.
    QTest::newRow("Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << 0 << 1;
}

void TestCalendarProperties::PagesSwitchFromTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, page);
    QFETCH(int, layoutSteps);
    TCalendarPanel32 source(nullptr);
    source.ResetToDefaults();
    source.SetCalendarLayout(loFullCalendar);
    auto dialog = Open(&source);
    auto* list = Control<QListWidget>(*dialog, "LayoutList");
    const int row = list->currentRow();
    QVERIFY(row >= 0 && row + 1 < list->count());
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key(key), modifiers);
    QCOMPARE(Control<QTabBar>(*dialog, "TabSet1")->currentIndex(), page);
    QCOMPARE(Control<QStackedWidget>(*dialog, "Notebook")->currentIndex(), page);
    QCOMPARE(list->currentRow(), row + layoutSteps);
    QCOMPARE(dialog->ExampleCalendar().CalendarLayout() != loFullCalendar, layoutSteps != 0);
    // The focus left the hidden list for a control of the page shown.
    if (page != 0)
        QVERIFY(
            Control<QStackedWidget>(*dialog, "Notebook")->currentWidget()->isAncestorOf(QApplication::focusWidget()));
}

void TestCalendarProperties::SetTimeDialogMarksAndCaptions_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("hourCaption");
    QTest::addColumn<QString>("caption");
    QTest::newRow("midnight") << 0 << 0 << "12"
                              << "Set Time As: 12:00 am";
    QTest::newRow("morning") << 7 << 5 << "7"
                             << "Set Time As: 07:05 am";
    QTest::newRow("noon") << 12 << 30 << "12"
                          << "Set Time As: 12:30 pm";
    QTest::newRow("last minute") << 23 << 59 << "11"
                                 << "Set Time As: 11:59 pm";
}

void TestCalendarProperties::SetTimeDialogMarksAndCaptions()
{
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, hourCaption);
    QFETCH(QString, caption);
    TSetTimeDialog dialog;
    dialog.SetTime(QTime(15, 45, 12));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Set Time As: 03:45 pm"));
    QCOMPARE(dialog.findChildren<QPushButton*>(QRegularExpression("^HourButton")).size(), 24);
    QCOMPARE(dialog.findChildren<QPushButton*>(QRegularExpression("^MinuteButton")).size(), 60);

    auto* hourButton = Control<QPushButton>(dialog, QString("HourButton%1").arg(hour));
    auto* minuteButton = Control<QPushButton>(dialog, QString("MinuteButton%1").arg(minute, 2, 10, QChar('0')));
    QCOMPARE(hourButton->text(), hourCaption);
    Click(hourButton);
    Click(minuteButton);
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(MarkedButtons(dialog), (QStringList{hourButton->objectName(), minuteButton->objectName()}));
    QCOMPARE(dialog.Time(), QTime(hour, minute));
}

void TestCalendarProperties::UserTitleFormEditsTheTitle()
{
    m_Ui->AnswerDialog([](QDialog& shown) {
        auto* edit = Control<QLineEdit>(shown, "TitleText");
        if (edit->text() != "Old title")
            return int(QDialog::Rejected);
        edit->selectAll();
        QTest::keyClicks(edit, "Family 2024");
        Click(Control(shown, "okbutton"));
        return shown.result();
    });
    TUserTitleForm form;
    form.SetTitle("Old title");
    QCOMPARE(UiServices().ExecDialog(form), int(QDialog::Accepted));
    QCOMPARE(form.windowTitle(), QString("User Defined Title"));
    QCOMPARE(form.Title(), QString("Family 2024"));

    m_Ui->AnswerDialog([](QDialog& shown) {
        QTest::keyClicks(Control<QLineEdit>(shown, "TitleText"), "ignored");
        Click(Control(shown, "CancelButton"));
        return shown.result();
    });
    QCOMPARE(UiServices().ExecDialog(form), int(QDialog::Rejected));
}

QObject* NewTestCalendarProperties()
{
    return new TestCalendarProperties;
}

#include "TestCalendarProperties.moc"
