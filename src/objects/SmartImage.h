#pragma once
// The preview image control of the picture browser: shows a picture at its own size, centred,
// stretched to the control, or stretched keeping its aspect; optionally transparent (the colour
// of the top-left pixel lets the background through). LoadFromFile decodes the picture files
// of the browser by their extension through the built-in decoders.

#include "imaging/Picture.h"

#include <QWidget>

class TSmartImage : public QWidget {
    Q_OBJECT
public:
    explicit TSmartImage(QWidget* parent = nullptr);

    // Decodes `fileName` by the text after its last dot; on failure the picture is empty and
    // the result false.
    bool LoadFromFile(const QString& fileName);

    const TPicture& Picture() const { return m_Picture; }
    void SetPicture(const TPicture& picture);
    bool AutoSize() const { return m_AutoSize; }
    // The control takes the picture's size.
    void SetAutoSize(bool value);
    bool Stretch() const { return m_Stretch; }
    void SetStretch(bool value);
    bool MaintainAspect() const { return m_MaintainAspect; }
    void SetMaintainAspect(bool value);
    bool Center() const { return m_Center; }
    void SetCenter(bool value);
    bool Transparent() const { return m_Transparent; }
    void SetTransparent(bool value);

    // Where the picture is drawn in a control of `client` size.
    QRect DestinationRect(QSize client) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyAutoSize();

    TPicture m_Picture;
    bool m_AutoSize = false;
    bool m_Stretch = false;
    bool m_MaintainAspect = true;
    bool m_Center = false;
    bool m_Transparent = false;
};
