#pragma once
// The base of every page object (text label, picture, rich-text label, special-effects text,
// mini calendar): a child widget of the host panel (TGBasePanel) with the published geometry and
// flags all objects share, the object menu, zoom and change notification. Selection is not
// stored here: an object is selected exactly when the host's selection handle lists it.
//
// Left, Top, Width and Height are host pixels at the current zoom. Each object also keeps its
// geometry at zoom 1.0, the document geometry that files store; the zoomed geometry is always
// derived from it, and moves or resizes made at any zoom update it, so zooming never drifts.

#include "stream/Component.h"

#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class TFont;
class TGBasePanel;
class TReportPrinter;

class TGGraphicControl;

// A mouse event of an object as the host receives it: `point` in object coordinates; moves
// carry Qt::NoButton.
using TObjectMouseEvent =
    std::function<void(TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)>;

class TGGraphicControl : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TGGraphicControl(TComponent* owner);
    ~TGGraphicControl() override;

    QString ClassName() const override { return "TGGraphicControl"; }

    // The positions and sizes a file may give, in page pixels: far beyond any paper, and small
    // enough that no sum of them overflows.
    static constexpr int MaxObjectCoordinate = 100000;
    // The part of a one-line caption an object can show: its first characters, as many as twice
    // the widest object has pixels. A megabyte caption read from a file then costs no more to
    // measure and paint than one that fills the page; the caption itself is kept whole.
    static QString ShowableLine(const QString& text);
    void PublishProperties(TPropertyList& list) override;
    void SetName(const QString& name) override;
    // The host becomes the Qt parent; any other parent (an object read inside another object)
    // raises the stream error "Invalid stream format".
    void SetParentComponent(TComponent* parent) override;

    // Runs after the bounds changed: notifies the host and asks it to re-fit the handle.
    // Overrides call the base first.
    virtual void BoundsChanged();
    // Runs when the object menu opens; descendants refresh their check marks.
    virtual void PopupMenuOpening();
    // Objects with a font copy `font` into their own.
    virtual void ApplyFont(const TFont& font);
    // Takes the size the content needs now rather than at the next paint, so that the object's
    // record is the one it will keep (the undo history records objects so). The base has no
    // content to fit.
    virtual void FitContent();
    // Prints the object onto the report's current page; (x, y) is the page origin in inches.
    // Objects print from their geometry at zoom 1.0 (DocumentBounds), whatever the zoom shown.
    virtual void PrintTo(TReportPrinter& report, double x, double y);

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    // New zoomed bounds; the document geometry follows each value that changed.
    void SetBounds(int left, int top, int width, int height);
    // The geometry at zoom 1.0.
    QRect DocumentBounds() const { return m_DocumentBounds; }

    float Zoom() const { return m_Zoom; }
    // Shows the object at zoom `value`, derived from the document geometry.
    void SetZoom(float value);

    bool Locked() const { return m_Locked; }
    void SetLocked(bool value);
    bool Unselectable() const { return m_Unselectable; }
    void SetUnselectable(bool value);
    int Cursor() const { return m_Cursor; }
    void SetCursor(int value);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }
    qint32 Tag() const { return m_Tag; }
    void SetTag(qint32 value) { m_Tag = value; }

    // The object menu, built on first use: a page may hold thousands of objects, most of which
    // never show theirs.
    QMenu* ObjectMenu();
    QAction* LockedItem();

    // The host's change notification, unless the host is printing.
    void NotifyChanged();
    // The selection squares, in host coordinates, when this object is selected.
    void DrawSelectionSquares(QPainter& painter) const;
    void CenterVertically();
    void CenterHorizontally();
    // A copy 25 pixels lower, named "Component"N; it takes this object's place in the selection.
    void Clone();

    // The host, when the parent is one.
    TGBasePanel* Host() const;

    TNotifyEvent OnEdit;
    TObjectMouseEvent OnMouseDown;
    TObjectMouseEvent OnMouseMove;
    TObjectMouseEvent OnMouseUp;
    TObjectMouseEvent OnDblClick;

protected:
    // Appends this kind's items to the object menu as it is built; overrides call the base first.
    virtual void FillObjectMenu(QMenu& menu);
    // Prints what `draw` draws at zoom 1.0 into a `size` box at the object's document position:
    // recorded as a picture and stretched onto its place in inches, as PrintTo does it.
    void PrintRecorded(TReportPrinter& report, double x, double y, QSize size,
                       const std::function<void(QPainter&)>& draw) const;
    // An item of the object menu (or of one of its submenus) that runs `command`.
    QAction* AddMenuItem(QMenu& menu, const QString& caption, const std::function<void()>& command);
    // Takes the size the content needs. The change of content that calls for it marked the
    // calendar modified; the fit, often made at the next paint or after a zoom, is no edit of its
    // own.
    void FitSize(int width, int height);

    // The one way setters store a published value. An unchanged value does nothing; a new one
    // is stored and repainted, and StoreProperty tells the host of the change (not while the
    // object is read from a stream), which the undo history records. StoreLook is for the few
    // settings that change only the look on screen and do not count as a change of the calendar.
    // True when the value changed, for what the setter does besides (a new layout).
    template <typename T, typename V>
    bool StoreProperty(T& field, const V& value)
    {
        if (!StoreLook(field, value))
            return false;
        if (!IsStreaming())
            NotifyChanged();
        return true;
    }
    template <typename T, typename V>
    bool StoreLook(T& field, const V& value)
    {
        if (field == value)
            return false;
        field = value;
        update();
        return true;
    }
    bool IsStreaming() const { return IsLoading() || IsReading(); }

    // Paints the content in object coordinates; the base paints nothing. The selection squares
    // are painted by the selection handle above the objects.
    virtual void Paint(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetDocumentBounds(const QRect& bounds);
    void ApplyDocumentBounds();
    int Zoomed(int value) const;
    int Unzoomed(int value) const;

    QAction* m_LockedItem = nullptr;
    bool m_InBoundsChange = false;
    bool m_Fitting = false;
    float m_Zoom = 1.0f;
    QMenu* m_ObjectMenu = nullptr;
    QRect m_LastBounds;
    bool m_Locked = false;
    bool m_Unselectable = false;
    QRect m_DocumentBounds;
    int m_Cursor = 0;
    qint32 m_Tag = 0;
};
