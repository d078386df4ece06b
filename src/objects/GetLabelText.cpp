#include "objects/GetLabelText.h"

#include "objects/DialogButtons.h"
#include "platformui/Utility.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int GetLabelTextHelpTopic = 40004;

} // namespace

TGetLabelText::TGetLabelText(QWidget* parent)
    : QDialog(parent)
    , m_LabelText(new QLineEdit(this))
{
    setWindowTitle("Text");
    setFixedSize(356, 133);
    auto* prompt = new QLabel("Enter Text", this);
    prompt->setGeometry(12, 14, 200, 16);
    m_LabelText->setObjectName("LabelText");
    m_LabelText->setGeometry(12, 34, 332, 24);
    m_LabelText->setWhatsThis("Type the text of the label here");
    prompt->setBuddy(m_LabelText);
    AddDialogButtons(*this, 12, 344, 96, GetLabelTextHelpTopic);
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
