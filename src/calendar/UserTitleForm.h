#pragma once
// Edits the user-defined title of the page; an empty title brings back the generated one. The
// main window opens it with the page's title and takes the edited text back after OK.

#include <QDialog>

class QLineEdit;

class TUserTitleForm : public QDialog {
    Q_OBJECT
public:
    explicit TUserTitleForm(QWidget* parent = nullptr);

    QString Title() const;
    void SetTitle(const QString& title);

private:
    QLineEdit* m_TitleText;
};
