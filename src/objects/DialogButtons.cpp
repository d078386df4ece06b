#include "objects/DialogButtons.h"

#include "controls/WhatsThisMenu.h"
#include "platformui/HelpWindow.h"

#include <QDialog>
#include <QPushButton>
#include <QToolButton>
#include <QWhatsThis>

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 6;

QPushButton* AddButton(QDialog& dialog, const QString& name, const QString& caption, const QString& help, int left,
                       int top)
{
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(name);
    button->setWhatsThis(help);
    button->setAutoDefault(false);
    button->setGeometry(left, top, ButtonWidth, ButtonHeight);
    return button;
}

} // namespace

void AddDialogButtons(QDialog& dialog, int left, int right, int top, int helpTopic)
{
    int x = right - 3 * ButtonWidth - 2 * ButtonGap;
    QPushButton* ok = AddButton(dialog, "OKButton", "Ok", "Click to accept and return to the previous screen", x, top);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    x += ButtonWidth + ButtonGap;
    QPushButton* cancel =
        AddButton(dialog, "CancelButton", "Cancel", "Click to cancel and return to the previous screen", x, top);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    x += ButtonWidth + ButtonGap;
    QPushButton* help =
        AddButton(dialog, "Helpbutton", "Help", "Click to bring up Windows Help for the program", x, top);
    QObject::connect(help, &QPushButton::clicked, &dialog, [helpTopic] { ShowHelpTopic(helpTopic); });

    auto* mouseHelp = new QToolButton(&dialog);
    mouseHelp->setObjectName("MouseHelpButton");
    mouseHelp->setText("?");
    mouseHelp->setToolTip("What's this?");
    mouseHelp->setGeometry(left, top, ButtonHeight, ButtonHeight);
    QObject::connect(mouseHelp, &QToolButton::clicked, &dialog, [] { QWhatsThis::enterWhatsThisMode(); });

    new TWhatsThisMenu(dialog);
}
