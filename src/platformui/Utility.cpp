#include "platformui/Utility.h"

#include "platformui/Printers.h"
#include "platformui/UiServices.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

void ShowInfo(const QString& text)
{
    UiServices().ShowMessage(text, "Information", TMessageIcon::Information);
}

bool AskYesNo(const QString& text, const QString& caption)
{
    return UiServices().AskQuestion(text, caption) == TQuestionAnswer::Yes;
}

void BusyCursor()
{
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void NormalCursor()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

namespace {

QPointer<QWidget> RegisteredMainWindow;

} // namespace

void SetMainWindow(QWidget* window)
{
    RegisteredMainWindow = window;
}

QWidget* MainWindow()
{
    return RegisteredMainWindow;
}

void CenterDialog(QWidget& form)
{
    // A form never resized and not yet shown still has Qt's placeholder size; showing it would
    // give it the size its layout asks for, so it takes that size now and is centred with it.
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Resized))
        form.adjustSize();
    QWidget* main = MainWindow();
    if (main && main != &form && !main->isMaximized()) {
        // Outer (frame) rectangles, as the user sees the windows; halves truncate toward zero.
        const QRect outer = main->frameGeometry();
        const QSize size = form.frameGeometry().size();
        form.move(outer.x() + (outer.width() - size.width()) / 2, outer.y() + (outer.height() - size.height()) / 2);
        return;
    }
    const QScreen* screen = main ? main->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = form.frameGeometry().size();
    form.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

bool CheckPrinters()
{
    if (Printers().InstalledPrinters().isEmpty()) {
        ShowInfo("There are no installed printers.\r\nUnable to perform printer related operations");
        return false;
    }
    if (Printers().DefaultPrinter().isEmpty()) {
        ShowInfo("There is no default printer selected.\r\nUnable to perform printer related operations");
        return false;
    }
    return true;
}
