#pragma once
// A plain-text box edited line by line, such as the month and day names of the properties
// dialog. Lines() reads the text as lines the way the user sees them (a final line break opens
// no extra line; blanks are kept), and Exited tells that the user left the box, which is when
// its edits are taken over.

#include <QPlainTextEdit>
#include <QStringList>

class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    QStringList Lines() const;
    void SetLines(const QStringList& lines);

signals:
    void Exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
