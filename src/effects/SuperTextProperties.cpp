#include "effects/SuperTextProperties.h"

#include "controls/ColorPaletteButton.h"
#include "effects/GSuperText.h"
#include "effects/SuperTextGetSymbol.h"
#include "effects/SuperTextBrushImageBrowser.h"
#include "objects/DialogButtons.h"
#include "objects/FontChoice.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int SuperTextPropertiesHelpTopic = 40014;
constexpr int RefitMilliseconds = 200;

QLabel* AddLabel(QWidget* parent, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// A control with its name and help; `designSize`, when given, is its least size.
template <class T>
T* Named(T* widget, const QString& name, QSize designSize, const QString& help)
{
    widget->setObjectName(name);
    if (designSize.isValid())
        widget->setMinimumSize(designSize);
    widget->setWhatsThis(help);
    return widget;
}

// A short list shows all of its items without scrolling, and is no smaller than its design size.
void FitListToItems(QListWidget& list)
{
    const int frame = 2 * list.frameWidth();
    list.setFixedSize(std::max(list.minimumWidth(), list.sizeHintForColumn(0) + frame + 4),
                      std::max(list.minimumHeight(), list.sizeHintForRow(0) * list.count() + frame));
}

// A caption above its control, as one cell of a grid.
void AddCaptioned(QGridLayout& grid, int row, int column, QLabel* caption, QWidget* control)
{
    grid.addWidget(caption, row, column);
    grid.addWidget(control, row + 1, column, Qt::AlignLeft);
}

} // namespace

