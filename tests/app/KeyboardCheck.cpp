#include "KeyboardCheck.h"

#include "WindowLayoutCheck.h"

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QtTest>

namespace {

// The controls Tab should reach on what `dialog` shows now. A widget that hands its focus to
// another (a spin box to its edit field) is reached through that one.
QList<QWidget*> TabStops(QDialog& dialog)
{
    QList<QWidget*> stops;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (widget->window() == &dialog && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
            widget->isVisibleTo(&dialog) && widget->isEnabled())
            stops += widget;
    }
    return stops;
}

// An exclusive radio button is reached when one of its group is: Tab enters the group at its
// checked button and the arrows move within it.
bool Reached(QWidget* widget, const QSet<QWidget*>& reached)
{
    if (reached.contains(widget))
        return true;
    auto* radio = qobject_cast<QRadioButton*>(widget);
    if (!radio || !radio->autoExclusive())
        return false;
    for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (reached.contains(other))
            return true;
    }
    return false;
}

// Tabs round the dialog from the focus and reports the stops Tab did not reach.
QStringList TabRound(QDialog& dialog, const QString& prefix)
{
    const QList<QWidget*> stops = TabStops(dialog);
    QSet<QWidget*> reached;
    for (int press = 0; press < 2 * stops.size() + 2; ++press) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != &dialog)
            return {prefix + "the focus left the dialog"};
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
        if (stops.size() < 2)
            continue;
        // An editor that types Tab into its text is left with Ctrl+Tab.
        if (QApplication::focusWidget() == focus)
            QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
        if (QApplication::focusWidget() == focus)
            return {prefix + WidgetPath(*focus) + " keeps the focus on Tab and Ctrl+Tab"};
    }
    QStringList faults;
    for (QWidget* stop : stops) {
        if (!Reached(stop, reached))
            faults += prefix + WidgetPath(*stop) + " is never reached with Tab";
    }
    return faults;
}

} // namespace

QStringList KeyboardFaults(QDialog& dialog)
{
    QApplication::setActiveWindow(&dialog);
    if (!QTest::qWaitForWindowActive(&dialog))
        return {"the dialog did not become active"};
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != &dialog) {
        const QList<QWidget*> stops = TabStops(dialog);
        if (stops.isEmpty())
            return {"nothing takes the focus"};
        stops.first()->setFocus(Qt::TabFocusReason);
    }
    QStringList faults = TabRound(dialog, {});
    auto* pages = dialog.findChild<QTabBar*>();
    if (!pages || !pages->isVisibleTo(&dialog))
        return faults;
    for (int page = 1; page < pages->count(); ++page) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        if (pages->currentIndex() != page)
            return faults << QString("Ctrl+Tab does not bring page %1").arg(pages->tabText(page));
        faults += TabRound(dialog, "page " + pages->tabText(page) + ": ");
    }
    return faults;
}
