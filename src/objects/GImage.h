#pragma once
// The picture object: a page object showing clip art (a bitmap, an icon, a JPEG or a metafile)
// scaled to its box, with an optional black frame. With AutoSize the box takes the picture's
// size (times the zoom); Stretch is always the opposite of AutoSize. The page's picture tool
// creates it and opens the picture browser (TGImageBrowser) at once; "Load Image From Disk" in
// its menu does the same later. Metafiles stay vectors on screen, in PDF and on the printer.

#include "objects/ControlTypes.h"
#include "objects/GGraphicControl.h"
#include "objects/StreamedPicture.h"

class QMenu;

class TGImage : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGImage(TComponent* owner);

    QString ClassName() const override { return "TGImage"; }
    void PublishProperties(TPropertyList& list) override;
    // Applies AutoSize once the geometry has been read.
    void Loaded() override;
    // The base behaviour, then AutoSize: the box becomes the picture's size times the zoom.
    void BoundsChanged() override;
    void PopupMenuOpening() override;
    // Bitmaps print as bitmaps, metafiles as vectors, at the object's place at zoom 1.0.
    void PrintTo(TReportPrinter& report, double x, double y) override;

    const TPicture& Picture() const { return m_Picture.Picture(); }
    void SetPicture(const TPicture& picture) { m_Picture.Assign(picture); }
    bool AutoSize() const { return m_AutoSize; }
    void SetAutoSize(bool value);
    bool Stretch() const { return m_Stretch; }
    void SetStretch(bool value);
    TBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // The picture browser; on Ok with a file chosen, its picture and options come over.
    void LoadImage();

    // The picture scaled into a box of `size`, a framed white box without a picture, and the
    // black frame when `withBorder` and the border style ask for it.
    void Draw(QPainter& painter, QSize size, bool withBorder) const;

protected:
    // The object menu, then "Load Image From Disk", "Border", "Stretch to Fit" and "AutoSize".
    void FillObjectMenu(QMenu& menu) override;
    void Paint(QPainter& painter) override;

private:
    void PictureChanged();

    TStreamedPicture m_Picture;
    bool m_AutoSize = false;
    bool m_Stretch = true;
    TBorderStyle m_BorderStyle = bsNone;
    QAction* m_BorderItem = nullptr;
    QAction* m_StretchItem = nullptr;
    QAction* m_AutoSizeItem = nullptr;
};
