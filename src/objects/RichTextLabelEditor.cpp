#include "objects/RichTextLabelEditor.h"

#include "objects/DialogButtons.h"
#include "platformui/Utility.h"
#include "richtext/WPRichText.h"
#include "richtext/WPToolBar.h"

#include <QLabel>
#include <QScrollArea>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int RichTextLabelEditorHelpTopic = 40013;
constexpr QSize DesignSize(601, 343);

QToolButton* NewZoomButton(QWidget* parent, const QString& name, const QString& caption, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setWhatsThis(hint);
    return button;
}

} // namespace

TRichTextLabelEditor::TRichTextLabelEditor(QWidget* parent)
    : QDialog(parent)
    , m_WPToolBar1(new TWPToolBar(this))
    , m_ScrollBox1(new QScrollArea(this))
    , m_WPPanel(new QWidget)
    , m_WPRichText1(new TWPRichText(nullptr, m_WPPanel))
{
    BusyCursor();
    setWindowTitle("Rich Text Editor");

    m_WPToolBar1->setObjectName("WPToolBar1");
    m_ZoomPlusButton = NewZoomButton(m_WPToolBar1, "ZoomPlusButton", "+", "Zoom In");
    connect(m_ZoomPlusButton, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomPlusButtonClick);
    m_ZoomMinusButton = NewZoomButton(m_WPToolBar1, "ZoomMinusButton", "-", "Zoom Out");
    connect(m_ZoomMinusButton, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomMinusButtonClick);
    m_ZoomCaption = new QLabel(m_WPToolBar1);
    m_ZoomCaption->setObjectName("ZoomCaption");
    m_ZoomCaption->setMinimumWidth(40);
    m_ZoomCaption->setAlignment(Qt::AlignCenter);
    // In front of the formatting controls, where a narrow tool bar never hides them.
    QAction* formatting = m_WPToolBar1->actions().value(0);
    m_WPToolBar1->insertWidget(formatting, m_ZoomPlusButton);
    m_WPToolBar1->insertWidget(formatting, m_ZoomMinusButton);
    m_WPToolBar1->insertWidget(formatting, m_ZoomCaption);
    m_WPToolBar1->insertSeparator(formatting);

    m_ScrollBox1->setObjectName("ScrollBox1");
    m_ScrollBox1->setWidgetResizable(false);
    m_ScrollBox1->setWhatsThis("Type and format the text of the label here");
    m_WPPanel->setObjectName("WPPanel");
    m_WPPanel->setAutoFillBackground(true);
    auto* panelLayout = new QVBoxLayout(m_WPPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(m_WPRichText1);
    m_WPRichText1->SetName("WPRichText1");
    m_WPRichText1->setObjectName("WPRichText1");
    m_ScrollBox1->setWidget(m_WPPanel);
    // Shown once the dialog is prepared, so that the text appears at its final size.
    m_WPPanel->hide();
    m_WPToolBar1->Attach(m_WPRichText1);

    ShowWholeToolBar();
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_WPToolBar1);
    layout->addWidget(m_ScrollBox1, 1);
    layout->addLayout(AddDialogButtons(*this, RichTextLabelEditorHelpTopic));
    SetFormLayout(*this, layout, DesignSize);
    CenterDialog(*this);
}

TRichTextLabelEditor::~TRichTextLabelEditor()
{
    m_WPToolBar1->Attach(nullptr);
}

void TRichTextLabelEditor::showEvent(QShowEvent* event)
{
    BusyCursor();
    QDialog::showEvent(event);
    if (!m_Prepared)
        Prepare();
    NormalCursor();
}

void TRichTextLabelEditor::Prepare()
{
    m_Prepared = true;
    m_WPPanel->show();
    m_WPRichText1->setFocus();
    QTextCursor cursor = m_WPRichText1->TextCursor();
    cursor.movePosition(QTextCursor::Start);
    m_WPRichText1->SetTextCursor(cursor);
    m_ReferenceSize = m_WPPanel->size();
    m_ReferenceZoom = m_WPRichText1->Zoom();
    m_ZoomCaption->setText(QString("%1%").arg(m_WPRichText1->Zoom()));
    ShowWholeToolBar();
}

void TRichTextLabelEditor::ShowWholeToolBar()
{
    // A tool bar narrower than its items hides the last ones behind its extension menu.
    m_WPToolBar1->setMinimumWidth(m_WPToolBar1->sizeHint().width());
}

void TRichTextLabelEditor::ZoomPlusButtonClick()
{
    const int zoom = m_WPRichText1->Zoom();
    if (zoom < MaxZoomPercent)
        m_WPRichText1->SetZoom(zoom + ZoomStepPercent);
    ScalePanel();
}

void TRichTextLabelEditor::ZoomMinusButtonClick()
{
    const int zoom = m_WPRichText1->Zoom();
    if (zoom > MinZoomPercent)
        m_WPRichText1->SetZoom(zoom - ZoomStepPercent);
    ScalePanel();
}

void TRichTextLabelEditor::ScalePanel()
{
    const double zoom = m_WPRichText1->Zoom();
    m_WPPanel->resize(int(std::lround(zoom * m_ReferenceSize.width() / m_ReferenceZoom)),
                      int(std::lround(zoom * m_ReferenceSize.height() / m_ReferenceZoom)));
    m_ZoomCaption->setText(QString("%1%").arg(m_WPRichText1->Zoom()));
}
