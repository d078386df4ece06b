#pragma once
// The editor of a floating mini calendar ("Floating Calendar Properties"): every appearance
// setting of the calendar, each applied at once to a sample calendar shown at zoom 1 in a white
// scroll box. The calendar's Properties command fills the sample before the editor is shown and
// takes the sample's settings back on Ok; the editor itself never touches the page object.

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QSpinBox;
class TColorPaletteButton;
class TFont;
class TGFlatCalendar;
class TRadioGroup;

class TFlatCalendarEditor : public QDialog {
    Q_OBJECT
public:
    explicit TFlatCalendarEditor(QWidget* parent = nullptr);

    TGFlatCalendar& Sample() { return *m_Sample; }

protected:
    // Loads the controls from the sample. The guard is already clear, so a spin edit that
    // cannot show the sample's value writes its nearest value back to the sample.
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* AddCombo(QWidget* parent, const QString& name, const QString& caption, const QStringList& items,
                        QRect geometry, const QString& help);
    QSpinBox* AddSpinner(QWidget* parent, const QString& name, const QString& caption, int minimum, int maximum,
                         QRect geometry, const QString& help);
    TColorPaletteButton* AddColorButton(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                                        const QString& help);
    void AddFontButton(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                       const QString& help, TFont& (TGFlatCalendar::*font)());
    // Runs `apply` for a control's change unless the controls are being loaded.
    void Guarded(const std::function<void()>& apply);
    void LoadControls();

    bool m_Loading = true;
    TGFlatCalendar* m_Sample;
    QComboBox* m_MonthCombo;
    QSpinBox* m_YearSpinner;
    TRadioGroup* m_WeekStartsOn;
    QCheckBox* m_ShowtitleInyearCheck;
    QComboBox* m_HeadersStyleCombo;
    QComboBox* m_LanguageCombo;
    QComboBox* m_CalendarBorderCombo;
    QComboBox* m_HeaderBorderCombo;
    QComboBox* m_CellBorderCombo;
    TColorPaletteButton* m_TitleBackgroundbutton;
    TColorPaletteButton* m_HeaderBackgroundButton;
    TColorPaletteButton* m_Bodybackgroundbutton;
    QCheckBox* m_TransparentCheck;
    TColorPaletteButton* m_ShadowColorButton;
    QComboBox* m_ShadowOrientationCombo;
    QSpinBox* m_ShadowDepthSpinner;
};
