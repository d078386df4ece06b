#include "effects/FlatCalendarEditor.h"

#include "controls/ColorPaletteButton.h"
#include "controls/RadioGroup.h"
#include "effects/GFlatCalendar.h"
#include "objects/DialogButtons.h"
#include "objects/FontChoice.h"
#include "platformui/Utility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int FlatCalendarEditorHelpTopic = 40015;
// The year the spinner starts from when today's year cannot be read.
constexpr int FallbackYear = 1998;

const QStringList BorderItems{"None", "All", "Top", "Bottom", "Top & Bottom"};

int CurrentYear()
{
    bool ok = false;
    const int year = QDate::currentDate().toString("yyyy").toInt(&ok);
    return ok ? year : FallbackYear;
}

} // namespace

TFlatCalendarEditor::TFlatCalendarEditor(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setWindowTitle("Floating Calendar Properties");

    auto* date = new QGridLayout;
    m_MonthCombo = AddCombo(this, *date, 0, "MonthCombo", "Month", FlatCalendarMonthNames(fclEnglish), {130, 24},
                            "Set the month for the calendar");
    connect(m_MonthCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetMonth(index + 1); }); });
    m_YearSpinner =
        AddSpinner(this, *date, 1, "YearSpinner", "Year", 1950, 2500, {72, 24}, "Set the year for the calendar");
    connect(m_YearSpinner, &QSpinBox::valueChanged, this,
            [this](int year) { Guarded([this, year] { m_Sample->SetYear(year); }); });
    m_WeekStartsOn = new TRadioGroup("Week Starts On", {"Sunday", "Monday"}, this);
    m_WeekStartsOn->setObjectName("WeekStartsOn");
    m_WeekStartsOn->setToolTip("Select the day that the calendar week starts on");
    m_WeekStartsOn->setWhatsThis("Set the day the week starts on - either Sunday or Monday");
    connect(m_WeekStartsOn, &TRadioGroup::Clicked, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetStartOfWeek(index + 1); }); });
    date->setRowStretch(2, 1);
    auto* dateRow = new QHBoxLayout;
    dateRow->addLayout(date);
    dateRow->addWidget(m_WeekStartsOn);

    auto* misc = new QGroupBox("Miscellaneous", this);
    m_ShowtitleInyearCheck = new QCheckBox("Show Year in Title", misc);
    m_ShowtitleInyearCheck->setObjectName("ShowtitleInyearCheck");
    m_ShowtitleInyearCheck->setWhatsThis("Check here to show the year in the title, in addition to the month");
    connect(m_ShowtitleInyearCheck, &QCheckBox::clicked, this,
            [this](bool checked) { Guarded([this, checked] { m_Sample->SetShowYear(checked); }); });
    auto* miscChoices = new QGridLayout;
    m_HeadersStyleCombo = AddCombo(misc, *miscChoices, 0, "HeadersStyleCombo", "Header Style",
                                   {"First Character", "First Three Characters", "Whole Word"}, {160, 24},
                                   "Set the header name style (first letter, first three letters, etc)");
    connect(m_HeadersStyleCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetDayNameStyle(TFlatCalHeadersStyle(index)); }); });
    m_LanguageCombo = AddCombo(misc, *miscChoices, 1, "LanguageCombo", "Language",
                               {"English", "Deutsch", "Fran\u00e7ais", "L'italiano", "Espa\u00f1ol"}, {96, 24},
                               "Select one of five languages to display the month and day names in");
    connect(m_LanguageCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetLanguage(TFlatCalLanguage(index)); }); });
    auto* miscLayout = new QVBoxLayout(misc);
    miscLayout->addWidget(m_ShowtitleInyearCheck);
    miscLayout->addLayout(miscChoices);
    miscLayout->addStretch();

    auto* fonts = new QGroupBox("Fonts", this);
    auto* fontButtons = new QHBoxLayout(fonts);
    for (QPushButton* button :
         {AddFontButton(fonts, "TitleFontbutton", "Title Font", "Set the title font, including size, color and style",
                        &TGFlatCalendar::TitleFont),
          AddFontButton(fonts, "HeaderFontbutton", "Header Font", "Set the heaer font, including size, color and style",
                        &TGFlatCalendar::DayNameFont),
          AddFontButton(fonts, "CellFontbutton", "Cell Font", "Set the cell font, including size, color and style",
                        &TGFlatCalendar::CellFont)})
        fontButtons->addWidget(button);

    auto* borders = new QGroupBox("Borders", this);
    auto* borderChoices = new QGridLayout(borders);
    const auto addBorder = [&](const QString& name, const QString& caption, int column, const QString& help,
                               const std::function<void(TGFlatCalendar&, TFlatCalBorderStyle)>& set) {
        QComboBox* combo = AddCombo(borders, *borderChoices, column, name, caption, BorderItems, {84, 24}, help);
        connect(combo, &QComboBox::activated, this, [this, set](int index) {
            Guarded([this, set, index] { set(*m_Sample, TFlatCalBorderStyle(index)); });
        });
        return combo;
    };
    m_CalendarBorderCombo =
        addBorder("CalendarBorderCombo", "Calendar ", 0, "Set the line and border style for the calendar outline",
                  &TGFlatCalendar::SetCalendarBorderStyle);
    m_HeaderBorderCombo = addBorder("HeaderBorderCombo", "Header", 1, "Set the line and border style for the headers",
                                    &TGFlatCalendar::SetDayNameBorderStyle);
    m_CellBorderCombo =
        addBorder("CellBorderCombo", "Cell ", 2, "Set the line and border style for the individual day cells",
                  &TGFlatCalendar::SetCellBorderStyle);
    borderChoices->setRowStretch(2, 1);

    m_SampleBox = new QScrollArea(this);
    m_SampleBox->setObjectName("SampleBox");
    m_SampleBox->setMinimumSize(254, 146);
    m_SampleBox->setBackgroundRole(QPalette::Base);
    m_SampleBox->setPalette(QPalette(Qt::white));
    m_SampleBox->setAutoFillBackground(true);
    m_SampleBox->setAlignment(Qt::AlignCenter);
    m_Sample = new TGFlatCalendar(nullptr);
    m_Sample->SetName("Sample");
    // The scroll box owns the sample; it scrolls a calendar larger than itself into view.
    m_SampleBox->setWidget(m_Sample);
    m_SampleBox->viewport()->setAutoFillBackground(true);

    auto* colors = new QGroupBox("Colors", this);
    auto* colorChoices = new QGridLayout;
    const auto addColor = [&](const QString& name, const QString& caption, int column, const QString& help,
                              const std::function<void(TGFlatCalendar&, TColor)>& set) {
        TColorPaletteButton* button = AddColorButton(colors, *colorChoices, column, name, caption, help);
        connect(button, &TColorButton::ColorChanged, this,
                [this, set](TColor color) { Guarded([this, set, color] { set(*m_Sample, color); }); });
        return button;
    };
    m_TitleBackgroundbutton =
        addColor("TitleBackgroundbutton", "Title Background", 0,
                 "Set the background color for the Title area of the calendar", &TGFlatCalendar::SetTitleBGcolor);
    m_HeaderBackgroundButton =
        addColor("HeaderBackgroundButton", "Header Background ", 1,
                 "Set the background color for the Header part of the calendar (where the day names are)",
                 &TGFlatCalendar::SetDayNameBGColor);
    m_Bodybackgroundbutton = addColor("Bodybackgroundbutton", "Body Background ", 2,
                                      "Set the background color for the body of the calendar (day cell area)",
                                      &TGFlatCalendar::SetBackgroundcolor);
    m_TransparentCheck = new QCheckBox("Transparent", colors);
    m_TransparentCheck->setObjectName("TransparentCheck");
    connect(m_TransparentCheck, &QCheckBox::clicked, this,
            [this](bool checked) { Guarded([this, checked] { m_Sample->SetCalTransparent(checked); }); });
    auto* colorsLayout = new QVBoxLayout(colors);
    colorsLayout->addLayout(colorChoices);
    colorsLayout->addWidget(m_TransparentCheck);
    colorsLayout->addStretch();

    auto* shadow = new QGroupBox("Shadow", this);
    auto* shadowChoices = new QGridLayout(shadow);
    m_ShadowColorButton =
        AddColorButton(shadow, *shadowChoices, 0, "ShadowColorButton", "Color", "Click here to set the shadow color");
    connect(m_ShadowColorButton, &TColorButton::ColorChanged, this,
            [this](TColor color) { Guarded([this, color] { m_Sample->SetShadowColor(color); }); });
    m_ShadowOrientationCombo =
        AddCombo(shadow, *shadowChoices, 1, "ShadowOrientationCombo", "Orientation",
                 {"Lower Right", "Lower Left", "UpperRight", "UpperLeft"}, {110, 24}, "Set the shadow orientation");
    connect(m_ShadowOrientationCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetShadowPosition(TFlatShadowPosition(index)); }); });
    m_ShadowDepthSpinner =
        AddSpinner(shadow, *shadowChoices, 2, "ShadowDepthSpinner", "Depth", 0, TGFlatCalendar::MaxShadowDepth,
                   {60, 24}, "Set the depth (in pixels) of the shadow");
    connect(m_ShadowDepthSpinner, &QSpinBox::valueChanged, this,
            [this](int depth) { Guarded([this, depth] { m_Sample->SetShadowDepth(depth); }); });
    shadowChoices->setRowStretch(2, 1);

    QHBoxLayout* buttons = AddDialogButtons(*this, FlatCalendarEditorHelpTopic);
    findChild<QPushButton*>("CancelButton")->setObjectName("Cancelbutton");
    findChild<QPushButton*>("Helpbutton")->setWhatsThis("Click to bring up Windows Help");

    auto* left = new QVBoxLayout;
    left->addLayout(dateRow);
    left->addWidget(misc);
    left->addWidget(fonts);
    left->addWidget(borders);
    auto* right = new QVBoxLayout;
    right->addWidget(m_SampleBox, 1);
    right->addWidget(colors);
    right->addWidget(shadow);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    SetFormLayout(*this, layout, {578, 393});

    m_YearSpinner->setValue(CurrentYear());
    CenterDialog(*this);
}

