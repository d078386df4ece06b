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

    m_rbDayOfMonth = new QRadioButton("Day of the &Month", this);
    m_rbDayOfMonth->setObjectName("rbDayOfMonth");
    m_rbDayOfMonth->setToolTip(Hint("Check here to choose a 'Day of the Month' \rstyle Repeating Reminder"));
    m_DayOfMonthDay = new QSpinBox(this);
    m_DayOfMonthDay->setObjectName("DayOfMonthDay");
    m_DayOfMonthDay->setRange(1, 31);
    m_DayOfMonthDay->setValue(1);
    m_DayOfMonthDay->setToolTip(Hint("Select the day of the month (1-31)"));
    m_DayOfMonthMonth = NewMonthList("DayOfMonthMonth");

    m_rbDayOfweek = new QRadioButton("Day of the &Week", this);
    m_rbDayOfweek->setObjectName("rbDayOfweek");
    m_rbDayOfweek->setToolTip(Hint("Check here to choose a 'Days of the Week' \rstyle Repeating Reminder"));
    const auto dayBox = [this](const QString& name, const QString& caption, bool ticked) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        box->setChecked(ticked);
        box->setToolTip(Hint("Check to use this reminder on this day of \reach week"));
        return box;
    };
    m_Monday = dayBox("Monday", "Mon", true);
    m_Tuesday = dayBox("Tuesday", "Tues", true);
    m_Wednesday = dayBox("Wednesday", "Wed", true);
    m_Thursday = dayBox("Thursday", "Thu", true);
    m_Friday = dayBox("Friday", "Fri", true);
    m_Saturday = dayBox("Saturday", "Sat", false);
    m_Sunday = dayBox("Sunday", "Sun", false);
    m_AllDaysCheck = new QCheckBox("All Days", this);
    m_AllDaysCheck->setObjectName("AllDaysCheck");
    m_AllDaysCheck->setToolTip(Hint("Check to include all days"));
    connect(m_AllDaysCheck, &QCheckBox::clicked, this, &TEditRecurringDateFormula::AllDaysCheckClick);

    m_rbSpecial = new QRadioButton("&Special", this);
    m_rbSpecial->setObjectName("rbSpecial");
    m_rbSpecial->setToolTip(Hint("Check here to choose a 'nth Day of Month' \rstyle Repeating Reminder"));
    m_SpecialOccurrance = new QComboBox(this);
    m_SpecialOccurrance->setObjectName("SpecialOccurrance");
    m_SpecialOccurrance->addItems({"1st", "2nd", "3rd", "4th", "5th", "Last"});
    m_SpecialOccurrance->setToolTip(Hint("Select the occurrance: First, 2nd, 3rd, 4th, 5th\ror Last"));
    m_SpecialDayOfWeek = new QComboBox(this);
    m_SpecialDayOfWeek->setObjectName("SpecialDayOfWeek");
    for (int day = 1; day <= 7; ++day)
        m_SpecialDayOfWeek->addItem(LongDayName(day));
    m_SpecialDayOfWeek->addItem("Day (any day)");
    m_SpecialDayOfWeek->setToolTip(Hint("Select the weekday (Sun-Sat), or select  \"Day\" \rfor any day."));
    m_SpecialMonth = NewMonthList("SpecialMonth");

    m_rbEaster = new QRadioButton("&Easter-based", this);
    m_rbEaster->setObjectName("rbEaster");
    m_rbEaster->setToolTip(Hint("Check here to choose a day counted from Easter \r(Ascension, Whit Monday, carnival)"));
    m_EasterChurch = new QComboBox(this);
    m_EasterChurch->setObjectName("EasterChurch");
    m_EasterChurch->addItems({"Easter (Western)", "Orthodox Easter"});
    m_EasterChurch->setToolTip(Hint("Select Western Easter or Orthodox Easter"));
    m_EasterOffset = new QSpinBox(this);
    m_EasterOffset->setObjectName("EasterOffset");
    m_EasterOffset->setRange(-MaxEasterOffset, MaxEasterOffset);
    m_EasterOffset->setValue(0);
    m_EasterOffset->setToolTip(
        Hint(QString("Select the days after Easter (1 to %1), or before it\r(-1 to -%1)").arg(MaxEasterOffset)));

    m_Event = new QLineEdit(this);
    m_Event->setObjectName("Event");

    for (QRadioButton* radio : {m_rbDayOfMonth, m_rbDayOfweek, m_rbSpecial, m_rbEaster})
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
    grid->addWidget(m_rbDayOfMonth, 0, 0, 1, 4);
    grid->addWidget(m_DayOfMonthDay, 1, 1);
    grid->addWidget(new QLabel("of", this), 1, 2);
    grid->addWidget(m_DayOfMonthMonth, 1, 3);
    grid->addWidget(m_rbDayOfweek, 2, 0, 1, 4);
    auto* days = new QGridLayout;
    const QList<QCheckBox*> dayBoxes = {m_Monday, m_Tuesday,  m_Wednesday, m_Thursday,
                                        m_Friday, m_Saturday, m_Sunday,    m_AllDaysCheck};
    for (int i = 0; i < dayBoxes.size(); ++i)
        days->addWidget(dayBoxes[i], i / 4, i % 4);
    grid->addLayout(days, 3, 1, 1, 3);
    grid->addWidget(m_rbSpecial, 4, 0, 1, 4);
    auto* special = new QHBoxLayout;
    special->addWidget(m_SpecialOccurrance);
    special->addWidget(m_SpecialDayOfWeek);
    special->addWidget(new QLabel("of", this));
    special->addWidget(m_SpecialMonth);
    grid->addLayout(special, 5, 1, 1, 3);
    grid->addWidget(m_rbEaster, 6, 0, 1, 4);
    auto* easter = new QHBoxLayout;
    easter->addWidget(m_EasterChurch);
    easter->addWidget(m_EasterOffset);
    easter->addWidget(new QLabel("days", this));
    easter->addStretch(1);
    grid->addLayout(easter, 7, 1, 1, 3);
    grid->setColumnMinimumWidth(0, 16);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okbutton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel("Recurring event (birthday, anniversary, etc)", this));
    layout->addWidget(m_Event);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // FormCreate.
    m_rbDayOfMonth->setChecked(true);
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
    return {m_Sunday, m_Monday, m_Tuesday, m_Wednesday, m_Thursday, m_Friday, m_Saturday};
}

