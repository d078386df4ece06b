#include "calendar/CalendarProperties.h"

#include "calendar/CalendarPanel32.h"
#include "calendar/SetTimeDialog.h"
#include "controls/ColorButton.h"
#include "controls/Memo.h"
#include "controls/RadioGroup.h"
#include "objects/FontChoice.h"
#include "platform/MervaneError.h"
#include "platform/ProgramFolders.h"
#include "platformui/HelpWindow.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"
#include "platformui/WindowPlacement.h"
#include "stream/Font.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace {

const QStringList PageNames = {"Layout",        "Date",        "Fonts && Colors", "Mini Fonts && Colors",
                               "Header Styles", "Line Styles", "Day Planner",     "Language",
                               "Margins"};

const QStringList LayoutNames = {"1 Month Calendar ",
                                 "1 Month Calendar, 2 Mini Calendars",
                                 "1 Month Calendar, 6 Mini Calendars Before & After ",
                                 "1 Month Calendar, 12 Mini Calendars After ",
                                 "6 Month Calendar (Mini Calendars)",
                                 "12 Month Calendar (Mini Calendars)",
                                 "24 Month Calendar (Mini Calendars)",
                                 "48 Month Calendar (Mini Calendars)",
                                 "60 Month Calendar (Mini Calendars)",
                                 "One Week Planner",
                                 "Two Week Planner",
                                 "Day Planner (10 hours) ",
                                 "Day Planner (15 hours) "};

// The list entries of the month-grid and multi-month layouts come in portrait/landscape pairs;
// the four planners follow them one entry each.
constexpr int FirstPlannerEntry = 9;

const QStringList HeaderStyleNames = {"First Character", "First Three Characters", "Whole Word"};
const QStringList LineLayoutNames = {"Full", "Headers & Cells", "Cells Only"};
const QStringList MiniLineLayoutNames = {"Full", "Boxed", "Minimal"};

const QStringList InchEntries = {"¼ Inch", "½ Inch", "¾ Inch", "1 Inch", "1¼ Inch", "1½ Inch"};
// The same positions and values as the inch entries, rounded to whole millimetres.
const QStringList MillimetreEntries = {"6 mm", "13 mm", "19 mm", "25 mm", "32 mm", "38 mm"};

struct TLanguage {
    const char* ButtonName;
    const char* Caption;
    QStringList DayNames; // Sunday first
    QStringList MonthNames;
};

