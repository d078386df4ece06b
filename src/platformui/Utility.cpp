#include "platformui/Utility.h"

#include "platformui/Printers.h"
#include "platformui/UiServices.h"

#include <QApplication>
#include <QGridLayout>
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

void SetFormLayout(QWidget& form, QLayout* content, QSize designSize)
{
    auto* grid = new QGridLayout(&form);
    // The form keeps the size its content asks for, as a form drawn at a fixed size did; a
    // longer text or a larger font makes it larger.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addLayout(content, 0, 0);
    // A spacer of the design size shares the cell: the cell, and so the form, is at least that
    // large, and grows with the content's own minimum whenever that is larger.
    const QMargins margins = grid->contentsMargins();
    grid->addItem(new QSpacerItem(designSize.width() - margins.left() - margins.right(),
                                  designSize.height() - margins.top() - margins.bottom(), QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  0, 0);
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
