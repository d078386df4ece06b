#include "controls/WhatsThisMenu.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QWhatsThis>
#include <QWidget>

TWhatsThisMenu::TWhatsThisMenu(QWidget& dialog)
    : QObject(&dialog)
    , m_Dialog(dialog)
{
    dialog.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&dialog, &QWidget::customContextMenuRequested, this, &TWhatsThisMenu::Open);
    for (QWidget* control : dialog.findChildren<QWidget*>())
        control->installEventFilter(this);
}

bool TWhatsThisMenu::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::ContextMenu || !control || control->window() != &m_Dialog)
        return false;
    // Text fields keep their own edit menu (cut, copy, paste).
    if (qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractScrollArea*>(control->parentWidget()))
        return false;
    return Open(control->mapTo(&m_Dialog, static_cast<QContextMenuEvent*>(event)->pos()));
}

bool TWhatsThisMenu::Open(QPoint position)
{
    // The control under the click, or the nearest enclosing one that has a text.
    QWidget* control = m_Dialog.childAt(position);
    while (control && control != &m_Dialog && control->whatsThis().isEmpty())
        control = control->parentWidget();
    if (!control || control == &m_Dialog)
        return false;
    if (!m_Menu)
        m_Menu = new QMenu(&m_Dialog);
    m_Menu->clear();
    const QPoint global = m_Dialog.mapToGlobal(position);
    const QString text = control->whatsThis();
    m_Menu->addAction("What's this?", control,
                      [global, text, control] { QWhatsThis::showText(global, text, control); });
    m_Menu->popup(global);
    return true;
}
