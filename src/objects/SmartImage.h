#pragma once
// The preview image control of the picture browser: shows a picture at its own size, centred,
// stretched to the control, or stretched keeping its aspect; optionally transparent (the colour
// of the top-left pixel lets the background through). LoadFromFile decodes the picture files
// of the browser by their extension through the built-in decoders.
//
// An icon picture is shown through a private bitmap: the icon's image with the edge of its mask
// (the transparent pixels next to an opaque one) in the control's colour, the rest of the mask
// transparent. Icons are always drawn transparent.

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
    // True while an icon is loaded, which is always drawn transparent.
    bool Transparent() const { return m_Transparent || HoldsIcon(); }
    // Left as it is while an icon is loaded.
    void SetTransparent(bool value);
    // The private bitmap: the outlined icon, or null when the picture is no icon.
    const QImage& PrivateBitmap() const { return m_PrivateBitmap; }

    // Where the picture is drawn in a control of `client` size.
    QRect DestinationRect(QSize client) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool HoldsIcon() const { return m_Picture.Kind() == TGraphicKind::Icon; }
    void ApplyAutoSize();
    void RebuildPrivateBitmap();
    // The picture's size, or the private bitmap's when that holds an image.
    QSize SourceSize() const;

    TPicture m_Picture;
    QImage m_PrivateBitmap;
    bool m_AutoSize = false;
    bool m_Stretch = false;
    bool m_MaintainAspect = true;
    bool m_Center = false;
    bool m_Transparent = false;
};