const QList<TLanguage> Languages = {
    {"English",
     "English",
     {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
     {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
      "December"}},
    {"German",
     "Deutsch",
     // "Freitag " carries its trailing blank.
     {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag ", "Samstag"},
     {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober", "November",
      "Dezember"}},
    {"French",
     "Français",
     {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"},
     {"Janvier", "Février", "Mars", "Avril", "Mai", "Juin", "Juillet", "Août", "Septembre", "Octobre", "Novembre",
      "Décembre"}},
    {"Spanish",
     "Español",
     {"Domingo", "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado"},
     {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre", "Octubre", "Noviembre",
      "Diciembre"}},
    {"Italian",
     "L'italiano",
     {"Domenica", "Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"},
     {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto", "Settembre", "Ottobre",
      "Novembre", "Dicembre"}},
};

const char* const StyleSheetFilter = "Calendar Style Sheet|*.MVS";

const char* const FamilyChangeWarning = "Warning: changing to this type of layout\rwill erase all text and icons "
                                        "from the current\rcalendar. Proceed?";

// The list entry that shows a margin of `inches`: the quarter inch at or below it, from ¼ to 1½.
int MarginEntry(double inches)
{
    if (inches < 0.5)
        return 0;
    if (inches < 0.75)
        return 1;
    if (inches < 1)
        return 2;
    if (inches < 1.25)
        return 3;
    if (inches < 1.5)
        return 4;
    return 5;
}

double MarginOfEntry(int entry)
{
    return entry >= 0 && entry < InchEntries.size() ? 0.25 * (entry + 1) : 0;
}

// The locale's short time format without seconds: some locales (the C locale among them) give
// "HH:mm:ss" as their short form, and the start time is chosen in whole minutes.
QString ShortTimeFormat()
{
    static const QRegularExpression seconds("[^\\w' ]?s{1,2}(\\.z+)?");
    return QLocale().timeFormat(QLocale::ShortFormat).remove(seconds);
}

QString ShortTime(const QTime& time)
{
    return QLocale().toString(time, ShortTimeFormat());
}

// "mmmm yyyy" with the month's stand-alone name: a date format would give the form that follows
// a day number in many languages ("stycznia 2024" instead of "styczeń 2024").
QString MonthAndYear(const QDate& date)
{
    return QLocale().standaloneMonthName(date.month(), QLocale::LongFormat) + ' ' + QString::number(date.year());
}

QTime TimeOfDay(double fraction)
{
    const qint64 minutes = std::llround(fraction * 1440) % 1440;
    return QTime(int(minutes / 60), int(minutes % 60));
}

bool HasExtension(const QString& fileName, const QString& extension)
{
    return QFileInfo(fileName).suffix().toUpper() == extension;
}

QPushButton* NamedButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QComboBox* NamedList(const QStringList& entries, const QString& name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(entries);
    return list;
}

void SetEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

template <typename T>
T* Named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// The preview only shows the page: its clicks and its object menu are not for this dialog.
class TViewOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu: return true;
        default: return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

TCalendarProperties::TCalendarProperties(QWidget* parent)
    : QDialog(parent)
    , m_ExampleCalendar(new TCalendarPanel32(nullptr))
    , m_TabSet1(Named(new QTabBar(this), "TabSet1"))
    , m_Notebook(Named(new QStackedWidget(this), "Notebook"))
{
    setWindowTitle("Calendar Properties");

    for (const QString& name : PageNames)
        m_TabSet1->addTab(name);
    m_TabSet1->setExpanding(false);
    for (QWidget* page : {LayoutPage(), DatePage(), FontsPage(), MiniFontsPage(), HeaderStylesPage(), LineStylesPage(),
                          DayPlannerPage(), LanguagePage(), MarginsPage()})
        m_Notebook->addWidget(page);
    connect(m_TabSet1, &QTabBar::currentChanged, m_Notebook, &QStackedWidget::setCurrentIndex);
    // The pages switch from the keyboard wherever the focus is, as in any tabbed dialog; the
    // layout list never sees these keys.
    const std::pair<QKeySequence, int> pageKeys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                                                     {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
                                                     {Qt::CTRL | Qt::Key_PageDown, 1},
                                                     {Qt::CTRL | Qt::Key_PageUp, -1}};
    for (const auto& [key, step] : pageKeys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this, step = step] { StepPage(step); });

    auto* pages = new QHBoxLayout;
    pages->addWidget(m_Notebook, 1);
    pages->addWidget(PreviewPane(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_TabSet1);
    layout->addLayout(pages, 1);
    layout->addLayout(BottomButtons());
    resize(920, 540);
}

QWidget* TCalendarProperties::LayoutPage()
{
    auto* page = new QWidget(this);
    m_LayoutList = Named(new QListWidget(page), "LayoutList");
    m_LayoutList->addItems(LayoutNames);
    connect(m_LayoutList, &QListWidget::currentRowChanged, this, [this] { LayoutChoice(); });
    m_rOrientation = Named(new TRadioGroup("Orientation", {"Portrait", "Landscape"}, page), "rOrientation");
    connect(m_rOrientation, &TRadioGroup::Clicked, this, [this] { LayoutChoice(); });
    m_PaperSize = Named(new TRadioGroup("Paper", {"Letter", "A4"}, page), "PaperSize");
    connect(m_PaperSize, &TRadioGroup::Clicked, this, [this] { LayoutChoice(); });

    auto* choices = new QVBoxLayout;
    choices->addWidget(m_rOrientation);
    choices->addWidget(m_PaperSize);
    choices->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_LayoutList, 1);
    layout->addLayout(choices);
    return page;
}

QWidget* TCalendarProperties::DatePage()
{
    auto* page = new QWidget(this);
    m_Calendar = Named(new QCalendarWidget(page), "Calendar");
    m_Calendar->setFirstDayOfWeek(Qt::Sunday);
    m_Calendar->setNavigationBarVisible(false);
    m_Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(m_Calendar, &QCalendarWidget::selectionChanged, this, [this] { DateChoice(); });
    // With the grid as its buddy the label shows "&&" as one ampersand.
    m_SelectMonthYearLabel = Named(new QLabel("Select Month && Year", page), "SelectMonthYearLabel");
    m_SelectMonthYearLabel->setBuddy(m_Calendar);
    m_DateLabel = Named(new QLabel(page), "DateLabel");
    m_DateLabel->setAlignment(Qt::AlignCenter);

    auto* moves = new QHBoxLayout;
    const std::pair<const char*, std::function<QDate(QDate)>> steps[] = {
        {"<<", [](QDate d) { return d.addYears(-1); }},      {"<", [](QDate d) { return d.addMonths(-1); }},
        {"Now", [](QDate) { return QDate::currentDate(); }}, {">", [](QDate d) { return d.addMonths(1); }},
        {">>", [](QDate d) { return d.addYears(1); }},
    };
    int number = 8;
    for (const auto& [caption, step] : steps) {
        QPushButton* button = NamedButton(caption, QString("Button%1").arg(number++), page);
        // As narrow as the caption needs: the pages keep at least their widest minimum and the
        // preview gets the rest, and five buttons of the usual width made this page so wide that
        // a landscape page at 30 % no longer fitted the preview.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(" Now ") * 3 / 2);
        connect(button, &QPushButton::clicked, this,
                [this, step = step] { m_Calendar->setSelectedDate(step(m_Calendar->selectedDate())); });
        moves->addWidget(button);
    }

    m_WeekStartsOn = Named(new TRadioGroup("Week Starts On", {"Sunday", "Monday"}, page), "WeekStartsOn");
    connect(m_WeekStartsOn, &TRadioGroup::Clicked, this, [this](int index) {
        if (!m_Initializing)
            m_ExampleCalendar->SetStartOfWeek(index + 1);
    });
    m_TitleShowYearCheck = Named(new QCheckBox("Show Year in Title", page), "TitleShowYearCheck");
    connect(m_TitleShowYearCheck, &QCheckBox::clicked, this, [this](bool checked) {
        if (!m_Initializing)
            m_ExampleCalendar->SetTitleShowYear(checked);
    });
    m_MiniShowYearCheck = Named(new QCheckBox("Show Year in Mini Title", page), "MiniShowYearCheck");
    connect(m_MiniShowYearCheck, &QCheckBox::clicked, this, [this](bool checked) {
        if (!m_Initializing)
            m_ExampleCalendar->SetMiniShowYear(checked);
    });

    auto* grid = new QVBoxLayout;
    grid->addWidget(m_SelectMonthYearLabel);
    grid->addWidget(m_DateLabel);
    grid->addWidget(m_Calendar, 1);
    grid->addLayout(moves);
    auto* options = new QVBoxLayout;
    options->addWidget(m_WeekStartsOn);
    options->addWidget(m_TitleShowYearCheck);
    options->addWidget(m_MiniShowYearCheck);
    options->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(grid, 1);
    layout->addLayout(options);
    return page;
}

QWidget* TCalendarProperties::FontsPage()
{
    auto* page = new QWidget(this);
    m_TitleFontbutton = NamedButton("Font", "TitleFontbutton", page);
    connect(m_TitleFontbutton, &QPushButton::clicked, this,
            [this] { FontButtonClick(m_ExampleCalendar->TitleFont()); });
    m_HeaderFontButton = NamedButton("Font", "HeaderFontButton", page);
    connect(m_HeaderFontButton, &QPushButton::clicked, this,
            [this] { FontButtonClick(m_ExampleCalendar->HeadersFont()); });
    m_NumberFontButton = NamedButton("Font", "NumberFontButton", page);
    connect(m_NumberFontButton, &QPushButton::clicked, this,
            [this] { FontButtonClick(m_ExampleCalendar->CellFont()); });
    m_TitleBGColor = Named(new TColorButton(page), "TitleBGColor");
    connect(m_TitleBGColor, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Initializing)
            m_ExampleCalendar->SetTitleBGColor(color);
    });
    m_HeaderBGColor = Named(new TColorButton(page), "HeaderBGColor");
    connect(m_HeaderBGColor, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Initializing)
            m_ExampleCalendar->SetHeadersBGColor(color);
    });

    auto* layout = new QFormLayout(page);
    layout->addRow("Title font:", m_TitleFontbutton);
    layout->addRow("Title background:", m_TitleBGColor);
    layout->addRow("Day headers font:", m_HeaderFontButton);
    layout->addRow("Day headers background:", m_HeaderBGColor);
    layout->addRow("Day numbers font:", m_NumberFontButton);
    return page;
}

