#pragma once
// A transparent layer over the whole host panel that shows the dotted frames of rubber-band
// selection, handle drags and arrow-key nudging above every object. Frames behave like frames
// drawn in XOR: drawing the same rectangle again removes it. It takes no mouse input.

#include <QList>
#include <QRect>
#include <QWidget>

class TFrameOverlay : public QWidget {
    Q_OBJECT
public:
    explicit TFrameOverlay(QWidget& host);

    // Shows `frame` (x, y, width, height; the frame covers x .. x+width-1), or removes it when it
    // is shown already. Frames without area draw nothing and are ignored.
    void Toggle(const QRect& frame);
    // Removes `frame` when it is shown.
    void Erase(const QRect& frame);

    const QList<QRect>& Frames() const { return m_Frames; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Changed();

    QList<QRect> m_Frames;
};
