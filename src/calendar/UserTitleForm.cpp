#include "calendar/UserTitleForm.h"

#include "controls/OkCancelButtons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TUserTitleForm::TUserTitleForm(QWidget* parent)
    : QDialog(parent)
    , m_TitleText(new QLineEdit(this))
{
    setWindowTitle("User Defined Title");
    m_TitleText->setObjectName("TitleText");
    m_TitleText->setMinimumWidth(320);

    QHBoxLayout* buttons = OkCancelButtons(*this, "Ok", "Cancel");
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
