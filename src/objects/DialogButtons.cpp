#include "objects/DialogButtons.h"

#include "controls/WhatsThisMenu.h"
#include "platformui/HelpWindow.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QWhatsThis>

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 6;

QPushButton* AddButton(QDialog& dialog, const QString& name, const QString& caption, const QString& help)
{
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(name);
    button->setWhatsThis(help);
    button->setAutoDefault(false);
    button->setMinimumSize(ButtonWidth, ButtonHeight);
    return button;
}

} // namespace

QHBoxLayout* AddDialogButtons(QDialog& dialog, int helpTopic)
{
    QPushButton* ok = AddButton(dialog, "OKButton", "Ok", "Click to accept and return to the previous screen");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QPushButton* cancel =
        AddButton(dialog, "CancelButton", "Cancel", "Click to cancel and return to the previous screen");
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QPushButton* help = AddButton(dialog, "Helpbutton", "Help", "Click to bring up Windows Help for the program");
    QObject::connect(help, &QPushButton::clicked, &dialog, [helpTopic] { ShowHelpTopic(helpTopic); });

    auto* mouseHelp = new QToolButton(&dialog);
    mouseHelp->setObjectName("MouseHelpButton");
    mouseHelp->setText("?");
    mouseHelp->setToolTip("What's this?");
    mouseHelp->setMinimumSize(ButtonHeight, ButtonHeight);
    QObject::connect(mouseHelp, &QToolButton::clicked, &dialog, [] { QWhatsThis::enterWhatsThisMode(); });

    new TWhatsThisMenu(dialog);

    auto* row = new QHBoxLayout;
    row->setSpacing(ButtonGap);
    row->addWidget(mouseHelp);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(help);
    return row;
}
