#include "controls/OkCancelButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* OkCancelButtons(QDialog& dialog, const QString& okCaption, const QString& cancelCaption)
{
    auto* ok = new QPushButton(okCaption, &dialog);
    ok->setObjectName("okbutton");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* cancel = new QPushButton(cancelCaption, &dialog);
    cancel->setObjectName("CancelButton");
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}
