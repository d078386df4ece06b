#pragma once
// Checks that a window shows all of its controls whole: no visible control narrower or lower than
// its size hint (a push button or line edit: than its caption or text needs; a widget with a
// layout: than the layout's minimum), none reaching outside its parent or
// overlapping a sibling, no tool bar hiding buttons behind its
// extension menu, no scroll box needing scroll bars for the sample it shows, no item of a grid
// list larger than its grid cell. Every page of a tab bar or tab widget is checked in turn.
// The dialog walk runs it on every window of the program.

#include <QString>
#include <QStringList>

class QWidget;

// The faults found in `window` as it stands (its tab pages each shown in turn), one line each,
// naming the control by its object name or class. The scroll boxes named in `scrolling` are
// meant to scroll what they show.
QStringList WindowLayoutFaults(QWidget& window, const QStringList& scrolling);

// The name a fault report gives `widget`: its object name, else its class, with its parent's.
QString WidgetPath(const QWidget& widget);
