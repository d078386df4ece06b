#pragma once
// The message box the real UI services ask a Yes/No question with. It tells Esc and the
// window's close button apart from No: both end the box as Cancelled, so that a command asking
// "Save changes?" can stop instead of dropping the work.

#include "platformui/UiServices.h"

#include <QMessageBox>

class TQuestionBox : public QMessageBox {
    Q_OBJECT
public:
    TQuestionBox(const QString& text, const QString& caption, QWidget* parent = nullptr);

    // How the box ended; Cancelled while it has not.
    TQuestionAnswer Answer() const;
};
