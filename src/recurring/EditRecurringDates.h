#pragma once
// Keeps the list of recurring dates: the records of the recurring dates file, sorted by their
// text, to add (typed or from the holiday catalogue), edit and delete. It works on its own copy
// of the records; "Ok" writes them all to the file, "Cancel" drops every change. A file that
// cannot be read is not offered for editing (LoadError), so that "Ok" cannot write over it.

#include <QDialog>

class QListWidget;
class QPushButton;

class TEditRecurringDates : public QDialog {
    Q_OBJECT
public:
    // Reads the records of `fileName`; a missing file is an empty list.
    explicit TEditRecurringDates(const QString& fileName, QWidget* parent = nullptr);

    // Why the file could not be read; empty when it was (or is missing).
    QString LoadError() const { return m_LoadError; }
    // The rows in list order.
    QStringList Records() const;

    void setbuttons();
    void okbuttonClick();
    void CancelButtonClick();
    void DeleteButtonClick();
    void EditbuttonClick();
    void DoEditRecurringFormula();
    void NewbuttonClick();
    void HolidaysbuttonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Adds a row at its sorted place and returns it.
    int AddRecord(const QString& record);
    int SelectedRow() const;
    void SelectRow(int row);

    QString m_FileName;
    QString m_LoadError;
    QListWidget* m_DatesList;
    QPushButton* m_okbutton;
    QPushButton* m_Editbutton;
    QPushButton* m_Newbutton;
    QPushButton* m_DeleteButton;
    QPushButton* m_Holidaysbutton;
    QPushButton* m_CancelButton;
};
