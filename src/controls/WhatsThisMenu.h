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
    // Serves the controls of `dialog` for the dialog's lifetime; made after them, since it
    // watches each control for right clicks.
    explicit TWhatsThisMenu(QWidget& dialog);

    // The menu shown last; null before the first right click.
    QMenu* Menu() const { return m_Menu; }

protected:
    // Controls such as combo boxes take their right clicks for themselves, so the dialog would
    // never hear of them: each control's right click is caught here first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the menu for the control at `position` (dialog coordinates); false when no control
    // there has a text.
    bool Open(QPoint position);

    QWidget& m_Dialog;
    QMenu* m_Menu = nullptr;
};
