#pragma once
// The special-effects text: one line of large display text whose letters are filled with a
// surface of their own (font colour, nothing, a tiled texture or a 256-band gradient), with a
// hard drop shadow in one of five directions and a stroked outline. The letters are a text path
// used as clipping region (fills) or stroked (outline), so they print as vectors. The page's
// special-effects text tool creates it and opens its properties dialog at once.

#include "objects/ControlTypes.h"
#include "objects/GGraphicControl.h"
#include "stream/Font.h"

#include <QImage>
#include <vector>

class QMenu;
class QPainterPath;

enum TSurfaceType { stNormal, stBrushTransparent, stBrushImage, stGradientFill };
enum TFillDirection { gdUp, gdDown, gdLeft, gdRight };
using TShadowOrientation = TShadowDirection;
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The texture bitmap as files carry it: the 4-byte size and the BMP file exactly as read, so a
// file is written back byte for byte; a picture set by the program is stored as a new BMP.
class TSuperTextBitmap : public TPersistent {
public:
    QString ClassName() const override { return "TBitmap"; }
    void DefineProperties(TPropertyList& list) override;

    bool IsEmpty() const { return m_Image.isNull(); }
    const QImage& Image() const { return m_Image; }
    // A null image empties the bitmap.
    void SetImage(const QImage& image);
    void Assign(const TSuperTextBitmap& source);
    // The stream block; throws EMervaneError when the size does not match or the BMP cannot be
    // read.
    void SetData(const QByteArray& data);
    QByteArray Data() const { return m_Data; }

private:
    QImage m_Image;
    QByteArray m_Data;
};

// One band of the gradient: its number (0..255), where it lies (empty for a small object) and
// its colour.
struct TGradientBand {
    int Index = 0;
    QRect Rect;
    QColor Color;
};

// Where the letters and their shadow stand inside the object, and the size the object takes.
struct TSuperTextLayout {
    QPoint TextOrigin;
    QPoint ShadowOrigin;
    QSize Size;
};

class TGSuperText : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGSuperText(TComponent* owner);

    QString ClassName() const override { return "TGSuperText"; }
    void PublishProperties(TPropertyList& list) override;
    void Loaded() override;
    void BoundsChanged() override;
    void PopupMenuOpening() override;
    // Takes the font and lays the text out anew.
    void ApplyFont(const TFont& font) override;
    void FitContent() override { RunLayout(); }
    // Background, frame, shadow as plain text, then letters filled through a text path and their
    // outline stroked: vector paths on the printed page.
    void PrintTo(TReportPrinter& report, double x, double y) override;

    // The page tool's object: framed, on white.
    static TGSuperText* CreateForTool(TComponent* owner);

    // The properties dialog on a copy; on Ok the copy's appearance comes back, not its size.
    void Properties();
    // "Font" of the menu: a font dialog offering outline fonts only.
    void ChooseFont();
    void ChooseBackColor();
    // Caption, font, colours, texture, outline, shadow, surface, then the size.
    void Assign(const TGSuperText& source);
    // Sizes the object to its text; true when the text fits.
    bool FitToText();

    // The shadow offset (dx, dy) for `depth` and `orientation`.
    static QPoint ShadowOffset(int depth, TShadowOrientation orientation);
    // The layout for an object of `size` at `zoom`, with the caption measured in `font`.
    TSuperTextLayout Layout(QSize size, float zoom) const;
    // The 256 gradient bands over `size`, from the start to the end colour.
    std::vector<TGradientBand> GradientBands(QSize size) const;
    // The gradient picture of `size`.
    QImage GradientPicture(QSize size) const;
    // The caption shortened from its end until it fits into `room` pixels in `font`.
    static QString FittedCaption(const QString& caption, const QFont& font, int room);
    // The font the letters are drawn with at `zoom`.
    QFont ZoomedFont(float zoom) const;
    // Draws the object at `zoom` into `size` (a laid-out size) onto `canvas`.
    void Draw(QPainter& canvas, QSize size, float zoom, const TSuperTextLayout& layout) const;

    QString Caption() const { return m_Caption; }
    void SetCaption(const QString& value);
    TFont& Font() { return m_Font; }
    const TFont& Font() const { return m_Font; }
    int ShadowDepth() const { return m_ShadowDepth; }
    void SetShadowDepth(int value);
    TShadowOrientation ShadowOrientation() const { return m_ShadowOrientation; }
    void SetShadowOrientation(TShadowOrientation value);
    TColor Shadowcolor() const { return m_Shadowcolor; }
    void SetShadowcolor(TColor value);
    TBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool ControlTransparent() const { return m_ControlTransparent; }
    void SetControlTransparent(bool value);
    TColor BGColor() const { return m_BGColor; }
    void SetBGColor(TColor value);
    TFillDirection FillDirection() const { return m_FillDirection; }
    void SetFillDirection(TFillDirection value);
    TColor GradientToColor() const { return m_GradientToColor; }
    void SetGradientToColor(TColor value);
    TColor GradientFromColor() const { return m_GradientFromColor; }
    void SetGradientFromColor(TColor value);
    const QImage& Image() const { return m_Image.Image(); }
    // A null image empties the texture.
    void SetImage(const QImage& image);
    TColor OutlineColor() const { return m_OutlineColor; }
    void SetOutlineColor(TColor value);
    TPenStyle OutlineStyle() const { return m_OutlineStyle; }
    void SetOutlineStyle(TPenStyle value);
    int OutlineWidth() const { return m_OutlineWidth; }
    void SetOutlineWidth(int value);
    TSurfaceType SurfaceType() const { return m_SurfaceType; }
    void SetSurfaceType(TSurfaceType value);
    QString LastBitmapFileNameandPath() const { return m_LastBitmapFileNameandPath; }
    void SetLastBitmapFileNameandPath(const QString& value) { m_LastBitmapFileNameandPath = value; }
    const QImage& GradientImage() const { return m_Gradient; }

    // The widest shadow and outline files may give, in pixels.
    static constexpr int MaxDepth = 1000;

protected:
    // The object menu, then "Font", "Transparent", "Background Color", "Border", "Properties".
    void FillObjectMenu(QMenu& menu) override;
    void Paint(QPainter& painter) override;

private:
    void RunLayout();
    void RebuildGradient();
    void Changed();
    // The path of the caption with its top-left corner at `origin`.
    QPainterPath TextPath(const QString& text, const QFont& font, QPoint origin) const;

    QString m_Caption = "Text";
    TFont m_Font;
    int m_ShadowDepth = 0;
    TShadowOrientation m_ShadowOrientation = sdDownRight;
    TColor m_Shadowcolor = 0x808080;
    TBorderStyle m_BorderStyle = bsNone;
    bool m_ControlTransparent = true;
    TColor m_BGColor = clWhite;
    TFillDirection m_FillDirection = gdRight;
    TColor m_GradientToColor = 0x00FFFF;
    TColor m_GradientFromColor = 0xFF0000;
    TSuperTextBitmap m_Image;
    TColor m_OutlineColor = clBlack;
    TPenStyle m_OutlineStyle = psSolid;
    int m_OutlineWidth = 1;
    TSurfaceType m_SurfaceType = stGradientFill;
    QString m_LastBitmapFileNameandPath;

    QImage m_Gradient;
    TSuperTextLayout m_Layout;
    bool m_LayoutNeeded = true;
    bool m_LayoutRunning = false;
    bool m_PaintRunning = false;
    QAction* m_BorderItem = nullptr;
    QAction* m_TransparentItem = nullptr;
};