QWidget* TCalendarProperties::MiniFontsPage()
{
    auto* page = new QWidget(this);
    m_Minititlefontbutton = NamedButton("Font", "Minititlefontbutton", page);
    connect(m_Minititlefontbutton, &QPushButton::clicked, this,
            [this] { FontButtonClick(m_ExampleCalendar->MiniTitleFont()); });
    m_MiniHeaderFontButton = NamedButton("Font", "MiniHeaderFontButton", page);
    connect(m_MiniHeaderFontButton, &QPushButton::clicked, this,
            [this] { FontButtonClick(m_ExampleCalendar->MiniHeadersFont()); });
    m_MiniCellFontButton = NamedButton("Font", "MiniCellFontButton", page);
    connect(m_MiniCellFontButton, &QPushButton::clicked, this,
            [this] { FontButtonClick(m_ExampleCalendar->MiniCellFont()); });
    m_MiniHeadersBGColorButton = Named(new TColorButton(page), "MiniHeadersBGColorButton");
    connect(m_MiniHeadersBGColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Initializing)
            m_ExampleCalendar->SetMiniHeadersBGColor(color);
    });
    m_MiniCalBGColorButton = Named(new TColorButton(page), "MiniCalBGColorButton");
    connect(m_MiniCalBGColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Initializing)
            m_ExampleCalendar->SetMiniCalBGColor(color);
    });

    auto* layout = new QFormLayout(page);
    layout->addRow("Mini title font:", m_Minititlefontbutton);
    layout->addRow("Mini day headers font:", m_MiniHeaderFontButton);
    layout->addRow("Mini day headers background:", m_MiniHeadersBGColorButton);
    layout->addRow("Mini day numbers font:", m_MiniCellFontButton);
    layout->addRow("Mini calendar background:", m_MiniCalBGColorButton);
    return page;
}

