#include "recurring/TickListDialog.h"

#include "platformui/UiServices.h"
#include "recurring/RecordTickList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TTickListDialog::TTickListDialog(const QString& caption, QSize clientSize, const TNames& names, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_List(new TRecordTickList(this))
    , m_ListColumn(new QVBoxLayout)
{
    setWindowTitle(caption);
    setFont(QFont("Arial", 8));
    resize(clientSize);
    m_List->setObjectName(names.List);

    const auto addButton = [this](const QString& name, const QString& caption, void (TTickListDialog::*click)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, click);
        return button;
    };
    QPushButton* ok = addButton("okbutton", "&Ok", &TTickListDialog::okbuttonClick);
    ok->setDefault(true);
    QPushButton* all = addButton(names.AllButton, "&All", &TTickListDialog::AllbuttonClick);
    QPushButton* none = addButton(names.NoneButton, "&None", &TTickListDialog::NonebuttonClick);
    QPushButton* cancel = addButton("CancelButton", "&Cancel", &TTickListDialog::CancelButtonClick);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, all, none, cancel})
        buttons->addWidget(button);
    buttons->addStretch(1);
    m_ListColumn->addWidget(m_List, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(m_ListColumn, 1);
    layout->addLayout(buttons);
}

void TTickListDialog::okbuttonClick()
{
    if (m_List->TickedRecords().isEmpty()) {
        UiServices().Beep();
        return;
    }
    accept();
}

void TTickListDialog::AllbuttonClick()
{
    m_List->TickAll(true);
}

void TTickListDialog::NonebuttonClick()
{
    m_List->TickAll(false);
}

void TTickListDialog::CancelButtonClick()
{
    reject();
}
