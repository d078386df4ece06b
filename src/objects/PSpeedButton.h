#pragma once
// The tool button of the main window's tool bar: a flat button that may carry a pop-up menu of
// its own, shown where the user right-clicks it.

#include <QToolButton>

class QMenu;

class TPSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TPSpeedButton(QWidget* parent = nullptr);

    QMenu* PopupMenu() const { return m_PopupMenu; }
    // The menu (not owned) shown on a right click; null shows none.
    void SetPopupMenu(QMenu* menu) { m_PopupMenu = menu; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QMenu* m_PopupMenu = nullptr;
};
