#pragma once
// The properties dialog of a special-effects text ("SuperText Properties"): every setting applied
// at once to a sample object in a white panel. The object's Properties command copies itself into
// the sample before the dialog is shown and takes the sample back on Ok. Typing refits the
// sample at most once per 200 ms; the other controls refit it at once.

#include <QDialog>
#include <QImage>

class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTimer;
class QWidget;
class TColorPaletteButton;
class TGSuperText;

// The texture the dialog offers before the user loads one: 120 x 84 pixels in 256 colours.
QImage BuiltInTexture();

class TSuperTextProperties : public QDialog {
    Q_OBJECT
public:
    explicit TSuperTextProperties(QWidget* parent = nullptr);

    TGSuperText& Sample() { return *m_Sample; }
    QString LastTextureFile() const { return m_LastTextureFile; }
    void SetLastTextureFile(const QString& fileName) { m_LastTextureFile = fileName; }
    const QImage& LastUsedImage() const { return m_LastUsedImage; }

    // The font size buttons: 5 points down while above 10, up while below 150; then the fit.
    void ChangeFontSize(int steps);
    // The timer's work: one fit when the caption changed since the last.
    void RefitWhenTyped();

public slots:
    // Refuses an empty text with a message and keeps the dialog open.
    void accept() override;

protected:
    // Loads the controls from the sample.
    void showEvent(QShowEvent* event) override;

private:
    void LoadControls();
    void ShowSurfacePanel();
    void ChooseFont();
    void SelectSymbol();
    void LoadTexture();
    void SetSurface(int index);

    bool m_Loading = true;
    bool m_CaptionChanged = false;
    QString m_LastTextureFile;
    QImage m_LastUsedImage;
    TGSuperText* m_Sample;
    QTimer* m_Timer;
    QLineEdit* m_CaptionText;
    QListWidget* m_SurfaceTypeCombo;
    QWidget* m_FontcolorPanel;
    QWidget* m_ImagePanel;
    QWidget* m_FillPanel;
    TColorPaletteButton* m_FontColorButton;
    QComboBox* m_FillDirectionCombo;
    TColorPaletteButton* m_GradientFromcolorButton;
    TColorPaletteButton* m_GradientToColorButton;
    TColorPaletteButton* m_ShadowColorButton;
    QComboBox* m_ShadowOrientationCombo;
    QSpinBox* m_ShadowDepthSpinner;
    TColorPaletteButton* m_OutlineColorButton;
    QComboBox* m_OutlineStyleCombo;
    QSpinBox* m_OutLineWidthSpinner;
};