QImage BuiltInTexture()
{
    // Marbled bands of warm colours: a 256-entry palette indexed by a smooth wave pattern.
    QImage texture(120, 84, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette += qRgb(120 + i / 2, 60 + i / 3, 30 + i / 5);
    texture.setColorTable(palette);
    for (int y = 0; y < 84; ++y) {
        for (int x = 0; x < 120; ++x)
            texture.setPixel(x, y, uint((x * 7 + y * 11 + (x * y) % 37 * 3) % 256));
    }
    return texture;
}

TSuperTextProperties::TSuperTextProperties(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_LastUsedImage(BuiltInTexture())
{
    setWindowTitle("SuperText Properties");
    QFont dialogFont("Arial");
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    auto* left = new QGridLayout;
    m_CaptionText = Named(new QLineEdit(this), "CaptionText", {300, 24}, "Enter the text here");
    left->addWidget(AddLabel(this, "Text", m_CaptionText), 0, 0, 1, 2);
    left->addWidget(m_CaptionText, 1, 0, 1, 2);
    connect(m_CaptionText, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_Sample->SetCaption(text);
        m_Sample->update();
        m_CaptionChanged = true;
    });

    m_SurfaceTypeCombo = Named(new QListWidget(this), "SurfaceTypeCombo", {110, 76}, "Select the surface type");
    m_SurfaceTypeCombo->addItems({"Normal", "Transparent", "Texture", "Gradient Fill"});
    FitListToItems(*m_SurfaceTypeCombo);
    left->addWidget(AddLabel(this, "Surface Type", m_SurfaceTypeCombo), 2, 0);
    left->addWidget(m_SurfaceTypeCombo, 3, 0, Qt::AlignTop);
    connect(m_SurfaceTypeCombo, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_Loading && row >= 0)
            SetSurface(row);
    });

    // The three surface panels share one place; only the surface's own shows.
    m_FontcolorPanel = Named(new QWidget(this), "FontcolorPanel", {}, {});
    m_FontColorButton = Named(new TColorPaletteButton(m_FontcolorPanel), "FontColorButton", {52, 25},
                              "Click here to set the font color");
    auto* fontColor = new QGridLayout(m_FontcolorPanel);
    fontColor->setContentsMargins(0, 0, 0, 0);
    AddCaptioned(*fontColor, 0, 0, AddLabel(m_FontcolorPanel, "Font Color", m_FontColorButton), m_FontColorButton);
    fontColor->setRowStretch(2, 1);
    connect(m_FontColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->Font().SetColor(color);
    });

    m_ImagePanel = Named(new QWidget(this), "ImagePanel", {}, {});
    auto* loadImage = Named(new QPushButton("Load Texture", m_ImagePanel), "LoadImageButton", {110, 25},
                            "Click here to browse/load a new image for the texture surface");
    loadImage->setAutoDefault(false);
    connect(loadImage, &QPushButton::clicked, this, [this] { LoadTexture(); });
    auto* image = new QVBoxLayout(m_ImagePanel);
    image->setContentsMargins(0, 0, 0, 0);
    image->addSpacing(fontMetrics().height());
    image->addWidget(loadImage, 0, Qt::AlignLeft);
    image->addStretch();

    m_FillPanel = Named(new QWidget(this), "FillPanel", {}, {});
    m_FillDirectionCombo = Named(new QComboBox(m_FillPanel), "FillDirectionCombo", {90, 24},
                                 "Set the direction of the gradient fill from one of these options");
    m_FillDirectionCombo->addItems({"Up", "Down", "Left", "Right"});
    auto* fill = new QGridLayout(m_FillPanel);
    fill->setContentsMargins(0, 0, 0, 0);
    AddCaptioned(*fill, 0, 0, AddLabel(m_FillPanel, "Fill Direction", m_FillDirectionCombo), m_FillDirectionCombo);
    connect(m_FillDirectionCombo, &QComboBox::activated, this,
            [this](int index) { m_Sample->SetFillDirection(TFillDirection(index)); });
    m_GradientFromcolorButton = Named(new TColorPaletteButton(m_FillPanel), "GradientFromcolorButton", {52, 25},
                                      "Click here to set the 'From' gradient color");
    AddCaptioned(*fill, 2, 0, AddLabel(m_FillPanel, "From Color", m_GradientFromcolorButton),
                 m_GradientFromcolorButton);
    connect(m_GradientFromcolorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetGradientFromColor(color);
    });
    m_GradientToColorButton = Named(new TColorPaletteButton(m_FillPanel), "GradientToColorButton", {52, 25},
                                    "Click here to set the 'To' gradient color");
    AddCaptioned(*fill, 2, 1, AddLabel(m_FillPanel, "To Color", m_GradientToColorButton), m_GradientToColorButton);
    fill->setRowStretch(4, 1);
    connect(m_GradientToColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetGradientToColor(color);
    });
    for (QWidget* panel : {m_FontcolorPanel, m_ImagePanel, m_FillPanel})
        left->addWidget(panel, 2, 1, 2, 1);

    auto* right = new QGridLayout;
    m_ShadowColorButton =
        Named(new TColorPaletteButton(this), "ShadowColorButton", {52, 25}, "Click here to set the shadow color");
    AddCaptioned(*right, 0, 0, AddLabel(this, "Shadow Color", m_ShadowColorButton), m_ShadowColorButton);
    connect(m_ShadowColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetShadowcolor(color);
    });
    m_ShadowOrientationCombo =
        Named(new QComboBox(this), "ShadowOrientationCombo", {110, 24}, "Set the shadow orientation");
    m_ShadowOrientationCombo->addItems({"None", "Right", "Left", "Down and Right", "Down and Left", "Down"});
    AddCaptioned(*right, 0, 1, AddLabel(this, "Shadow Orientation", m_ShadowOrientationCombo),
                 m_ShadowOrientationCombo);
    connect(m_ShadowOrientationCombo, &QComboBox::activated, this,
            [this](int index) { m_Sample->SetShadowOrientation(TShadowOrientation(index)); });
    m_ShadowDepthSpinner =
        Named(new QSpinBox(this), "ShadowDepthSpinner", {54, 24}, "Set the depth (in pixels) of the shadow");
    m_ShadowDepthSpinner->setRange(0, 10);
    AddCaptioned(*right, 0, 2, AddLabel(this, "Shadow Depth", m_ShadowDepthSpinner), m_ShadowDepthSpinner);
    connect(m_ShadowDepthSpinner, &QSpinBox::valueChanged, this, [this](int depth) {
        if (!m_Loading)
            m_Sample->SetShadowDepth(depth);
    });

    m_OutlineColorButton =
        Named(new TColorPaletteButton(this), "OutlineColorButton", {52, 25}, "Click here to set the outline color");
    AddCaptioned(*right, 2, 0, AddLabel(this, "Outline Color", m_OutlineColorButton), m_OutlineColorButton);
    connect(m_OutlineColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetOutlineColor(color);
    });
    m_OutlineStyleCombo = Named(new QComboBox(this), "OutlineStyleCombo", {110, 24},
                                "Select the style of outline. \n\nNOTE: If the width of the outline is more than 1, "
                                "the style will always be solid.");
    m_OutlineStyleCombo->addItems(
        {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"});
    AddCaptioned(*right, 2, 1, AddLabel(this, "OutLine Style", m_OutlineStyleCombo), m_OutlineStyleCombo);
    connect(m_OutlineStyleCombo, &QComboBox::activated, this,
            [this](int index) { m_Sample->SetOutlineStyle(TPenStyle(index)); });
    m_OutLineWidthSpinner =
        Named(new QSpinBox(this), "OutLineWidthSpinner", {54, 24}, "Select the width of the outline");
    m_OutLineWidthSpinner->setRange(0, 10);
    AddCaptioned(*right, 2, 2, AddLabel(this, "Outline Width", m_OutLineWidthSpinner), m_OutLineWidthSpinner);
    connect(m_OutLineWidthSpinner, &QSpinBox::valueChanged, this, [this](int width) {
        if (!m_Loading)
            m_Sample->SetOutlineWidth(width);
    });

    auto* fontButton =
        Named(new QPushButton("Select Font", this), "Fontbutton", {90, 25}, "Click here to change the font");
    fontButton->setAutoDefault(false);
    connect(fontButton, &QPushButton::clicked, this, [this] { ChooseFont(); });
    auto* sizes = Named(new QWidget(this), "RapidChangeFontSize", {},
                        "Click the up or down arrow to increase or decrease the font size by 5 points");
    auto* sizeButtons = new QVBoxLayout(sizes);
    sizeButtons->setContentsMargins(0, 0, 0, 0);
    sizeButtons->setSpacing(1);
    const auto addSizeButton = [&](const QString& name, Qt::ArrowType arrow, int steps) {
        auto* button = Named(new QToolButton(sizes), name, {18, 12}, sizes->whatsThis());
        button->setArrowType(arrow);
        // Small arrows, as a spin box has: the two buttons stand beside a push button.
        button->setIconSize({8, 4});
        connect(button, &QToolButton::clicked, this, [this, steps] { ChangeFontSize(steps); });
        sizeButtons->addWidget(button);
    };
    addSizeButton("RapidChangeFontSizeUp", Qt::UpArrow, 1);
    addSizeButton("RapidChangeFontSizeDown", Qt::DownArrow, -1);
    auto* symbolButton = Named(new QPushButton("Select Symbol", this), "SelectSymbolbutton", {100, 25},
                               "Click here to select a symbol from one of the Windows symbol fonts (Wingdings, etc)");
    symbolButton->setAutoDefault(false);
    connect(symbolButton, &QPushButton::clicked, this, [this] { SelectSymbol(); });
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fontButton);
    fontRow->addWidget(sizes);
    fontRow->addWidget(symbolButton);
    fontRow->addStretch();
    right->addLayout(fontRow, 4, 0, 1, 3);
    right->setRowStretch(5, 1);

    auto* panel = Named(new QFrame(this), "Panel1", {554, 190}, {});
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    m_Sample = new TGSuperText(nullptr);
    m_Sample->setParent(panel);
    m_Sample->SetBounds(0, 0, 100, 100);
    m_Sample->show();
    m_Sample->raise();

    QHBoxLayout* buttons = AddDialogButtons(*this, SuperTextPropertiesHelpTopic);
    findChild<QPushButton*>("CancelButton")->setObjectName("Cancelbutton");
    disconnect(findChild<QPushButton*>("OKButton"), nullptr, this, nullptr);
    connect(findChild<QPushButton*>("OKButton"), &QPushButton::clicked, this, &TSuperTextProperties::accept);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(8);
    top->addLayout(right);
    top->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addLayout(top);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    SetFormLayout(*this, layout, {582, 423});

    m_Timer = new QTimer(this);
    m_Timer->setObjectName("Timer1");
    m_Timer->setInterval(RefitMilliseconds);
    connect(m_Timer, &QTimer::timeout, this, [this] { RefitWhenTyped(); });
    m_Timer->start();

    m_CaptionText->setFocus();
    CenterDialog(*this);
}

void TSuperTextProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    LoadControls();
}

void TSuperTextProperties::LoadControls()
{
    m_Loading = true;
    const TGSuperText& sample = *m_Sample;
    m_SurfaceTypeCombo->setCurrentRow(sample.SurfaceType());
    m_FillDirectionCombo->setCurrentIndex(sample.FillDirection());
    m_GradientFromcolorButton->SetColor(sample.GradientFromColor());
    m_GradientToColorButton->SetColor(sample.GradientToColor());
    m_FontColorButton->SetColor(sample.Font().Color());
    m_OutlineColorButton->SetColor(sample.OutlineColor());
    m_OutlineStyleCombo->setCurrentIndex(std::min<int>(sample.OutlineStyle(), psClear));
    m_OutLineWidthSpinner->setValue(sample.OutlineWidth());
    m_ShadowColorButton->SetColor(sample.Shadowcolor());
    m_ShadowOrientationCombo->setCurrentIndex(sample.ShadowOrientation());
    m_ShadowDepthSpinner->setValue(sample.ShadowDepth());
    ShowSurfacePanel();
    if (sample.Image().width() > 0)
        m_LastUsedImage = sample.Image();
    m_CaptionText->setText(sample.Caption());
    m_CaptionText->setFont(QFont(sample.Font().Name(), 8));
    m_Loading = false;
}

