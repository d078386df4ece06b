#pragma once
// Context help for a dialog: a right click on a control that has a what's-this text opens a
// small menu with "What's this?", which shows that text beside the control. The object and
// effect dialogs install one each; their mouse-help button offers the same texts by pointing.

#include <QObject>
#include <QPoint>

class QMenu;
class QWidget;

class TWhatsThisMenu : public QObject {
    Q_OBJECT
public:
    // Serves the controls of `dialog` for the dialog's lifetime.
    explicit TWhatsThisMenu(QWidget& dialog);

    // The menu shown last; null before the first right click.
    QMenu* Menu() const { return m_Menu; }

private:
    void Open(QPoint position);

    QWidget& m_Dialog;
    QMenu* m_Menu = nullptr;
};
