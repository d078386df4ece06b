#include "recurring/EditRecurringDateFormula.h"

#include "platformui/Utility.h"
#include "recurring/RecurringRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Hints are written with the carriage returns that break their lines.
QString Hint(const QString& text)
{
    return QString(text).replace(u'\r', u'\n');
}

QString LongDayName(int sundayFirst)
{
    return QLocale().dayName(sundayFirst == 1 ? 7 : sundayFirst - 1, QLocale::LongFormat);
}

void SetBold(QWidget& widget, bool bold)
{
    QFont font = widget.font();
    font.setBold(bold);
    widget.setFont(font);
}

} // namespace

TEditRecurringDateFormula::TEditRecurringDateFormula(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle("Recurring Date - Formulas");
    setFont(QFont("Arial", 8));
    resize(407, 334);

    rbDayOfMonth = new QRadioButton("Day of the &Month", this);
    rbDayOfMonth->setObjectName("rbDayOfMonth");
    rbDayOfMonth->setToolTip(Hint("Check here to choose a 'Day of the Month' \rstyle Repeating Reminder"));
    DayOfMonthDay = new QSpinBox(this);
    DayOfMonthDay->setObjectName("DayOfMonthDay");
    DayOfMonthDay->setRange(1, 31);
    DayOfMonthDay->setValue(1);
    DayOfMonthDay->setToolTip(Hint("Select the day of the month (1-31)"));
    DayOfMonthMonth = NewMonthList("DayOfMonthMonth");

    rbDayOfweek = new QRadioButton("Day of the &Week", this);
    rbDayOfweek->setObjectName("rbDayOfweek");
    rbDayOfweek->setToolTip(Hint("Check here to choose a 'Days of the Week' \rstyle Repeating Reminder"));
    const auto dayBox = [this](const QString& name, const QString& caption, bool ticked) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        box->setChecked(ticked);
        box->setToolTip(Hint("Check to use this reminder on this day of \reach week"));
        return box;
    };
    Monday = dayBox("Monday", "Mon", true);
    Tuesday = dayBox("Tuesday", "Tues", true);
    Wednesday = dayBox("Wednesday", "Wed", true);
    Thursday = dayBox("Thursday", "Thu", true);
    Friday = dayBox("Friday", "Fri", true);
    Saturday = dayBox("Saturday", "Sat", false);
    Sunday = dayBox("Sunday", "Sun", false);
    AllDaysCheck = new QCheckBox("All Days", this);
    AllDaysCheck->setObjectName("AllDaysCheck");
    AllDaysCheck->setToolTip(Hint("Check to include all days"));
    connect(AllDaysCheck, &QCheckBox::clicked, this, &TEditRecurringDateFormula::AllDaysCheckClick);

    rbSpecial = new QRadioButton("&Special", this);
    rbSpecial->setObjectName("rbSpecial");
    rbSpecial->setToolTip(Hint("Check here to choose a 'nth Day of Month' \rstyle Repeating Reminder"));
    SpecialOccurrance = new QComboBox(this);
    SpecialOccurrance->setObjectName("SpecialOccurrance");
    SpecialOccurrance->addItems({"1st", "2nd", "3rd", "4th", "5th", "Last"});
    SpecialOccurrance->setToolTip(Hint("Select the occurrance: First, 2nd, 3rd, 4th, 5th\ror Last"));
    SpecialDayOfWeek = new QComboBox(this);
    SpecialDayOfWeek->setObjectName("SpecialDayOfWeek");
    for (int day = 1; day <= 7; ++day)
        SpecialDayOfWeek->addItem(LongDayName(day));
    SpecialDayOfWeek->addItem("Day (any day)");
    SpecialDayOfWeek->setToolTip(Hint("Select the weekday (Sun-Sat), or select  \"Day\" \rfor any day."));
    SpecialMonth = NewMonthList("SpecialMonth");

    Event = new QLineEdit(this);
    Event->setObjectName("Event");

    for (QRadioButton* radio : {rbDayOfMonth, rbDayOfweek, rbSpecial})
        connect(radio, &QRadioButton::clicked, this, &TEditRecurringDateFormula::SetRecurType);

    auto* okbutton = new QPushButton("&Ok", this);
    okbutton->setObjectName("Okbutton");
    okbutton->setDefault(true);
    connect(okbutton, &QPushButton::clicked, this, &TEditRecurringDateFormula::OkbuttonClick);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &TEditRecurringDateFormula::CancelButtonClick);

    auto* grid = new QGridLayout;
    grid->addWidget(rbDayOfMonth, 0, 0, 1, 4);
    grid->addWidget(DayOfMonthDay, 1, 1);
    grid->addWidget(new QLabel("of", this), 1, 2);
    grid->addWidget(DayOfMonthMonth, 1, 3);
    grid->addWidget(rbDayOfweek, 2, 0, 1, 4);
    auto* days = new QGridLayout;
    const QList<QCheckBox*> dayBoxes = {Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday, AllDaysCheck};
    for (int i = 0; i < dayBoxes.size(); ++i)
        days->addWidget(dayBoxes[i], i / 4, i % 4);
    grid->addLayout(days, 3, 1, 1, 3);
    grid->addWidget(rbSpecial, 4, 0, 1, 4);
    auto* special = new QHBoxLayout;
    special->addWidget(SpecialOccurrance);
    special->addWidget(SpecialDayOfWeek);
    special->addWidget(new QLabel("of", this));
    special->addWidget(SpecialMonth);
    grid->addLayout(special, 5, 1, 1, 3);
    grid->setColumnMinimumWidth(0, 16);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okbutton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel("Recurring event (birthday, anniversary, etc)", this));
    layout->addWidget(Event);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // FormCreate.
    rbDayOfMonth->setChecked(true);
    m_Formula = "@";
    SetRecurType();
}

