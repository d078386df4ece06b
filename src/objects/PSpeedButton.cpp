#include "objects/PSpeedButton.h"

#include <QContextMenuEvent>
#include <QMenu>

TPSpeedButton::TPSpeedButton(QWidget* parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
}

void TPSpeedButton::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_PopupMenu) {
        QToolButton::contextMenuEvent(event);
        return;
    }
    m_PopupMenu->popup(event->globalPos());
    event->accept();
}
