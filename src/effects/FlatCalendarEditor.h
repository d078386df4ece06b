#pragma once
// The editor of a floating mini calendar ("Floating Calendar Properties"): every appearance
// setting of the calendar, each applied at once to a sample calendar shown at zoom 1 in a white
// scroll box. The calendar's Properties command fills the sample before the editor is shown and
// takes the sample's settings back on Ok; the editor itself never touches the page object.

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QPushButton;
class QScrollArea;
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
    // Each control stands below its caption in column `column` of `grid`, at least `designSize`.
    QComboBox* AddCombo(QWidget* parent, QGridLayout& grid, int column, const QString& name, const QString& caption,
                        const QStringList& items, QSize designSize, const QString& help);
    QSpinBox* AddSpinner(QWidget* parent, QGridLayout& grid, int column, const QString& name, const QString& caption,
                         int minimum, int maximum, QSize designSize, const QString& help);
    TColorPaletteButton* AddColorButton(QWidget* parent, QGridLayout& grid, int column, const QString& name,
                                        const QString& caption, const QString& help);
    void AddCaptioned(QWidget* parent, QGridLayout& grid, int column, const QString& caption, QWidget* control,
                      QSize designSize);
    QPushButton* AddFontButton(QWidget* parent, const QString& name, const QString& caption, const QString& help,
                               TFont& (TGFlatCalendar::*font)());
    // Runs `apply` for a control's change unless the controls are being loaded.
    void Guarded(const std::function<void()>& apply);
    void LoadControls();

    bool m_Loading = true;
    TGFlatCalendar* m_Sample;
    QScrollArea* m_SampleBox;
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
