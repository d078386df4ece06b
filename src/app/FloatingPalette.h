#pragma once
// The icon tool: a small floating window (caption "Icons") that stays on top of the main window
// and offers the icons of one icon library for dragging into day cells. It lives from start-up
// to the end of the program; the main window shows and hides it. Its place on the screen is kept
// in MV.ini; its size is its own. The icon grid and the library menu come with the icon
// libraries; until then the window is empty and only records which library it is to show.

#include <QWidget>

class TFloatingPalette : public QWidget {
    Q_OBJECT
public:
    explicit TFloatingPalette(QWidget* mainWindow);
    ~TFloatingPalette() override;

    // The icon library the tool shows, as the preferences record it.
    QString LibraryFile() const { return m_LibraryFile; }
    void ShowLibrary(const QString& fileName);

signals:
    // The window was hidden (the main window then relabels its show/hide button).
    void Hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QString m_LibraryFile;
};