QComboBox* TEditRecurringDateFormula::NewMonthList(const QString& name)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItem("Each Month");
    for (int month = 1; month <= 12; ++month)
        list->addItem(QLocale().monthName(month, QLocale::LongFormat));
    list->setMaxVisibleItems(14);
    list->setToolTip(Hint("Select the month, or choose \"of Each Month\"\rfor all months"));
    return list;
}

QList<QCheckBox*> TEditRecurringDateFormula::DayBoxes() const
{
    return {Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday};
}

QString TEditRecurringDateFormula::EventText() const
{
    return Event->text();
}

void TEditRecurringDateFormula::SetEventText(const QString& text)
{
    Event->setText(text);
}

// Once, when shown: a later activation (after a message about a wrong choice) keeps what the
// user has chosen since.
void TEditRecurringDateFormula::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TEditRecurringDateFormula::FormActivate()
{
    Event->setFocus();
    SetEmUp();
}

void TEditRecurringDateFormula::SetEmUp()
{
    const QChar kind = m_Formula.isEmpty() ? QChar(u' ') : m_Formula[0];
    if (kind == SpecialKind) {
        if (const std::optional<TSpecial> special = ParseSpecial(m_Formula)) {
            rbSpecial->setChecked(true);
            SpecialOccurrance->setCurrentIndex(special->Occurrence);
            SpecialDayOfWeek->setCurrentIndex(special->Weekday);
            SpecialMonth->setCurrentIndex(special->Month);
        }
    } else if (kind == DayOfMonthKind) {
        if (const std::optional<TDayOfMonth> date = ParseDayOfMonth(m_Formula)) {
            rbDayOfMonth->setChecked(true);
            DayOfMonthDay->setValue(date->Day);
            DayOfMonthMonth->setCurrentIndex(date->Month);
        }
    } else {
        rbDayOfweek->setChecked(true);
        const QList<QCheckBox*> boxes = DayBoxes();
        for (int day = 1; day <= 7; ++day)
            boxes[day - 1]->setChecked(m_Formula.contains(QChar(u'0' + day)));
    }
    SetRecurType();
}

void TEditRecurringDateFormula::SetRecurType()
{
    const bool dayOfMonth = rbDayOfMonth->isChecked();
    const bool dayOfWeek = rbDayOfweek->isChecked();
    const bool special = rbSpecial->isChecked();
    for (QCheckBox* box : DayBoxes())
        box->setEnabled(dayOfWeek);
    AllDaysCheck->setEnabled(dayOfWeek);
    DayOfMonthDay->setEnabled(dayOfMonth);
    DayOfMonthMonth->setEnabled(dayOfMonth);
    for (QComboBox* list : {SpecialOccurrance, SpecialDayOfWeek, SpecialMonth})
        list->setEnabled(special);
    SetBold(*rbDayOfMonth, dayOfMonth);
    SetBold(*rbDayOfweek, dayOfWeek);
    SetBold(*rbSpecial, special);
}

void TEditRecurringDateFormula::AllDaysCheckClick()
{
    for (QCheckBox* box : DayBoxes())
        box->setChecked(AllDaysCheck->isChecked());
}

void TEditRecurringDateFormula::OkbuttonClick()
{
    if (DetermineFormulaString())
        accept();
}

void TEditRecurringDateFormula::CancelButtonClick()
{
    reject();
}

bool TEditRecurringDateFormula::DetermineFormulaString()
{
    if (rbDayOfMonth->isChecked()) {
        // Text typed into the spin edit counts only once it is a day it accepts.
        const int day = DayOfMonthDay->value();
        if (!DayOfMonthDay->hasAcceptableInput() || day < 1 || day > 31) {
            ShowInfo("Invalid day of month entered ");
            return false;
        }
        if (DayOfMonthMonth->currentIndex() < 0) {
            ShowInfo("Invalid month entered ");
            return false;
        }
        m_Formula = MakeDayOfMonthFormula(day, DayOfMonthMonth->currentIndex());
        return !m_Formula.isEmpty();
    }
    if (rbSpecial->isChecked()) {
        if (SpecialOccurrance->currentIndex() < 0 || SpecialDayOfWeek->currentIndex() < 0 ||
            SpecialMonth->currentIndex() < 0) {
            ShowInfo("Invalid value entered for Special category");
            return false;
        }
        m_Formula = MakeSpecialFormula(SpecialOccurrance->currentIndex(), SpecialDayOfWeek->currentIndex(),
                                       SpecialMonth->currentIndex());
        return !m_Formula.isEmpty();
    }
    QString formula = QString(WeekdaysKind);
    const QList<QCheckBox*> boxes = DayBoxes();
    for (int day = 1; day <= 7; ++day) {
        if (boxes[day - 1]->isChecked())
            formula += QChar(u'0' + day);
    }
    if (formula.size() == 1) {
        ShowInfo("You must select at least one day for this \rreminder to occur on");
        return false;
    }
    m_Formula = formula;
    return true;
}
