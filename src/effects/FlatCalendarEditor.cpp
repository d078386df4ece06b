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
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

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
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setWindowTitle("Floating Calendar Properties");
    setFixedSize(578, 393);

    m_MonthCombo = AddCombo(this, "MonthCombo", "Month", FlatCalendarMonthNames(fclEnglish), {8, 24, 130, 24},
                            "Set the month for the calendar");
    connect(m_MonthCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetMonth(index + 1); }); });
    m_YearSpinner =
        AddSpinner(this, "YearSpinner", "Year", 1950, 2500, {146, 24, 72, 24}, "Set the year for the calendar");
    connect(m_YearSpinner, &QSpinBox::valueChanged, this,
            [this](int year) { Guarded([this, year] { m_Sample->SetYear(year); }); });
    m_WeekStartsOn = new TRadioGroup("Week Starts On", {"Sunday", "Monday"}, this);
    m_WeekStartsOn->setObjectName("WeekStartsOn");
    m_WeekStartsOn->setGeometry(226, 2, 130, 70);
    m_WeekStartsOn->setToolTip("Select the day that the calendar week starts on");
    m_WeekStartsOn->setWhatsThis("Set the day the week starts on - either Sunday or Monday");
    connect(m_WeekStartsOn, &TRadioGroup::Clicked, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetStartOfWeek(index + 1); }); });

    auto* misc = new QGroupBox("Miscellaneous", this);
    misc->setGeometry(8, 76, 282, 118);
    m_ShowtitleInyearCheck = new QCheckBox("Show Year in Title", misc);
    m_ShowtitleInyearCheck->setObjectName("ShowtitleInyearCheck");
    m_ShowtitleInyearCheck->setGeometry(10, 20, 200, 20);
    m_ShowtitleInyearCheck->setWhatsThis("Check here to show the year in the title, in addition to the month");
    connect(m_ShowtitleInyearCheck, &QCheckBox::clicked, this,
            [this](bool checked) { Guarded([this, checked] { m_Sample->SetShowYear(checked); }); });
    m_HeadersStyleCombo =
        AddCombo(misc, "HeadersStyleCombo", "Header Style", {"First Character", "First Three Characters", "Whole Word"},
                 {10, 62, 160, 24}, "Set the header name style (first letter, first three letters, etc)");
    connect(m_HeadersStyleCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetDayNameStyle(TFlatCalHeadersStyle(index)); }); });
    m_LanguageCombo = AddCombo(misc, "LanguageCombo", "Language",
                               {"English", "Deutsch", "Fran\u00e7ais", "L'italiano", "Espa\u00f1ol"}, {178, 62, 96, 24},
                               "Select one of five languages to display the month and day names in");
    connect(m_LanguageCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetLanguage(TFlatCalLanguage(index)); }); });

    auto* fonts = new QGroupBox("Fonts", this);
    fonts->setGeometry(8, 198, 282, 56);
    AddFontButton(fonts, "TitleFontbutton", "Title Font", {10, 22, 84, 25},
                  "Set the title font, including size, color and style", &TGFlatCalendar::TitleFont);
    AddFontButton(fonts, "HeaderFontbutton", "Header Font", {99, 22, 84, 25},
                  "Set the heaer font, including size, color and style", &TGFlatCalendar::DayNameFont);
    AddFontButton(fonts, "CellFontbutton", "Cell Font", {188, 22, 84, 25},
                  "Set the cell font, including size, color and style", &TGFlatCalendar::CellFont);

    auto* borders = new QGroupBox("Borders", this);
    borders->setGeometry(8, 258, 282, 88);
    const auto addBorder = [&](const QString& name, const QString& caption, int x, const QString& help,
                               const std::function<void(TGFlatCalendar&, TFlatCalBorderStyle)>& set) {
        QComboBox* combo = AddCombo(borders, name, caption, BorderItems, {x, 42, 84, 24}, help);
        connect(combo, &QComboBox::activated, this, [this, set](int index) {
            Guarded([this, set, index] { set(*m_Sample, TFlatCalBorderStyle(index)); });
        });
        return combo;
    };
    m_CalendarBorderCombo =
        addBorder("CalendarBorderCombo", "Calendar ", 10, "Set the line and border style for the calendar outline",
                  &TGFlatCalendar::SetCalendarBorderStyle);
    m_HeaderBorderCombo = addBorder("HeaderBorderCombo", "Header", 99, "Set the line and border style for the headers",
                                    &TGFlatCalendar::SetDayNameBorderStyle);
    m_CellBorderCombo =
        addBorder("CellBorderCombo", "Cell ", 188, "Set the line and border style for the individual day cells",
                  &TGFlatCalendar::SetCellBorderStyle);

    auto* sampleBox = new QScrollArea(this);
    sampleBox->setObjectName("SampleBox");
    sampleBox->setGeometry(306, 8, 254, 146);
    sampleBox->setBackgroundRole(QPalette::Base);
    sampleBox->setPalette(QPalette(Qt::white));
    sampleBox->setAutoFillBackground(true);
    sampleBox->setAlignment(Qt::AlignCenter);
    m_Sample = new TGFlatCalendar(nullptr);
    m_Sample->SetName("Sample");
    // The scroll box owns the sample; it scrolls a calendar larger than itself into view.
    sampleBox->setWidget(m_Sample);
    sampleBox->viewport()->setAutoFillBackground(true);

    auto* colors = new QGroupBox("Colors", this);
    colors->setGeometry(298, 158, 272, 112);
    const auto addColor = [&](const QString& name, const QString& caption, int x, int y, const QString& help,
                              const std::function<void(TGFlatCalendar&, TColor)>& set) {
        TColorPaletteButton* button = AddColorButton(colors, name, caption, {x, y, 52, 25}, help);
        connect(button, &TColorButton::ColorChanged, this,
                [this, set](TColor color) { Guarded([this, set, color] { set(*m_Sample, color); }); });
        return button;
    };
    m_TitleBackgroundbutton =
        addColor("TitleBackgroundbutton", "Title Background", 10, 38,
                 "Set the background color for the Title area of the calendar", &TGFlatCalendar::SetTitleBGcolor);
    m_HeaderBackgroundButton =
        addColor("HeaderBackgroundButton", "Header Background ", 100, 38,
                 "Set the background color for the Header part of the calendar (where the day names are)",
                 &TGFlatCalendar::SetDayNameBGColor);
    m_Bodybackgroundbutton = addColor("Bodybackgroundbutton", "Body Background ", 190, 38,
                                      "Set the background color for the body of the calendar (day cell area)",
                                      &TGFlatCalendar::SetBackgroundcolor);
    m_TransparentCheck = new QCheckBox("Transparent", colors);
    m_TransparentCheck->setObjectName("TransparentCheck");
    m_TransparentCheck->setGeometry(10, 78, 200, 20);
    connect(m_TransparentCheck, &QCheckBox::clicked, this,
            [this](bool checked) { Guarded([this, checked] { m_Sample->SetCalTransparent(checked); }); });

    auto* shadow = new QGroupBox("Shadow", this);
    shadow->setGeometry(298, 274, 272, 72);
    m_ShadowColorButton =
        AddColorButton(shadow, "ShadowColorButton", "Color", {10, 38, 52, 25}, "Click here to set the shadow color");
    connect(m_ShadowColorButton, &TColorButton::ColorChanged, this,
            [this](TColor color) { Guarded([this, color] { m_Sample->SetShadowColor(color); }); });
    m_ShadowOrientationCombo = AddCombo(shadow, "ShadowOrientationCombo", "Orientation",
                                        {"Lower Right", "Lower Left", "UpperRight", "UpperLeft"}, {72, 38, 110, 24},
                                        "Set the shadow orientation");
    connect(m_ShadowOrientationCombo, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { m_Sample->SetShadowPosition(TFlatShadowPosition(index)); }); });
    m_ShadowDepthSpinner = AddSpinner(shadow, "ShadowDepthSpinner", "Depth", 0, TGFlatCalendar::MaxShadowDepth,
                                      {192, 38, 60, 24}, "Set the depth (in pixels) of the shadow");
    connect(m_ShadowDepthSpinner, &QSpinBox::valueChanged, this,
            [this](int depth) { Guarded([this, depth] { m_Sample->SetShadowDepth(depth); }); });

    AddDialogButtons(*this, 8, 570, 358, FlatCalendarEditorHelpTopic);
    findChild<QPushButton*>("CancelButton")->setObjectName("Cancelbutton");
    findChild<QPushButton*>("Helpbutton")->setWhatsThis("Click to bring up Windows Help");

    m_YearSpinner->setValue(CurrentYear());
    CenterDialog(*this);
}

