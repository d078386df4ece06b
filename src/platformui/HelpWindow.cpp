#include "platformui/HelpWindow.h"

#include "platform/ProgramFolders.h"
#include "platformui/Utility.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow& THelpWindow::Instance()
{
    static QPointer<THelpWindow> window;
    if (!window)
        window = new THelpWindow;
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
    // Esc closes the help as it closes a dialog.
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
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

QString THelpWindow::CurrentFile() const
{
    return m_Browser->source().toLocalFile();
}

void THelpWindow::ShowPage(const QString& fileName, const QString& placeholderTitle)
{
    const QString folder = ResourceFolder() + "help/";
    m_Browser->setSearchPaths({folder});
    if (QFile::exists(folder + fileName)) {
        m_Browser->setSource(QUrl::fromLocalFile(folder + fileName));
    } else {
        m_Browser->setHtml(QString("<h2>%1</h2><p>This help page has not been written yet.</p>"
                                   "<p><a href=\"index.html\">Help contents</a></p>")
                               .arg(placeholderTitle.toHtmlEscaped()));
    }
    ComeForward();
}

void THelpWindow::ComeForward()
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = MainWindow();
    if (owner && parentWidget() != owner && owner != this)
        setParent(owner, Qt::Window); // a window of the owner's: above it, and not blocked by it
    if (!m_Placed) {
        const QScreen* screen = owner ? owner->screen() : QApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        const QRect over = owner ? owner->frameGeometry() : area;
        QRect frame(QPoint(0, 0), frameGeometry().size());
        frame.moveCenter(over.center());
        if (area.isValid()) {
            // Wholly on the screen, title bar first.
            frame.moveRight(std::min(frame.right(), area.right()));
            frame.moveBottom(std::min(frame.bottom(), area.bottom()));
            frame.moveLeft(std::max(frame.left(), area.left()));
            frame.moveTop(std::max(frame.top(), area.top()));
        }
        move(frame.topLeft());
        m_Placed = true;
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