QWidget* TCalendarProperties::HeaderStylesPage()
{
    auto* page = new QWidget(this);
    m_CalHeaderStyleCombo = NamedList(HeaderStyleNames, "CalHeaderStyleCombo", page);
    connect(m_CalHeaderStyleCombo, &QComboBox::activated, this, [this](int index) {
        if (!m_Initializing)
            m_ExampleCalendar->SetHeadersStyle(TCalHeadersStyle(index));
    });
    m_MiniHeadersStyleCombo = NamedList(HeaderStyleNames, "MiniHeadersStyleCombo", page);
    connect(m_MiniHeadersStyleCombo, &QComboBox::activated, this, [this](int index) {
        if (!m_Initializing)
            m_ExampleCalendar->SetMiniHeadersStyle(TCalHeadersStyle(index));
    });
    auto* layout = new QFormLayout(page);
    layout->addRow("Calendar day headers:", m_CalHeaderStyleCombo);
    layout->addRow("Mini calendar day headers:", m_MiniHeadersStyleCombo);
    return page;
}

QWidget* TCalendarProperties::LineStylesPage()
{
    auto* page = new QWidget(this);
    m_CalendarLineLayoutCombo = NamedList(LineLayoutNames, "CalendarLineLayoutCombo", page);
    connect(m_CalendarLineLayoutCombo, &QComboBox::activated, this, [this](int index) {
        if (!m_Initializing)
            m_ExampleCalendar->SetCalendarLineLayout(TCalendarLineLayout(index));
    });
    m_MiniCalendarLineLayoutCombo = NamedList(MiniLineLayoutNames, "MiniCalendarLineLayoutCombo", page);
    connect(m_MiniCalendarLineLayoutCombo, &QComboBox::activated, this, [this](int index) {
        if (!m_Initializing)
            m_ExampleCalendar->SetMiniCalendarLineLayout(TMiniCalendarLineLayout(index));
    });
    auto* layout = new QFormLayout(page);
    layout->addRow("Calendar lines:", m_CalendarLineLayoutCombo);
    layout->addRow("Mini calendar lines:", m_MiniCalendarLineLayoutCombo);
    return page;
}

