#pragma once
// A colour button that drops down a palette: twenty colours in four rows of five, and "&Other"
// for the colour dialog. A picked colour is shown and announced with ColorChanged, as with the
// plain colour button. The mini calendar's editor uses it.

#include "controls/ColorButton.h"

#include <QFrame>
#include <QPointer>

class TColorPalette : public QFrame {
    Q_OBJECT
public:
    static constexpr int Rows = 4;
    static constexpr int Columns = 5;

    // A pop-up below `button`; it closes itself when a colour is picked or it loses the mouse.
    explicit TColorPalette(QWidget* button);

    // The palette's colours, row by row.
    static const QList<TColor>& Colors();

signals:
    // A swatch was clicked.
    void Picked(TColor color);
    // "&Other" was clicked.
    void OtherRequested();
};

class TColorPaletteButton : public TColorButton {
    Q_OBJECT
public:
    explicit TColorPaletteButton(QWidget* parent = nullptr);

    // The palette shown last; null until the first click.
    TColorPalette* Palette() const { return m_Palette; }

protected:
    void ChooseColor() override;

private:
    // Empty once the palette has closed; it may also go with the button itself.
    QPointer<TColorPalette> m_Palette;
};
