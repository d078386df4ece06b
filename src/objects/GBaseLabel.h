#pragma once
// A page object showing one line of text in its font, optionally rotated by 90, 180 or 270
// degrees, with a 3-D look made of a shadow copy and a highlight copy of the text drawn at small
// offsets behind it, on a transparent or coloured background with an optional border. It owns
// the text layout, painting and printing and the menu commands every text label shares; the
// label of the label tool (TGPLabel) builds on it.
//
// The layout is computed lazily: anything that changes it marks it dirty, and the next paint or
// print lays the text out again, which may shrink or grow the box to fit the text.

#include "objects/ControlTypes.h"
#include "objects/GGraphicControl.h"
#include "platform/Rect.h"
#include "stream/Font.h"

class QFontMetrics;

enum THighlightDirection { hdNone, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };

// Where a label's text goes for one font and box: the box fitted to the text, and the
// rectangles and origins of the shadow, highlight and main copies, in label coordinates.
struct TLabelLayout {
    QSize Size;
    QPoint TextMargin;
    TRect TextRect;
    TRect ShadowRect;
    TRect HighlightRect;
    QPoint MainOrigin;
    QPoint ShadowOrigin;
    QPoint HighlightOrigin;
};

class TGBaseLabel : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGBaseLabel(TComponent* owner);

    QString ClassName() const override { return "TGBaseLabel"; }

    // The deepest highlight or shadow a file may give, in pixels (the dialog offers 0 to 10).
    static constexpr int MaxDepth = 100;
    void PublishProperties(TPropertyList& list) override;
    // Gives an empty box from a file the least size that is painted and laid out.
    void Loaded() override;
    void BoundsChanged() override;
    void PopupMenuOpening() override;
    void ApplyFont(const TFont& font) override;
    void FitContent() override { Layout(); }
    // Draws the label at zoom 1.0 into a picture and stretches it onto its rectangle at zoom 1.0,
    // whatever zoom the page is shown at; the label on screen stays as it is.
    void PrintTo(TReportPrinter& report, double x, double y) override;

    // The font dialog, starting from the label's font; true when a font was chosen.
    virtual bool ChooseFont();
    // At angle 0, widens and heightens the box to hold the text (never shrinks it).
    void AutoGrow();

    // Lays the text out when the layout is dirty; may change the box size.
    void Layout();
    // Draws the label onto `painter` in label coordinates (screen or print picture).
    void Draw(QPainter& painter);

    QString Caption() const { return m_Caption; }
    void SetCaption(const QString& value);
    TFont& Font() { return m_Font; }
    const TFont& Font() const { return m_Font; }
    TBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    int DepthHighlight() const { return m_DepthHighlight; }
    void SetDepthHighlight(int value);
    int DepthShadow() const { return m_DepthShadow; }
    void SetDepthShadow(int value);
    THighlightDirection DirectionHighlight() const { return m_DirectionHighlight; }
    void SetDirectionHighlight(THighlightDirection value);
    TShadowDirection DirectionShadow() const { return m_DirectionShadow; }
    void SetDirectionShadow(TShadowDirection value);
    TColor colorHighlight() const { return m_colorHighlight; }
    void SetcolorHighlight(TColor value);
    TColor colorShadow() const { return m_colorShadow; }
    void SetcolorShadow(TColor value);
    int Angle() const { return m_Angle; }
    // Accepts 0, 90, 180 and 270 only.
    void SetAngle(int value);
    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment value);
    bool Transparent() const { return m_Transparent; }
    void SetTransparent(bool value);
    TColor BackColor() const { return m_BackColor; }
    void SetBackColor(TColor value);

    // The results of the last layout, in label coordinates.
    bool LayoutDirty() const { return m_LayoutDirty; }
    QPoint ShadowOffset() const { return m_ShadowOffset; }
    QPoint HighlightOffset() const { return m_HighlightOffset; }
    QPoint TextMargin() const { return m_Layout.TextMargin; }
    const TRect& TextRect() const { return m_Layout.TextRect; }
    const TRect& ShadowRect() const { return m_Layout.ShadowRect; }
    const TRect& HighlightRect() const { return m_Layout.HighlightRect; }
    QPoint MainOrigin() const { return m_Layout.MainOrigin; }
    QPoint ShadowOrigin() const { return m_Layout.ShadowOrigin; }
    QPoint HighlightOrigin() const { return m_Layout.HighlightOrigin; }

    // The font the text is drawn in: the label's font at the current zoom.
    QFont CanvasFont() const;

protected:
    void Paint(QPainter& painter) override;
    void paintEvent(QPaintEvent* event) override;
    // The object menu, then "Font", "3D Effects", "Alignment", "Transparent",
    // "Background Color" and "Border".
    void FillObjectMenu(QMenu& menu) override;

    // The window the label's dialogs are shown over.
    QWidget* DialogParent() const;
    // The host's change notification, except while the label is being read.
    void Changed();

private:
    void Open3DEffects();
    void ChooseBackColor();
    void InvalidateLayout();
    // The layout of the caption in `font` for a box of `box` pixels; changes nothing.
    TLabelLayout LayoutFor(const QFont& font, QSize box) const;
    void Draw(QPainter& painter, const TLabelLayout& layout, const QFont& font) const;
    void DrawCopy(QPainter& painter, const QFontMetrics& metrics, const TRect& clip, QPoint origin, TColor color) const;

    TBorderStyle m_BorderStyle = bsNone;
    QAction* m_BorderItem = nullptr;
    QPoint m_ShadowOffset;
    QPoint m_HighlightOffset;
    int m_DepthHighlight = 0;
    int m_DepthShadow = 0;
    THighlightDirection m_DirectionHighlight = hdUpLeft;
    TShadowDirection m_DirectionShadow = sdDownRight;
    TColor m_colorHighlight = clAqua;
    TColor m_colorShadow = clGray;
    int m_Angle = 0;
    TAlignment m_Alignment = taLeftJustify;
    QAction* m_LeftItem = nullptr;
    QAction* m_RightItem = nullptr;
    QAction* m_CenterItem = nullptr;
    QAction* m_TransparentItem = nullptr;
    TLabelLayout m_Layout;
    bool m_LayoutDirty = true;
    bool m_Transparent = true;
    TColor m_BackColor = clWhite;
    QString m_Caption = "Text";
    TFont m_Font;
};
