#pragma once
// A button that shows a colour and lets the user pick another. A click opens the colour dialog
// through the UI services; a confirmed new colour is shown and announced with ColorChanged.
// The properties dialog uses it for the background colours of the page.

#include "platform/Color.h"

#include <QPushButton>

class TColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);

    TColor Color() const { return m_Color; }
    // Shows `color` without announcing it.
    void SetColor(TColor color);

signals:
    void ColorChanged(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Runs on a click: the colour dialog; a button with another way to choose overrides it.
    virtual void ChooseColor();
    // Shows `chosen` and announces it when it differs from the colour shown.
    void Pick(TColor chosen);

private:
    TColor m_Color = clWhite;
};
