#pragma once
// The help window: shows the program's help as HTML pages from the "help" folder of the
// shipped files, one page per context number ("help/2100.html") and "help/index.html" for the
// contents. A context without a page of its own shows a short placeholder page. It comes
// forward over the window that asked for help: over an open modal dialog as that dialog's own
// window (so the dialog does not block it), else over the main window; it is centred over that
// window the first time it shows, and stays where the user moves it afterwards.

#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    // The one help window of the program, created at first use and again after the window it
    // stood over has closed and taken it along.
    static THelpWindow& Instance();

    void ShowTopic(int context);
    void ShowContents();

    // The context number shown; 0 for the contents.
    int CurrentTopic() const { return m_CurrentTopic; }
    QString CurrentHtml() const;
    // The last page file shown; empty while only placeholder pages were.
    QString CurrentFile() const;

private:
    THelpWindow();
    void ShowPage(const QString& fileName, const QString& placeholderTitle);
    void ComeForward();

    QTextBrowser* m_Browser;
    bool m_Placed = false;
    int m_CurrentTopic = 0;
};

// Help entry points used by every window.
void ShowHelpTopic(int context);
void ShowHelpContents();