QComboBox* TFlatCalendarEditor::AddCombo(QWidget* parent, const QString& name, const QString& caption,
                                         const QStringList& items, QRect geometry, const QString& help)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name + "Label");
    label->setGeometry(geometry.x(), geometry.y() - 17, geometry.width(), 16);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setGeometry(geometry);
    combo->setWhatsThis(help);
    label->setBuddy(combo);
    return combo;
}

QSpinBox* TFlatCalendarEditor::AddSpinner(QWidget* parent, const QString& name, const QString& caption, int minimum,
                                          int maximum, QRect geometry, const QString& help)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name + "Label");
    label->setGeometry(geometry.x(), geometry.y() - 17, geometry.width(), 16);
    auto* spinner = new QSpinBox(parent);
    spinner->setObjectName(name);
    spinner->setRange(minimum, maximum);
    spinner->setGeometry(geometry);
    spinner->setWhatsThis(help);
    label->setBuddy(spinner);
    return spinner;
}

TColorPaletteButton* TFlatCalendarEditor::AddColorButton(QWidget* parent, const QString& name, const QString& caption,
                                                         QRect geometry, const QString& help)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name + "Label");
    label->setGeometry(geometry.x(), geometry.y() - 17, 88, 16);
    auto* button = new TColorPaletteButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setWhatsThis(help);
    label->setBuddy(button);
    return button;
}

void TFlatCalendarEditor::AddFontButton(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                                        const QString& help, TFont& (TGFlatCalendar::*font)())
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
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
