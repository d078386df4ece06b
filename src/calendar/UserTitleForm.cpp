#include "calendar/UserTitleForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TUserTitleForm::TUserTitleForm(QWidget* parent)
    : QDialog(parent)
    , m_TitleText(new QLineEdit(this))
{
    setWindowTitle("User Defined Title");
    m_TitleText->setObjectName("TitleText");
    m_TitleText->setMinimumWidth(320);

    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("okbutton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Enter calendar title (leave blank for default):", this));
    layout->addWidget(m_TitleText);
    layout->addLayout(buttons);
}

QString TUserTitleForm::Title() const
{
    return m_TitleText->text();
}

void TUserTitleForm::SetTitle(const QString& title)
{
    m_TitleText->setText(title);
}
