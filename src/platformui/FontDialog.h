#pragma once
// The font dialog the UI services show: name, style, size, underline and strikeout, and colour
// in one dialog, with a sample. It starts on the given font's own name even where only a
// substitute of that name is installed (a calendar's "Times New Roman" or "MS Sans Serif"), and
// OK without a change gives back exactly the font it was given.

#include "platformui/UiServices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class TFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontDialog(const TFontChoice& initial, QWidget* parent = nullptr);

    // The given font while nothing was changed, else the font the controls show.
    TFontChoice Choice() const;

private:
    void Changed();
    void ChooseColorClick();
    void ShowColor();
    TFontChoice ShownChoice() const;

    TFontChoice m_Initial;
    QColor m_Color;
    bool m_Changed = false;
    QComboBox* m_Name = nullptr;
    QComboBox* m_Style = nullptr;
    QComboBox* m_Size = nullptr;
    QCheckBox* m_Underline = nullptr;
    QCheckBox* m_Strikeout = nullptr;
    QPushButton* m_ColorButton = nullptr;
    QLabel* m_Sample = nullptr;
};