void TSuperTextProperties::ShowSurfacePanel()
{
    const TSurfaceType surface = m_Sample->SurfaceType();
    m_FontcolorPanel->setVisible(surface == stNormal);
    m_ImagePanel->setVisible(surface == stBrushImage);
    m_FillPanel->setVisible(surface == stGradientFill);
}

void TSuperTextProperties::SetSurface(int index)
{
    m_Sample->SetSurfaceType(TSurfaceType(index));
    if (index == stBrushImage)
        m_Sample->SetImage(m_LastUsedImage);
    m_Sample->update();
    m_Sample->FitToText();
    ShowSurfacePanel();
}

void TSuperTextProperties::ChangeFontSize(int steps)
{
    TFont& font = m_Sample->Font();
    if (steps < 0 && font.Size() > 10)
        font.SetSize(font.Size() - 5);
    else if (steps > 0 && font.Size() < 150)
        font.SetSize(font.Size() + 5);
    m_Sample->ApplyFont(font);
    m_Sample->FitToText();
}

void TSuperTextProperties::RefitWhenTyped()
{
    if (!m_CaptionChanged)
        return;
    m_Timer->stop();
    m_Sample->FitToText();
    m_CaptionChanged = false;
    m_Timer->start();
}

void TSuperTextProperties::ChooseFont()
{
    TFontChoice choice = ChoiceFromFont(m_Sample->Font());
    if (!UiServices().ChooseFont(choice))
        return;
    TFont font;
    font.Assign(m_Sample->Font());
    CopyChoiceToFont(choice, font);
    m_Sample->ApplyFont(font);
    m_Sample->FitToText();
    m_CaptionText->setFont(QFont(font.Name(), 8));
}

void TSuperTextProperties::SelectSymbol()
{
    TSuperTextGetSymbol picker(parentWidget());
    if (!picker.FontsFound() || UiServices().ExecDialog(picker) != QDialog::Accepted)
        return;
    m_CaptionText->setText(picker.Symbol());
    TFont font;
    font.Assign(m_Sample->Font());
    font.SetName(picker.SymbolFontName());
    m_Sample->ApplyFont(font);
    m_Sample->FitToText();
    m_Sample->update();
    m_CaptionText->setFont(QFont(font.Name(), 8));
}

void TSuperTextProperties::LoadTexture()
{
    const QString currentFolder = QDir::currentPath();
    TSuperTextBrushImageBrowser browser(parentWidget());
    if (!m_LastTextureFile.isEmpty() && QFileInfo(m_LastTextureFile).isFile())
        browser.SelectFile(m_LastTextureFile);
    else
        browser.OpenFolder(TSuperTextBrushImageBrowser::StartFolder());
    browser.Example().Assign(*m_Sample);
    if (UiServices().ExecDialog(browser) == QDialog::Accepted) {
        m_Sample->SetImage(browser.Example().Image());
        m_LastUsedImage = browser.Example().Image();
        m_LastTextureFile = browser.SelectedFile();
    }
    QDir::setCurrent(currentFolder);
    m_Sample->FitToText();
    m_Sample->update();
}

void TSuperTextProperties::accept()
{
    if (m_CaptionText->text().isEmpty()) {
        UiServices().ShowMessage("Please enter some text", "Information", TMessageIcon::Information);
        m_CaptionText->setFocus();
        return;
    }
    QDialog::accept();
}
