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
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int SuperTextPropertiesHelpTopic = 40014;
constexpr int RefitMilliseconds = 200;

QLabel* AddLabel(QWidget* parent, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(buddy->x(), buddy->y() - 17, 120, 16);
    label->setBuddy(buddy);
    return label;
}

template <class T>
T* Named(T* widget, const QString& name, QRect geometry, const QString& help)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    widget->setWhatsThis(help);
    return widget;
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
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_LastUsedImage(BuiltInTexture())
{
    setWindowTitle("SuperText Properties");
    setFixedSize(582, 423);
    QFont dialogFont("Arial");
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    m_CaptionText = Named(new QLineEdit(this), "CaptionText", {8, 24, 300, 24}, "Enter the text here");
    AddLabel(this, "Text", m_CaptionText);
    connect(m_CaptionText, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_Sample->SetCaption(text);
        m_Sample->update();
        m_CaptionChanged = true;
    });

    m_SurfaceTypeCombo = Named(new QListWidget(this), "SurfaceTypeCombo", {8, 72, 110, 76}, "Select the surface type");
    m_SurfaceTypeCombo->addItems({"Normal", "Transparent", "Texture", "Gradient Fill"});
    AddLabel(this, "Surface Type", m_SurfaceTypeCombo);
    connect(m_SurfaceTypeCombo, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_Loading && row >= 0)
            SetSurface(row);
    });

    // The three surface panels share one place; only the surface's own shows.
    const QRect panelPlace(126, 56, 190, 92);
    m_FontcolorPanel = Named(new QWidget(this), "FontcolorPanel", panelPlace, {});
    m_FontColorButton = Named(new TColorPaletteButton(m_FontcolorPanel), "FontColorButton", {4, 20, 52, 25},
                              "Click here to set the font color");
    AddLabel(m_FontcolorPanel, "Font Color", m_FontColorButton);
    connect(m_FontColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->Font().SetColor(color);
    });

    m_ImagePanel = Named(new QWidget(this), "ImagePanel", panelPlace, {});
    auto* loadImage = Named(new QPushButton("Load Texture", m_ImagePanel), "LoadImageButton", {4, 20, 110, 25},
                            "Click here to browse/load a new image for the texture surface");
    loadImage->setAutoDefault(false);
    connect(loadImage, &QPushButton::clicked, this, [this] { LoadTexture(); });

    m_FillPanel = Named(new QWidget(this), "FillPanel", panelPlace, {});
    m_FillDirectionCombo = Named(new QComboBox(m_FillPanel), "FillDirectionCombo", {4, 20, 90, 24},
                                 "Set the direction of the gradient fill from one of these options");
    m_FillDirectionCombo->addItems({"Up", "Down", "Left", "Right"});
    AddLabel(m_FillPanel, "Fill Direction", m_FillDirectionCombo);
    connect(m_FillDirectionCombo, &QComboBox::activated, this,
            [this](int index) { m_Sample->SetFillDirection(TFillDirection(index)); });
    m_GradientFromcolorButton = Named(new TColorPaletteButton(m_FillPanel), "GradientFromcolorButton", {4, 64, 52, 25},
                                      "Click here to set the 'From' gradient color");
    AddLabel(m_FillPanel, "From Color", m_GradientFromcolorButton);
    connect(m_GradientFromcolorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetGradientFromColor(color);
    });
    m_GradientToColorButton = Named(new TColorPaletteButton(m_FillPanel), "GradientToColorButton", {100, 64, 52, 25},
                                    "Click here to set the 'To' gradient color");
    AddLabel(m_FillPanel, "To Color", m_GradientToColorButton);
    connect(m_GradientToColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetGradientToColor(color);
    });

    m_ShadowColorButton = Named(new TColorPaletteButton(this), "ShadowColorButton", {330, 24, 52, 25},
                                "Click here to set the shadow color");
    AddLabel(this, "Shadow Color", m_ShadowColorButton);
    connect(m_ShadowColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetShadowcolor(color);
    });
    m_ShadowOrientationCombo =
        Named(new QComboBox(this), "ShadowOrientationCombo", {400, 24, 110, 24}, "Set the shadow orientation");
    m_ShadowOrientationCombo->addItems({"None", "Right", "Left", "Down and Right", "Down and Left", "Down"});
    AddLabel(this, "Shadow Orientation", m_ShadowOrientationCombo);
    connect(m_ShadowOrientationCombo, &QComboBox::activated, this,
            [this](int index) { m_Sample->SetShadowOrientation(TShadowOrientation(index)); });
    m_ShadowDepthSpinner =
        Named(new QSpinBox(this), "ShadowDepthSpinner", {520, 24, 54, 24}, "Set the depth (in pixels) of the shadow");
    m_ShadowDepthSpinner->setRange(0, 10);
    AddLabel(this, "Shadow Depth", m_ShadowDepthSpinner);
    connect(m_ShadowDepthSpinner, &QSpinBox::valueChanged, this, [this](int depth) {
        if (!m_Loading)
            m_Sample->SetShadowDepth(depth);
    });

    m_OutlineColorButton = Named(new TColorPaletteButton(this), "OutlineColorButton", {330, 76, 52, 25},
                                 "Click here to set the outline color");
    AddLabel(this, "Outline Color", m_OutlineColorButton);
    connect(m_OutlineColorButton, &TColorButton::ColorChanged, this, [this](TColor color) {
        if (!m_Loading)
            m_Sample->SetOutlineColor(color);
    });
    m_OutlineStyleCombo = Named(new QComboBox(this), "OutlineStyleCombo", {400, 76, 110, 24},
                                "Select the style of outline. \n\nNOTE: If the width of the outline is more than 1, "
                                "the style will always be solid.");
    m_OutlineStyleCombo->addItems(
        {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"});
    AddLabel(this, "OutLine Style", m_OutlineStyleCombo);
    connect(m_OutlineStyleCombo, &QComboBox::activated, this,
            [this](int index) { m_Sample->SetOutlineStyle(TPenStyle(index)); });
    m_OutLineWidthSpinner =
        Named(new QSpinBox(this), "OutLineWidthSpinner", {520, 76, 54, 24}, "Select the width of the outline");
    m_OutLineWidthSpinner->setRange(0, 10);
    AddLabel(this, "Outline Width", m_OutLineWidthSpinner);
    connect(m_OutLineWidthSpinner, &QSpinBox::valueChanged, this, [this](int width) {
        if (!m_Loading)
            m_Sample->SetOutlineWidth(width);
    });

    auto* fontButton =
        Named(new QPushButton("Select Font", this), "Fontbutton", {330, 120, 90, 25}, "Click here to change the font");
    fontButton->setAutoDefault(false);
    connect(fontButton, &QPushButton::clicked, this, [this] { ChooseFont(); });
    auto* sizes = Named(new QWidget(this), "RapidChangeFontSize", {424, 120, 18, 25},
                        "Click the up or down arrow to increase or decrease the font size by 5 points");
    auto* up = Named(new QToolButton(sizes), "RapidChangeFontSizeUp", {0, 0, 18, 12}, sizes->whatsThis());
    up->setArrowType(Qt::UpArrow);
    connect(up, &QToolButton::clicked, this, [this] { ChangeFontSize(1); });
    auto* down = Named(new QToolButton(sizes), "RapidChangeFontSizeDown", {0, 13, 18, 12}, sizes->whatsThis());
    down->setArrowType(Qt::DownArrow);
    connect(down, &QToolButton::clicked, this, [this] { ChangeFontSize(-1); });
    auto* symbolButton = Named(new QPushButton("Select Symbol", this), "SelectSymbolbutton", {450, 120, 100, 25},
                               "Click here to select a symbol from one of the Windows symbol fonts (Wingdings, etc)");
    symbolButton->setAutoDefault(false);
    connect(symbolButton, &QPushButton::clicked, this, [this] { SelectSymbol(); });

    auto* panel = Named(new QFrame(this), "Panel1", {14, 160, 554, 190}, {});
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

    AddDialogButtons(*this, 8, 574, 388, SuperTextPropertiesHelpTopic);
    findChild<QPushButton*>("CancelButton")->setObjectName("Cancelbutton");
    disconnect(findChild<QPushButton*>("OKButton"), nullptr, this, nullptr);
    connect(findChild<QPushButton*>("OKButton"), &QPushButton::clicked, this, &TSuperTextProperties::accept);

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
