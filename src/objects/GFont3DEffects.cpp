#include "objects/GFont3DEffects.h"

#include "controls/ColorComboBox.h"
#include "objects/DialogButtons.h"
#include "objects/GPLabel.h"
#include "platformui/Utility.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int GFont3DEffectsHelpTopic = 40008;
constexpr int ListWidth = 136;
constexpr QSize SampleSize(435, 110);
constexpr int MaxDepth = 10;

QStringList DepthItems()
{
    QStringList items;
    for (int depth = 0; depth <= MaxDepth; ++depth)
        items += QString::number(depth);
    return items;
}

} // namespace

TGFont3DEffects::TGFont3DEffects(const TGBaseLabel& label, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Text 3D Effects");
    m_Lists = new QGridLayout;

    auto* frame = new QFrame(this);
    frame->setObjectName("SamplePanel");
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setMinimumSize(SampleSize);
    frame->setAutoFillBackground(true);
    frame->setPalette(QPalette(Qt::white));
    m_Sample = new TGPLabel(nullptr);
    m_Sample->setParent(frame);
    m_Sample->SetName("Sample");
    m_Sample->Font().Assign(label.Font());
    m_Sample->SetDepthShadow(label.DepthShadow());
    m_Sample->SetDepthHighlight(label.DepthHighlight());
    m_Sample->SetDirectionShadow(label.DirectionShadow());
    m_Sample->SetDirectionHighlight(label.DirectionHighlight());
    m_Sample->SetcolorShadow(label.colorShadow());
    m_Sample->SetcolorHighlight(label.colorHighlight());
    m_Sample->SetBounds(0, 0, SampleSize.width(), SampleSize.height());
    m_Sample->show();

    QComboBox* shadowDirection =
        AddList("ShadowDirection", "Shadow Direction", {"None", "Right", "Left", "Lower Right", "Lower Left", "Down"},
                label.DirectionShadow(), 0, 0, "Choose the direction in which the shadow falls behind the text");
    TColorComboBox* shadowColor =
        AddColorList("ShadowColorCombo", "Shadow Color", label.colorShadow(), 1, 0, "Choose the colour of the shadow");
    QComboBox* shadowDepth = AddList("ShadowDepth", "Shadow Depth", DepthItems(), label.DepthShadow(), 2, 0,
                                     "Choose how far, in pixels, the shadow lies from the text");
    QComboBox* highlightDirection = AddList(
        "HighlightDirection", "Highlight Direction", {"None", "Right", "Left", "Upper Right", "Upper Left", "Up"},
        label.DirectionHighlight(), 0, 1, "Choose the direction in which the highlight lies from the text");
    TColorComboBox* highlightColor = AddColorList("HighLightColorCombo", "Highlight Color", label.colorHighlight(), 1,
                                                  1, "Choose the colour of the highlight");
    QComboBox* highlightDepth = AddList("HighLightDepth", "Highlight Depth", DepthItems(), label.DepthHighlight(), 2, 1,
                                        "Choose how far, in pixels, the highlight lies from the text");
    TColorComboBox* fontColor =
        AddColorList("FontColorCombo", "Font Color", label.Font().Color(), 0, 2, "Choose the colour of the text");

    // The sample follows every choice at once.
    connect(shadowDirection, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_Sample->SetDirectionShadow(TShadowDirection(index));
    });
    connect(shadowDepth, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_Sample->SetDepthShadow(index);
    });
    connect(highlightDirection, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_Sample->SetDirectionHighlight(THighlightDirection(index));
    });
    connect(highlightDepth, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_Sample->SetDepthHighlight(index);
    });
    connect(shadowColor, &TColorComboBox::ColorChanged, this,
            [this](TColor color) { m_Sample->SetcolorShadow(color); });
    connect(highlightColor, &TColorComboBox::ColorChanged, this,
            [this](TColor color) { m_Sample->SetcolorHighlight(color); });
    connect(fontColor, &TColorComboBox::ColorChanged, this, [this](TColor color) { m_Sample->Font().SetColor(color); });

    auto* layout = new QVBoxLayout;
    layout->addLayout(m_Lists);
    layout->addWidget(frame);
    layout->addStretch();
    layout->addLayout(AddDialogButtons(*this, GFont3DEffectsHelpTopic));
    SetFormLayout(*this, layout, {467, 338});
    shadowDirection->setFocus();
    CenterDialog(*this);
}

QComboBox* TGFont3DEffects::AddList(const QString& name, const QString& caption, const QStringList& items, int index,
                                    int row, int column, const QString& help)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(items);
    // A value outside the list (from a file) shows no item and stays as it is.
    list->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
    list->setWhatsThis(help);
    AddCaptioned(caption, list, row, column);
    return list;
}

TColorComboBox* TGFont3DEffects::AddColorList(const QString& name, const QString& caption, TColor color, int row,
                                              int column, const QString& help)
{
    auto* list = new TColorComboBox(this);
    list->setObjectName(name);
    list->SetColor(color);
    list->setWhatsThis(help);
    AddCaptioned(caption, list, row, column);
    return list;
}

void TGFont3DEffects::AddCaptioned(const QString& caption, QWidget* list, int row, int column)
{
    auto* title = new QLabel(caption, this);
    title->setBuddy(list);
    list->setMinimumSize(ListWidth, 24);
    m_Lists->addWidget(title, 2 * row, column);
    m_Lists->addWidget(list, 2 * row + 1, column);
}

void TGFont3DEffects::ApplyTo(TGBaseLabel& label) const
{
    label.Font().Assign(m_Sample->Font());
    label.SetDepthShadow(m_Sample->DepthShadow());
    label.SetDepthHighlight(m_Sample->DepthHighlight());
    label.SetDirectionShadow(m_Sample->DirectionShadow());
    label.SetDirectionHighlight(m_Sample->DirectionHighlight());
    label.SetcolorShadow(m_Sample->colorShadow());
    label.SetcolorHighlight(m_Sample->colorHighlight());
}
