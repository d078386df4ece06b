#pragma once
// The 3-D effects dialog of a text label: direction, colour and depth of the shadow and of the
// highlight, and the font colour, shown live on a sample label. The label's "3D Effects" command
// opens it and, on Ok, copies the sample's settings into the label (ApplyTo).

#include "platform/Color.h"

#include <QDialog>

class QComboBox;
class QGridLayout;
class TColorComboBox;
class TGBaseLabel;
class TGPLabel;

class TGFont3DEffects : public QDialog {
    Q_OBJECT
public:
    // The controls and the sample start from `label`'s settings.
    explicit TGFont3DEffects(const TGBaseLabel& label, QWidget* parent = nullptr);

    TGPLabel& Sample() { return *m_Sample; }
    // The sample's font, depths, directions and colours into `label`.
    void ApplyTo(TGBaseLabel& label) const;

private:
    // Each list stands below its caption in cell (`row`, `column`) of the list grid.
    QComboBox* AddList(const QString& name, const QString& caption, const QStringList& items, int index, int row,
                       int column, const QString& help);
    TColorComboBox* AddColorList(const QString& name, const QString& caption, TColor color, int row, int column,
                                 const QString& help);
    void AddCaptioned(const QString& caption, QWidget* list, int row, int column);

    QGridLayout* m_Lists;
    TGPLabel* m_Sample;
};
