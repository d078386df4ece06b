#pragma once
// The calendar properties dialog: everything about the page except its cell texts and objects,
// chosen on nine pages (layout, date, fonts and colours, mini fonts and colours, header styles,
// line styles, day planner start, language, margins) and shown at once on its own preview page,
// ExampleCalendar. The main window copies its page's settings into the preview before showing
// the dialog and copies them back after OK; the dialog also saves and loads style sheets.

#include "calendar/CalendarTypes.h"
#include "objects/Zoom.h"

#include <QDialog>
#include <QList>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class TCalendarPanel32;
class TColorButton;
class TFont;
class TMemo;
class TRadioGroup;

class TCalendarProperties : public QDialog {
    Q_OBJECT
public:
    explicit TCalendarProperties(QWidget* parent = nullptr);

    TCalendarPanel32& ExampleCalendar() { return *m_ExampleCalendar; }

    // Set by the main window before the dialog is shown.
    void SetNewCalendar(bool value) { m_NewCalendar = value; }
    void SetCellsHaveText(bool value) { m_CellsHaveText = value; }
    void SetStartingLayoutFamily(TLayoutFamily value) { m_StartingLayoutFamily = value; }

    bool PlannerChosen() const { return m_PlannerChosen; }

    // Every way of closing stores the window placement.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* LayoutPage();
    QWidget* DatePage();
    QWidget* FontsPage();
    QWidget* MiniFontsPage();
    QWidget* HeaderStylesPage();
    QWidget* LineStylesPage();
    QWidget* DayPlannerPage();
    QWidget* LanguagePage();
    QWidget* MarginsPage();
    QWidget* PreviewPane();
    QLayout* BottomButtons();

    void FirstActivation();
    // Shows the page `step` pages on, round from the last to the first and back.
    void StepPage(int step);
    // Shows the preview's settings in the controls; the controls change nothing meanwhile.
    void FillControls();
    void LayoutChoice();
    void DateChoice();
    void UpdateEnabling();
    void FontButtonClick(TFont& font);
    void MonthNamesExit();
    void DayNamesExit();
    void LanguageClick(const QStringList& dayNames, const QStringList& monthNames);
    void ShowMarginUnits(bool millimetres);
    void StartingtimeButtonClick();
    // Steps the preview's zoom with `step` (TZoom::In or TZoom::Out).
    void StepZoom(TZoom (TZoom::*step)(TZoomRange) const);
    void ShowZoom();
    void DefaultbuttonClick();
    void SaveAsStyleSheetButtonClick();
    void LoadStyleSheetButtonClick();
    void okbuttonClick();
    void HelpbuttonClick();

    bool m_Initializing = true;
    bool m_PlannerChosen = false;
    bool m_NewCalendar = false;
    bool m_CellsHaveText = false;
    TLayoutFamily m_StartingLayoutFamily = lfMultiMonth;
    bool m_Activated = false;

    TCalendarPanel32* m_ExampleCalendar;
    QTabBar* m_TabSet1;
    QStackedWidget* m_Notebook;
    QListWidget* m_LayoutList;
    TRadioGroup* m_rOrientation;
    TRadioGroup* m_PaperSize;
    QLabel* m_SelectMonthYearLabel;
    QLabel* m_DateLabel;
    QCalendarWidget* m_Calendar;
    TRadioGroup* m_WeekStartsOn;
    QCheckBox* m_TitleShowYearCheck;
    QCheckBox* m_MiniShowYearCheck;
    QPushButton* m_TitleFontbutton;
    QPushButton* m_HeaderFontButton;
    QPushButton* m_NumberFontButton;
    TColorButton* m_TitleBGColor;
    TColorButton* m_HeaderBGColor;
    QPushButton* m_Minititlefontbutton;
    QPushButton* m_MiniHeaderFontButton;
    QPushButton* m_MiniCellFontButton;
    TColorButton* m_MiniHeadersBGColorButton;
    TColorButton* m_MiniCalBGColorButton;
    QComboBox* m_CalHeaderStyleCombo;
    QComboBox* m_MiniHeadersStyleCombo;
    QComboBox* m_CalendarLineLayoutCombo;
    QComboBox* m_MiniCalendarLineLayoutCombo;
    QPushButton* m_StartingtimeButton;
    QLabel* m_TimeLabel;
    TMemo* m_MonthNames;
    TMemo* m_DayNames;
    QList<QComboBox*> m_MarginLists; // left, top, right, bottom
    QRadioButton* m_useInches;
    QRadioButton* m_UseMillimeters;
    QLabel* m_ZoomLabel;
};