QComboBox* TFlatCalendarEditor::AddCombo(QWidget* parent, QGridLayout& grid, int column, const QString& name,
                                         const QString& caption, const QStringList& items, QSize designSize,
                                         const QString& help)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setWhatsThis(help);
    AddCaptioned(parent, grid, column, caption, combo, designSize);
    return combo;
}

QSpinBox* TFlatCalendarEditor::AddSpinner(QWidget* parent, QGridLayout& grid, int column, const QString& name,
                                          const QString& caption, int minimum, int maximum, QSize designSize,
                                          const QString& help)
{
    auto* spinner = new QSpinBox(parent);
    spinner->setObjectName(name);
    spinner->setRange(minimum, maximum);
    spinner->setWhatsThis(help);
    AddCaptioned(parent, grid, column, caption, spinner, designSize);
    return spinner;
}

TColorPaletteButton* TFlatCalendarEditor::AddColorButton(QWidget* parent, QGridLayout& grid, int column,
                                                         const QString& name, const QString& caption,
                                                         const QString& help)
{
    auto* button = new TColorPaletteButton(parent);
    button->setObjectName(name);
    button->setWhatsThis(help);
    AddCaptioned(parent, grid, column, caption, button, {52, 25});
    return button;
}

void TFlatCalendarEditor::AddCaptioned(QWidget* parent, QGridLayout& grid, int column, const QString& caption,
                                       QWidget* control, QSize designSize)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(control->objectName() + "Label");
    label->setBuddy(control);
    control->setMinimumSize(designSize);
    grid.addWidget(label, 0, column);
    grid.addWidget(control, 1, column, Qt::AlignLeft);
}

