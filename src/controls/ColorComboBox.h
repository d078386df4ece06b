#pragma once
// A colour drop-down list: the sixteen named colours, each shown with a swatch and its name,
// plus the current colour when it is none of them (a system colour under its own name). The
// object dialogs use it for shadow, highlight and font colours.

#include "platform/Color.h"

#include <QComboBox>

class TColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TColorComboBox(QWidget* parent = nullptr);

    TColor Color() const;
    // Selects `value`; a colour without a name gets an item of its own at the end.
    void SetColor(TColor value);

signals:
    // The user picked a colour (not emitted by SetColor).
    void ColorChanged(TColor value);

private:
    void AddColorItem(TColor value, const QString& name);
    // Drops the item of an unnamed colour unless it is the current one.
    void RemoveUnusedCustomItem();
    int NamedColorCount() const;
};
