#include "objects/GetLabelText.h"

#include "objects/DialogButtons.h"
#include "platformui/Utility.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int GetLabelTextHelpTopic = 40004;

} // namespace

TGetLabelText::TGetLabelText(QWidget* parent)
    : QDialog(parent)
    , m_LabelText(new QLineEdit(this))
{
    setWindowTitle("Text");
    auto* prompt = new QLabel("Enter Text", this);
    m_LabelText->setObjectName("LabelText");
    m_LabelText->setMinimumHeight(24);
    m_LabelText->setWhatsThis("Type the text of the label here");
    prompt->setBuddy(m_LabelText);
    auto* layout = new QVBoxLayout;
    layout->addWidget(prompt);
    layout->addWidget(m_LabelText);
    layout->addStretch();
    layout->addLayout(AddDialogButtons(*this, GetLabelTextHelpTopic));
    SetFormLayout(*this, layout, {356, 133});
    m_LabelText->setFocus();
    CenterDialog(*this);
}

QString TGetLabelText::Text() const
{
    return m_LabelText->text();
}

void TGetLabelText::SetText(const QString& text)
{
    m_LabelText->setText(text);
    m_LabelText->selectAll();
}