QPushButton* TFlatCalendarEditor::AddFontButton(QWidget* parent, const QString& name, const QString& caption,
                                                const QString& help, TFont& (TGFlatCalendar::*font)())
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(84, 25);
    button->setWhatsThis(help);
    button->setAutoDefault(false);
    // Not guarded: the font dialog is the user's own action at any time.
    connect(button, &QPushButton::clicked, this, [this, font] {
        TFont& target = (m_Sample->*font)();
        TFontChoice choice = ChoiceFromFont(target);
        if (UiServices().ChooseFont(choice)) {
            TFont chosen;
            chosen.Assign(target);
            CopyChoiceToFont(choice, chosen);
            target.Assign(chosen);
        }
        m_Sample->update();
    });
    return button;
}

void TFlatCalendarEditor::Guarded(const std::function<void()>& apply)
{
    if (!m_Loading)
        apply();
}

void TFlatCalendarEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_Loading = false;
    LoadControls();
    // The box grows to show the whole sample, up to the bounds Qt gives a scroll area's own size
    // hint; it scrolls a larger sample.
    const int frame = 2 * m_SampleBox->frameWidth();
    const int line = m_SampleBox->fontMetrics().height();
    const QSize whole = m_Sample->size() + QSize(frame, frame);
    m_SampleBox->setMinimumSize(QSize(254, 146).expandedTo(whole.boundedTo(QSize(36 * line, 24 * line))));
}

void TFlatCalendarEditor::LoadControls()
{
    const TGFlatCalendar& sample = *m_Sample;
    m_ShowtitleInyearCheck->setChecked(sample.ShowYear());
    m_MonthCombo->setCurrentIndex(sample.Month() - 1);
    m_YearSpinner->setValue(sample.Year());
    m_WeekStartsOn->SetItemIndex(sample.StartOfWeek() - 1);
    m_HeadersStyleCombo->setCurrentIndex(sample.DayNameStyle());
    m_CalendarBorderCombo->setCurrentIndex(sample.CalendarBorderStyle());
    m_HeaderBorderCombo->setCurrentIndex(sample.DayNameBorderStyle());
    m_CellBorderCombo->setCurrentIndex(sample.CellBorderStyle());
    m_TitleBackgroundbutton->SetColor(sample.TitleBGcolor());
    m_HeaderBackgroundButton->SetColor(sample.DayNameBGColor());
    m_Bodybackgroundbutton->SetColor(sample.Backgroundcolor());
    m_ShadowColorButton->SetColor(sample.ShadowColor());
    m_ShadowOrientationCombo->setCurrentIndex(sample.ShadowPosition());
    m_ShadowDepthSpinner->setValue(sample.ShadowDepth());
    m_LanguageCombo->setCurrentIndex(sample.Language());
    m_TransparentCheck->setChecked(sample.CalTransparent());
}
