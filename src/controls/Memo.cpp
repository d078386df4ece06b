#include "controls/Memo.h"

#include <QFocusEvent>

TMemo::TMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
}

QStringList TMemo::Lines() const
{
    const QString text = toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split('\n');
    if (text.endsWith('\n'))
        lines.removeLast();
    return lines;
}

void TMemo::SetLines(const QStringList& lines)
{
    setPlainText(lines.join('\n'));
}

void TMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    // A context menu or another window taking the focus for a moment does not leave the box.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit Exited();
}
