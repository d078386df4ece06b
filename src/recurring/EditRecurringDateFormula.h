#pragma once
// Edits one recurring date: its event text and its formula, built from one of three styles (a
// day of the month, days of the week, the n-th weekday of a month). The caller sets the event
// text, the formula and the caption before showing it and reads both back after OK; OK checks
// the choices and stays open, telling the user why, while they make no formula.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class TEditRecurringDateFormula : public QDialog {
    Q_OBJECT
public:
    explicit TEditRecurringDateFormula(QWidget* parent = nullptr);

    QString Formula() const { return m_Formula; }
    void SetFormula(const QString& formula) { m_Formula = formula; }
    QString EventText() const;
    void SetEventText(const QString& text);

    void FormActivate();
    // Shows the formula in the controls; one that cannot be read leaves them as they are.
    void SetEmUp();
    // Enables the controls of the chosen style; its caption is bold.
    void SetRecurType();
    void AllDaysCheckClick();
    void OkbuttonClick();
    void CancelButtonClick();
    // Builds the formula from the controls; false (after telling the user why) when they make none.
    bool DetermineFormulaString();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* NewMonthList(const QString& name);
    // The seven day boxes, Sunday first, as the `%` formula numbers them.
    QList<QCheckBox*> DayBoxes() const;

    QString m_Formula;
    QRadioButton* rbDayOfMonth;
    QSpinBox* DayOfMonthDay;
    QComboBox* DayOfMonthMonth;
    QRadioButton* rbDayOfweek;
    QCheckBox* Monday;
    QCheckBox* Tuesday;
    QCheckBox* Wednesday;
    QCheckBox* Thursday;
    QCheckBox* Friday;
    QCheckBox* Saturday;
    QCheckBox* Sunday;
    QCheckBox* AllDaysCheck;
    QRadioButton* rbSpecial;
    QComboBox* SpecialOccurrance;
    QComboBox* SpecialDayOfWeek;
    QComboBox* SpecialMonth;
    QLineEdit* Event;
};
