#pragma once
// The text label the user creates with the label tool: a TGBaseLabel whose menu adds "Text"
// (the text dialog) and the "Rotation" submenu. The host opens the text dialog right after
// creating one (BeginEdit).

#include "objects/GBaseLabel.h"

#include <array>

class TGPLabel : public TGBaseLabel {
    Q_OBJECT
public:
    explicit TGPLabel(TComponent* owner);

    QString ClassName() const override { return "TGPLabel"; }
    void PopupMenuOpening() override;
    // Grows the label to a newly chosen font.
    bool ChooseFont() override;

    // The text dialog; on OK the label takes the text and grows to hold it.
    virtual void EditText();
    virtual void BeginEdit();

protected:
    // The label menu, then "Text" (tag 1000) and the "Rotation" submenu.
    void FillObjectMenu(QMenu& menu) override;

private:
    std::array<QAction*, 4> m_RotationItems{}; // 0, 90, 180, 270 degrees
};
