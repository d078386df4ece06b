#pragma once
// Edits one recurring date: its event text and its formula, built from one of four styles (a
// day of the month, days of the week, the n-th weekday of a month, a day counted from Western or
// Orthodox Easter). The caller sets the event
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
    QRadioButton* m_rbDayOfMonth;
    QSpinBox* m_DayOfMonthDay;
    QComboBox* m_DayOfMonthMonth;
    QRadioButton* m_rbDayOfweek;
    QCheckBox* m_Monday;
    QCheckBox* m_Tuesday;
    QCheckBox* m_Wednesday;
    QCheckBox* m_Thursday;
    QCheckBox* m_Friday;
    QCheckBox* m_Saturday;
    QCheckBox* m_Sunday;
    QCheckBox* m_AllDaysCheck;
    QRadioButton* m_rbSpecial;
    QComboBox* m_SpecialOccurrance;
    QComboBox* m_SpecialDayOfWeek;
    QComboBox* m_SpecialMonth;
    QRadioButton* m_rbEaster;
    QComboBox* m_EasterChurch;
    QSpinBox* m_EasterOffset;
    QLineEdit* m_Event;
};
