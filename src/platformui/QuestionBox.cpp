#include "platformui/QuestionBox.h"

#include <QPushButton>

TQuestionBox::TQuestionBox(const QString& text, const QString& caption, QWidget* parent)
    : QMessageBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent)
{
    // Without an escape button of its own the box would take No for Esc and for closing. A
    // hidden Cancel button takes both, and the box still shows only Yes and No.
    QPushButton* cancel = addButton(QMessageBox::Cancel);
    cancel->hide();
    setEscapeButton(cancel);
}

TQuestionAnswer TQuestionBox::Answer() const
{
    const QAbstractButton* clicked = clickedButton();
    if (clicked && clicked == button(QMessageBox::Yes))
        return TQuestionAnswer::Yes;
    if (clicked && clicked == button(QMessageBox::No))
        return TQuestionAnswer::No;
    return TQuestionAnswer::Cancelled;
}
