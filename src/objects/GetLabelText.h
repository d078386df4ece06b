#pragma once
// The text dialog of a text label: one line of text with Ok, Cancel, Help and the mouse-help
// button. The label's "Text" command fills it and takes the text back on Ok.

#include <QDialog>

class QLineEdit;

class TGetLabelText : public QDialog {
    Q_OBJECT
public:
    explicit TGetLabelText(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

private:
    QLineEdit* m_LabelText;
};
