#include "objects/GFont3DEffects.h"

#include "controls/ColorComboBox.h"
#include "objects/DialogButtons.h"
#include "objects/GPLabel.h"
#include "platformui/Utility.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>

namespace {

constexpr int GFont3DEffectsHelpTopic = 40008;
constexpr int ListWidth = 136;
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
    setFixedSize(467, 338);

    auto* frame = new QFrame(this);
    frame->setObjectName("SamplePanel");
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(16, 172, 435, 110);
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
    m_Sample->SetBounds(0, 0, frame->width(), frame->height());
    m_Sample->show();

    QComboBox* shadowDirection =
        AddList("ShadowDirection", "Shadow Direction", {"None", "Right", "Left", "Lower Right", "Lower Left", "Down"},
                label.DirectionShadow(), 16, 12, "Choose the direction in which the shadow falls behind the text");
    TColorComboBox* shadowColor = AddColorList("ShadowColorCombo", "Shadow Color", label.colorShadow(), 16, 64,
                                               "Choose the colour of the shadow");
    QComboBox* shadowDepth = AddList("ShadowDepth", "Shadow Depth", DepthItems(), label.DepthShadow(), 16, 116,
                                     "Choose how far, in pixels, the shadow lies from the text");
    QComboBox* highlightDirection = AddList(
        "HighlightDirection", "Highlight Direction", {"None", "Right", "Left", "Upper Right", "Upper Left", "Up"},
        label.DirectionHighlight(), 166, 12, "Choose the direction in which the highlight lies from the text");
    TColorComboBox* highlightColor = AddColorList("HighLightColorCombo", "Highlight Color", label.colorHighlight(), 166,
                                                  64, "Choose the colour of the highlight");
    QComboBox* highlightDepth = AddList("HighLightDepth", "Highlight Depth", DepthItems(), label.DepthHighlight(), 166,
                                        116, "Choose how far, in pixels, the highlight lies from the text");
    TColorComboBox* fontColor =
        AddColorList("FontColorCombo", "Font Color", label.Font().Color(), 316, 12, "Choose the colour of the text");

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

    AddDialogButtons(*this, 16, 451, 300, GFont3DEffectsHelpTopic);
    shadowDirection->setFocus();
    CenterDialog(*this);
}

QComboBox* TGFont3DEffects::AddList(const QString& name, const QString& caption, const QStringList& items, int index,
                                    int x, int y, const QString& help)
{
    auto* title = new QLabel(caption, this);
    title->setGeometry(x, y, ListWidth, 16);
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(items);
    // A value outside the list (from a file) shows no item and stays as it is.
    list->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
    list->setGeometry(x, y + 18, ListWidth, 24);
    list->setWhatsThis(help);
    title->setBuddy(list);
    return list;
}

TColorComboBox* TGFont3DEffects::AddColorList(const QString& name, const QString& caption, TColor color, int x, int y,
                                              const QString& help)
{
    auto* title = new QLabel(caption, this);
    title->setGeometry(x, y, ListWidth, 16);
    auto* list = new TColorComboBox(this);
    list->setObjectName(name);
    list->SetColor(color);
    list->setGeometry(x, y + 18, ListWidth, 24);
    list->setWhatsThis(help);
    title->setBuddy(list);
    return list;
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
