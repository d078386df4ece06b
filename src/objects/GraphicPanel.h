#pragma once
// A panel without a window of its own for dialogs: an optional black frame, an outer and an
// inner bevel (raised or lowered) with a border of the panel's colour between them, the rest
// filled with the colour, and a caption aligned left, right or centred, vertically centred.

#include "objects/ControlTypes.h"

#include <QColor>
#include <QWidget>

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TGraphicPanel : public QWidget {
    Q_OBJECT
public:
    explicit TGraphicPanel(QWidget* parent = nullptr);

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return m_BevelInner; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return m_BevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return m_BevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return m_BorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    QColor Color() const { return m_Color; }
    void SetColor(const QColor& value);
    QString Caption() const { return m_Caption; }
    void SetCaption(const QString& value);
    bool Locked() const { return m_Locked; }
    void SetLocked(bool value) { m_Locked = value; }

    // Paints the panel onto `painter` in a rectangle of `size`.
    void Draw(QPainter& painter, QSize size) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TAlignment m_Alignment = taCenter;
    TPanelBevel m_BevelInner = bvNone;
    TPanelBevel m_BevelOuter = bvRaised;
    int m_BevelWidth = 1;
    int m_BorderWidth = 0;
    TBorderStyle m_BorderStyle = bsNone;
    QColor m_Color;
    QString m_Caption;
    bool m_Locked = false;
};