QWidget* TCalendarProperties::DayPlannerPage()
{
    auto* page = new QWidget(this);
    m_StartingtimeButton = NamedButton("Starting Time", "StartingtimeButton", page);
    connect(m_StartingtimeButton, &QPushButton::clicked, this, [this] { StartingtimeButtonClick(); });
    m_TimeLabel = Named(new QLabel(page), "TimeLabel");
    auto* note =
        new QLabel("*(Note: This setting only applies if you have selected one of the two Day Planners from the "
                   "Layout tab)",
                   page);
    note->setWordWrap(true);

    auto* time = new QHBoxLayout;
    time->addWidget(m_StartingtimeButton);
    time->addWidget(m_TimeLabel, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(time);
    layout->addWidget(note);
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::LanguagePage()
{
    auto* page = new QWidget(this);
    m_MonthNames = Named(new TMemo(page), "MonthNames");
    connect(m_MonthNames, &TMemo::Exited, this, [this] { MonthNamesExit(); });
    m_DayNames = Named(new TMemo(page), "DayNames");
    connect(m_DayNames, &TMemo::Exited, this, [this] { DayNamesExit(); });

    auto* buttons = new QVBoxLayout;
    for (const TLanguage& language : Languages) {
        QPushButton* button = NamedButton(language.Caption, language.ButtonName, page);
        connect(button, &QPushButton::clicked, this,
                [this, &language] { LanguageClick(language.DayNames, language.MonthNames); });
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* months = new QVBoxLayout;
    months->addWidget(new QLabel("Month names:", page));
    months->addWidget(m_MonthNames);
    auto* days = new QVBoxLayout;
    days->addWidget(new QLabel("Day names (Sunday first):", page));
    days->addWidget(m_DayNames);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(months, 1);
    layout->addLayout(days, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget* TCalendarProperties::MarginsPage()
{
    auto* page = new QWidget(this);
    auto* lists = new QFormLayout;
    const std::tuple<const char*, const char*, double TCalendarSettings::*> margins[] = {
        {"LeftMarginInchcombo", "Left:", &TCalendarSettings::LeftMargin},
        {"TopMarginInchcombo", "Top:", &TCalendarSettings::TopMargin},
        {"RightMarginInchcombo", "Right:", &TCalendarSettings::RightMargin},
        {"BottomMarginInchcombo", "Bottom:", &TCalendarSettings::BottomMargin},
    };
    for (const auto& [name, caption, margin] : margins) {
        QComboBox* list = NamedList(InchEntries, name, page);
        connect(list, &QComboBox::activated, this, [this, margin = margin](int index) {
            if (m_Initializing)
                return;
            TCalendarSettings settings = m_ExampleCalendar->Settings();
            settings.*margin = MarginOfEntry(index);
            m_ExampleCalendar->SetSettings(settings);
        });
        lists->addRow(caption, list);
        m_MarginLists += list;
    }
    m_useInches = Named(new QRadioButton("Use Inches", page), "useInches");
    m_useInches->setChecked(true);
    connect(m_useInches, &QRadioButton::clicked, this, [this] { ShowMarginUnits(false); });
    m_UseMillimeters = Named(new QRadioButton("Use Millimeters", page), "UseMillimeters");
    connect(m_UseMillimeters, &QRadioButton::clicked, this, [this] { ShowMarginUnits(true); });

    auto* units = new QVBoxLayout;
    units->addWidget(m_useInches);
    units->addWidget(m_UseMillimeters);
    units->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(lists);
    layout->addLayout(units);
    layout->addStretch();
    return page;
}

QWidget* TCalendarProperties::PreviewPane()
{
    auto* pane = new QWidget(this);
    auto* scrollBox = Named(new QScrollArea(pane), "PreviewScrollBox");
    scrollBox->setBackgroundRole(QPalette::Dark);
    scrollBox->setWidget(m_ExampleCalendar);
    m_ExampleCalendar->setObjectName("ExampleCalendar");
    m_ExampleCalendar->setToolTip("This is an example calendar");
    m_ExampleCalendar->installEventFilter(new TViewOnlyFilter(this));

    auto* zoomOut = Named(new QToolButton(pane), "ZoomOutbutton");
    zoomOut->setText("-");
    zoomOut->setToolTip("Zoom Out");
    connect(zoomOut, &QToolButton::clicked, this, [this] { StepZoom(&TZoom::Out); });
    auto* zoomIn = Named(new QToolButton(pane), "ZoomInButton");
    zoomIn->setText("+");
    zoomIn->setToolTip("Zoom In");
    connect(zoomIn, &QToolButton::clicked, this, [this] { StepZoom(&TZoom::In); });
    m_ZoomLabel = Named(new QLabel(pane), "ZoomLabel");

    auto* zoom = new QHBoxLayout;
    zoom->addStretch();
    zoom->addWidget(zoomOut);
    zoom->addWidget(m_ZoomLabel);
    zoom->addWidget(zoomIn);
    zoom->addStretch();
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollBox, 1);
    layout->addLayout(zoom);
    return pane;
}

QLayout* TCalendarProperties::BottomButtons()
{
    auto* ok = NamedButton("&Ok", "okbutton", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { okbuttonClick(); });
    auto* cancel = NamedButton("&Cancel", "CancelButton", this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* save = NamedButton("&Save As Style Sheet", "SaveAsStyleSheetButton", this);
    connect(save, &QPushButton::clicked, this, [this] { SaveAsStyleSheetButtonClick(); });
    auto* load = NamedButton("&Load Style Sheet", "LoadStyleSheetButton", this);
    connect(load, &QPushButton::clicked, this, [this] { LoadStyleSheetButtonClick(); });
    auto* defaults = NamedButton("&Default Style", "Defaultbutton", this);
    connect(defaults, &QPushButton::clicked, this, [this] { DefaultbuttonClick(); });
    auto* help = NamedButton("&Help", "Helpbutton", this);
    connect(help, &QPushButton::clicked, this, [this] { HelpbuttonClick(); });

    auto* layout = new QHBoxLayout;
    for (QPushButton* button : {ok, cancel, save, load, defaults, help})
        layout->addWidget(button);
    return layout;
}

void TCalendarProperties::StepPage(int step)
{
    const bool inPage = m_Notebook->isAncestorOf(focusWidget());
    const int count = m_TabSet1->count();
    m_TabSet1->setCurrentIndex((m_TabSet1->currentIndex() + step + count) % count);
    if (!inPage)
        return;
    // The focus follows to the new page's first control, as Tab would reach it.
    QWidget* page = m_Notebook->currentWidget();
    for (QWidget* widget = page->nextInFocusChain(); widget != page; widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(this) &&
            widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    m_TabSet1->setFocus(Qt::TabFocusReason);
}

void TCalendarProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_Activated) {
        m_Activated = true;
        FirstActivation();
    }
}

void TCalendarProperties::done(int result)
{
    SavePlacement(*this);
    QDialog::done(result);
}

void TCalendarProperties::FirstActivation()
{
    ShowZoom();
    RestorePlacement(*this);
    if (m_NewCalendar)
        m_ExampleCalendar->ResetToDefaults();
    FillControls();
    m_Initializing = false;
    LayoutChoice();
}

void TCalendarProperties::FillControls()
{
    m_Initializing = true;
    const TCalendarPanel32& page = *m_ExampleCalendar;
    const int layout = page.CalendarLayout();
    m_PlannerChosen = layout >= loWeek;
    m_LayoutList->setCurrentRow(m_PlannerChosen ? layout - loWeek + FirstPlannerEntry : layout / 2);
    m_rOrientation->SetItemIndex(m_PlannerChosen ? 0 : layout % 2);
    m_PaperSize->SetItemIndex(page.UseA4Paper() ? 1 : 0);
    m_SelectMonthYearLabel->setText(m_PlannerChosen ? "Select Starting Date" : "Select Month && Year");

    // A day the month does not have (0 in pages never given a day) shows as the nearest one.
    const QDate first(page.MainCalYear(), std::clamp(page.MainCalMonth(), 1, 12), 1);
    const QDate date = first.isValid() ? first.addDays(std::clamp(page.MainCalDay(), 1, first.daysInMonth()) - 1)
                                       : QDate::currentDate();
    m_Calendar->setSelectedDate(date);
    QStringList months, days;
    for (int m = 1; m <= 12; ++m)
        months += page.GetMonthName(m);
    for (int d = 1; d <= 7; ++d)
        days += page.GetDayName(d);
    m_MonthNames->SetLines(months);
    m_DayNames->SetLines(days);

    m_WeekStartsOn->SetItemIndex(page.StartOfWeek() == 1 ? 0 : 1);
    m_TitleBGColor->SetColor(page.TitleBGColor());
    m_HeaderBGColor->SetColor(page.HeadersBGColor());
    m_MiniHeadersBGColorButton->SetColor(page.MiniHeadersBGColor());
    m_MiniCalBGColorButton->SetColor(page.MiniCalBGColor());
    m_CalHeaderStyleCombo->setCurrentIndex(page.HeadersStyle());
    m_MiniHeadersStyleCombo->setCurrentIndex(page.MiniHeadersStyle());
    m_CalendarLineLayoutCombo->setCurrentIndex(page.CalendarLineLayout());
    m_MiniCalendarLineLayoutCombo->setCurrentIndex(page.MiniCalendarLineLayout());
    m_TitleShowYearCheck->setChecked(page.TitleShowYear());
    m_MiniShowYearCheck->setChecked(page.MiniShowYear());

    m_DateLabel->setText(MonthAndYear(m_Calendar->selectedDate()));
    m_TimeLabel->setText(ShortTime(TimeOfDay(page.StartTime())));
    const double margins[] = {page.LeftMarginInch(), page.TopMarginInch(), page.RightMarginInch(),
                              page.BottomMarginInch()};
    for (int i = 0; i < m_MarginLists.size(); ++i)
        m_MarginLists[i]->setCurrentIndex(MarginEntry(margins[i]));
}

void TCalendarProperties::LayoutChoice()
{
    if (m_Initializing)
        return;
    TCalendarPanel32& page = *m_ExampleCalendar;
    page.SetUseA4Paper(m_PaperSize->ItemIndex() == 1);
    TCalendarLayout layout = page.CalendarLayout();
    const int entry = m_LayoutList->currentRow();
    if (entry >= FirstPlannerEntry)
        layout = TCalendarLayout(loWeek + entry - FirstPlannerEntry);
    else if (entry >= 0)
        layout = TCalendarLayout(entry * 2 + (m_rOrientation->ItemIndex() == 1 ? 1 : 0));
    m_PlannerChosen = layout >= loWeek;
    DateChoice(); // the date label takes the form of the new kind of page
    page.SetCalendarLayout(layout);
    page.RecalcLayout(true); // the layout's mini font preset applies
    UpdateEnabling();
}

void TCalendarProperties::DateChoice()
{
    const QDate date = m_Calendar->selectedDate();
    m_DateLabel->setText(m_PlannerChosen ? QLocale().toString(date, QLocale::LongFormat) : MonthAndYear(date));
    if (m_Initializing)
        return;
    m_ExampleCalendar->SetMainCalMonth(date.month());
    m_ExampleCalendar->SetMainCalYear(date.year());
    m_ExampleCalendar->SetMainCalDay(date.day());
}

void TCalendarProperties::UpdateEnabling()
{
    const int layout = m_ExampleCalendar->CalendarLayout();
    const TLayoutFamily family = m_ExampleCalendar->LayoutFamily();
    const bool month = layout < lopMC6Month;
    const bool minis = layout >= loFCMinisInTitle && layout <= loMC60MonthLS;
    const bool planner = layout >= loWeek;
    m_rOrientation->setEnabled(family == lfMonth || family == lfMultiMonth);
    m_WeekStartsOn->setEnabled(!planner);
    SetEnabled({m_TitleShowYearCheck, m_TitleBGColor, m_NumberFontButton, m_CalendarLineLayoutCombo}, month);
    SetEnabled({m_TitleFontbutton, m_HeaderFontButton, m_HeaderBGColor, m_CalHeaderStyleCombo}, month || planner);
    SetEnabled({m_MiniShowYearCheck, m_Minititlefontbutton, m_MiniHeaderFontButton, m_MiniHeadersBGColorButton,
                m_MiniCellFontButton, m_MiniCalBGColorButton, m_MiniHeadersStyleCombo, m_MiniCalendarLineLayoutCombo},
               minis);
    m_StartingtimeButton->setEnabled(family == lfTenDay || family == lfFifteenDay);
    m_SelectMonthYearLabel->setText(planner ? "Select Starting Date" : "Select Month && Year");
}

void TCalendarProperties::FontButtonClick(TFont& font)
{
    if (m_Initializing)
        return;
    TFontChoice choice = ChoiceFromFont(font);
    if (UiServices().ChooseFont(choice))
        CopyChoiceToFont(choice, font);
    m_ExampleCalendar->update();
}

void TCalendarProperties::MonthNamesExit()
{
    if (m_Initializing)
        return;
    // Missing lines keep the old names; lines past the twelfth are ignored.
    const QStringList lines = m_MonthNames->Lines();
    for (int i = 1; i <= 12 && i <= lines.size(); ++i)
        m_ExampleCalendar->SetMonthName(i, lines[i - 1]);
    m_ExampleCalendar->update();
}

void TCalendarProperties::DayNamesExit()
{
    if (m_Initializing)
        return;
    const QStringList lines = m_DayNames->Lines();
    for (int i = 1; i <= 7 && i <= lines.size(); ++i)
        m_ExampleCalendar->SetDayName(i, lines[i - 1]);
    m_ExampleCalendar->update();
}

void TCalendarProperties::LanguageClick(const QStringList& dayNames, const QStringList& monthNames)
{
    if (m_Initializing)
        return;
    m_DayNames->SetLines(dayNames);
    m_MonthNames->SetLines(monthNames);
    MonthNamesExit();
    DayNamesExit();
}

void TCalendarProperties::ShowMarginUnits(bool millimetres)
{
    // Same positions, same values: only the captions change, nothing is applied.
    for (QComboBox* list : std::as_const(m_MarginLists)) {
        const int entry = list->currentIndex();
        list->clear();
        list->addItems(millimetres ? MillimetreEntries : InchEntries);
        list->setCurrentIndex(entry);
    }
}

void TCalendarProperties::StartingtimeButtonClick()
{
    if (m_Initializing)
        return;
    QTime time = QLocale().toTime(m_TimeLabel->text(), ShortTimeFormat());
    if (!time.isValid()) {
        time = QTime::currentTime();
        m_TimeLabel->setText(ShortTime(time));
    }
    TSetTimeDialog dialog(this);
    dialog.SetTime(time);
    if (UiServices().ExecDialog(dialog) != QDialog::Accepted)
        return;
    const QTime chosen = dialog.Time();
    m_TimeLabel->setText(ShortTime(chosen));
    m_ExampleCalendar->SetStartTime((chosen.hour() * 60 + chosen.minute()) / 1440.0);
}

void TCalendarProperties::StepZoom(TZoom (TZoom::*step)(TZoomRange) const)
{
    if (m_Initializing)
        return;
    const TZoom current = TZoom::OfFactor(m_ExampleCalendar->Zoom());
    m_ExampleCalendar->SetZoom((current.*step)(TZoom::PreviewRange).Factor());
    ShowZoom();
}

void TCalendarProperties::ShowZoom()
{
    m_ZoomLabel->setText(QString::number(TZoom::OfFactor(m_ExampleCalendar->Zoom()).Percent()) + "%");
}

void TCalendarProperties::DefaultbuttonClick()
{
    if (m_Initializing)
        return;
    m_ExampleCalendar->ResetToDefaults();
    FillControls();
    m_Initializing = false;
    LayoutChoice();
}

void TCalendarProperties::SaveAsStyleSheetButtonClick()
{
    if (m_Initializing)
        return;
    TFileDialogRequest request;
    request.Title = "Save As Calendar Style Sheet";
    request.Filter = StyleSheetFilter;
    request.DefaultExtension = "MVS";
    request.InitialFolder = UserFilesFolder();
    request.FileName = "MyStyle.MVS";
    request.OverwritePrompt = true;
    const QString fileName = UiServices().GetSaveFileName(request);
    if (fileName.isEmpty())
        return;
    if (!HasExtension(fileName, "MVS")) {
        ShowInfo("Must save as a Calendar Style Sheet (*.MVS)");
        return;
    }
    try {
        m_ExampleCalendar->SaveStyleSheet(fileName);
    } catch (const EMervaneError& error) {
        ShowInfo("Unable to save " + fileName + ".\r" + error.Message());
    }
}

void TCalendarProperties::LoadStyleSheetButtonClick()
{
    if (m_Initializing)
        return;
    TFileDialogRequest request;
    request.Title = "Open Calendar Style Sheet";
    request.Filter = StyleSheetFilter;
    request.DefaultExtension = "MVS";
    request.InitialFolder = UserFilesFolder();
    const QString fileName = UiServices().GetOpenFileName(request);
    if (fileName.isEmpty())
        return;
    if (!HasExtension(fileName, "MVS")) {
        ShowInfo("Must be a Calendar Style Sheet (*.MVS)");
        return;
    }
    m_Initializing = true;
    try {
        m_ExampleCalendar->LoadStyleSheet(fileName);
    } catch (const EMervaneError& error) {
        ShowInfo("Unable to open " + fileName + ". Possibly \rcorrupted, possibly not a Calendar Style file.\r" +
                 error.Message());
    }
    FillControls();
    m_Initializing = false;
    LayoutChoice();
}

void TCalendarProperties::okbuttonClick()
{
    if (m_CellsHaveText && m_ExampleCalendar->LayoutFamily() != m_StartingLayoutFamily &&
        !AskYesNo(FamilyChangeWarning, "WARNING"))
        return;
    accept();
}

void TCalendarProperties::HelpbuttonClick()
{
    ShowHelpTopic(2100 + m_Notebook->currentIndex());
}
