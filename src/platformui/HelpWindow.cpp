#include "platformui/HelpWindow.h"

#include "platform/ProgramFolders.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow& THelpWindow::Instance()
{
    static THelpWindow* window = new THelpWindow; // lives until the program ends
    return *window;
}

THelpWindow::THelpWindow()
    : m_Browser(new QTextBrowser(this))
{
    setObjectName("HelpWindow");
    setWindowTitle("Mervane Help");
    resize(560, 480);
    m_Browser->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_Browser);
}

void THelpWindow::ShowTopic(int context)
{
    m_CurrentTopic = context;
    ShowPage(QString::number(context) + ".html", QString("Help topic %1").arg(context));
}

void THelpWindow::ShowContents()
{
    m_CurrentTopic = 0;
    ShowPage("index.html", "Contents");
}

QString THelpWindow::CurrentHtml() const
{
    return m_Browser->toHtml();
}

void THelpWindow::ShowPage(const QString& fileName, const QString& placeholderTitle)
{
    const QString folder = ProgramFolder() + "help/";
    m_Browser->setSearchPaths({folder});
    if (QFile::exists(folder + fileName)) {
        m_Browser->setSource(QUrl::fromLocalFile(folder + fileName));
    } else {
        m_Browser->setHtml(QString("<h2>%1</h2><p>This help page has not been written yet.</p>"
                                   "<p><a href=\"index.html\">Help contents</a></p>")
                               .arg(placeholderTitle.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

void ShowHelpTopic(int context)
{
    THelpWindow::Instance().ShowTopic(context);
}

void ShowHelpContents()
{
    THelpWindow::Instance().ShowContents();
}