QString TEditRecurringDateFormula::EventText() const
{
    return m_Event->text();
}

void TEditRecurringDateFormula::SetEventText(const QString& text)
{
    m_Event->setText(text);
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
    m_Event->setFocus();
    SetEmUp();
}

void TEditRecurringDateFormula::SetEmUp()
{
    const QChar kind = m_Formula.isEmpty() ? QChar(u' ') : m_Formula[0];
    if (kind == SpecialKind) {
        if (const std::optional<TSpecial> special = ParseSpecial(m_Formula)) {
            m_rbSpecial->setChecked(true);
            m_SpecialOccurrance->setCurrentIndex(special->Occurrence);
            m_SpecialDayOfWeek->setCurrentIndex(special->Weekday);
            m_SpecialMonth->setCurrentIndex(special->Month);
        }
    } else if (kind == DayOfMonthKind) {
        if (const std::optional<TDayOfMonth> date = ParseDayOfMonth(m_Formula)) {
            m_rbDayOfMonth->setChecked(true);
            m_DayOfMonthDay->setValue(date->Day);
            m_DayOfMonthMonth->setCurrentIndex(date->Month);
        }
    } else if (const std::optional<TEasterOffset> easter = ParseEasterTag(m_Formula.trimmed().toUpper())) {
        m_rbEaster->setChecked(true);
        m_EasterChurch->setCurrentIndex(easter->Orthodox ? 1 : 0);
        m_EasterOffset->setValue(easter->Days);
    } else {
        m_rbDayOfweek->setChecked(true);
        const QList<QCheckBox*> boxes = DayBoxes();
        for (int day = 1; day <= 7; ++day)
            boxes[day - 1]->setChecked(m_Formula.contains(QChar(u'0' + day)));
    }
    SetRecurType();
}

void TEditRecurringDateFormula::SetRecurType()
{
    const bool dayOfMonth = m_rbDayOfMonth->isChecked();
    const bool dayOfWeek = m_rbDayOfweek->isChecked();
    const bool special = m_rbSpecial->isChecked();
    const bool easter = m_rbEaster->isChecked();
    for (QCheckBox* box : DayBoxes())
        box->setEnabled(dayOfWeek);
    m_AllDaysCheck->setEnabled(dayOfWeek);
    m_DayOfMonthDay->setEnabled(dayOfMonth);
    m_DayOfMonthMonth->setEnabled(dayOfMonth);
    for (QComboBox* list : {m_SpecialOccurrance, m_SpecialDayOfWeek, m_SpecialMonth})
        list->setEnabled(special);
    SetBold(*m_rbDayOfMonth, dayOfMonth);
    SetBold(*m_rbDayOfweek, dayOfWeek);
    m_EasterChurch->setEnabled(easter);
    m_EasterOffset->setEnabled(easter);
    SetBold(*m_rbSpecial, special);
    SetBold(*m_rbEaster, easter);
}

void TEditRecurringDateFormula::AllDaysCheckClick()
{
    for (QCheckBox* box : DayBoxes())
        box->setChecked(m_AllDaysCheck->isChecked());
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
    if (m_rbDayOfMonth->isChecked()) {
        // Text typed into the spin edit counts only once it is a day it accepts.
        const int day = m_DayOfMonthDay->value();
        if (!m_DayOfMonthDay->hasAcceptableInput() || day < 1 || day > 31) {
            ShowInfo("Invalid day of month entered ");
            return false;
        }
        if (m_DayOfMonthMonth->currentIndex() < 0) {
            ShowInfo("Invalid month entered ");
            return false;
        }
        m_Formula = MakeDayOfMonthFormula(day, m_DayOfMonthMonth->currentIndex());
        return !m_Formula.isEmpty();
    }
    if (m_rbSpecial->isChecked()) {
        if (m_SpecialOccurrance->currentIndex() < 0 || m_SpecialDayOfWeek->currentIndex() < 0 ||
            m_SpecialMonth->currentIndex() < 0) {
            ShowInfo("Invalid value entered for Special category");
            return false;
        }
        m_Formula = MakeSpecialFormula(m_SpecialOccurrance->currentIndex(), m_SpecialDayOfWeek->currentIndex(),
                                       m_SpecialMonth->currentIndex());
        return !m_Formula.isEmpty();
    }
    if (m_rbEaster->isChecked()) {
        if (!m_EasterOffset->hasAcceptableInput()) {
            ShowInfo(QString("Enter the days from Easter, -%1 to %1").arg(MaxEasterOffset));
            return false;
        }
        m_Formula = MakeEasterFormula({m_EasterChurch->currentIndex() == 1, m_EasterOffset->value()});
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
