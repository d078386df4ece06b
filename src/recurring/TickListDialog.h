#pragma once
// What the holiday dialog and the selection dialog share: a list of records to tick and the
// buttons "&Ok" (refuses with a beep while nothing is ticked), "&All", "&None" and "&Cancel".

#include <QDialog>

class QPushButton;
class QVBoxLayout;
class TRecordTickList;

class TTickListDialog : public QDialog {
    Q_OBJECT
public:
    TRecordTickList& List() const { return *m_List; }

    void okbuttonClick();
    void AllbuttonClick();
    void NonebuttonClick();
    void CancelButtonClick();

protected:
    // The controls' names differ between the two dialogs; the callers give them.
    struct TNames {
        QString List;
        QString AllButton;
        QString NoneButton;
    };
    TTickListDialog(const QString& caption, QSize clientSize, const TNames& names, QWidget* parent);
    // The column that holds the list, for controls above it.
    QVBoxLayout& ListColumn() const { return *m_ListColumn; }

private:
    TRecordTickList* m_List;
    QVBoxLayout* m_ListColumn;
};
