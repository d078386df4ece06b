#pragma once
// The icon tool: a small floating window (caption "Icons") that stays on top of the main window
// and offers the icons of one icon library for dragging into day cells. It lives from start-up
// to the end of the program; the main window shows and hides it. Its place on the screen is kept
// in MV.ini; its size is its own. Its "File" menu chooses the library: the five shipped ones,
// those in the "BonusIcons" folder beside them, or any other file that holds icons.

#include <QWidget>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class TIconListBox;

class TFloatingPalette : public QWidget {
    Q_OBJECT
public:
    explicit TFloatingPalette(QWidget* mainWindow);
    ~TFloatingPalette() override;

    // The icon library the tool shows, as the preferences record it.
    QString LibraryFile() const;
    // Marks the menu entry of `fileName` and shows it; falls back to Misc1.icl when the list then
    // holds no icons.
    void ShowLibrary(const QString& fileName);

    TIconListBox& IconListBox() const { return *m_IconListBox; }

    void mnuActivitiesICLClick();
    void mnuEventsICLClick();
    void mnuHolidaysICLClick();
    void mnuMisc1ICLClick();
    void mnuMisc2ICLClick();
    void mnuBonusIconSetsClick();
    void DefaultMenuClick(QAction* item);
    void mnuOtherIconFileClick();

signals:
    // The window was hidden (the main window then relabels its show/hide button).
    void Hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void BuildBonusMenu();
    void ShowShippedLibrary(const QString& name);

    QMenuBar* m_MainMenu;
    QMenu* m_FileMenu;
    QFrame* m_Panel1;
    TIconListBox* m_IconListBox;
    QAction* m_mnuBonusIconSets = nullptr;
    QMenu* m_BonusMenu = nullptr;
    QAction* m_mnuOtherIconFile = nullptr;
};
