#pragma once
// The selection handle of a host panel: keeps the list of selected page objects, lies as a
// transparent child widget over their bounding box (above every object), paints their selection
// squares, and turns mouse drags and arrow keys into moves and resizes of the selection, with
// optional snapping to a grid. Presses it does not use are passed on to what lies beneath.

#include "platform/Color.h"

#include <QList>
#include <QWidget>

class QMenu;
class TGBasePanel;
class TGGraphicControl;

class TGHandle : public QWidget {
    Q_OBJECT
public:
    explicit TGHandle(TGBasePanel& host);

    int Count() const { return int(m_SelectedObjects.size()); }
    // The i-th selected object; null when out of range.
    TGGraphicControl* Items(int index) const;
    int IndexOf(const TGGraphicControl* object) const;
    const QList<TGGraphicControl*>& SelectedObjects() const { return m_SelectedObjects; }

    // Selects `object` (unless it is unselectable) and fits the handle around the selection.
    void Add(TGGraphicControl* object);
    // The press that selected an object was at `hostPoint` (host coordinates): a drag that
    // follows it moves the selection from there.
    void PressedAt(QPoint hostPoint);
    void Remove(TGGraphicControl* object);
    void Clear();
    // Fits the handle around the selected objects.
    void Refit();
    void BringSelectionToFront();
    void SendSelectionToBack();

    // Moves the handle to the new bounds, moving and resizing every selected object that is not
    // locked by the same amounts.
    void SetBounds(int left, int top, int width, int height);

    // Hit tests in host coordinates, against each selected object inflated by 2.
    bool HitTest(QPoint point) const;
    TGGraphicControl* ObjectUnder(QPoint point) const;

    int SnapX(int value) const { return m_GridX * (value / m_GridX); }
    int SnapY(int value) const { return m_GridY * (value / m_GridY); }
    int GridX() const { return m_GridX; }
    int GridY() const { return m_GridY; }
    void SetGridX(int value);
    void SetGridY(int value);
    bool SnapToGrid() const { return m_GridX > 1 || m_GridY > 1; }
    void SetSnapToGrid(bool value);

    TColor Color() const { return m_Color; }
    void SetColor(TColor value);
    TColor SecondaryColor() const { return m_SecondaryColor; }
    void SetSecondaryColor(TColor value);
    bool Locked() const { return m_Locked; }
    void SetLocked(bool value) { m_Locked = value; }

    // The menu opened by a right press that does not hit a single selected object.
    void SetFallbackMenu(QMenu* menu) { m_FallbackMenu = menu; }

    quint32 PressTick() const { return m_PressTick; }
    int DragMode() const { return m_DragMode; }
    bool Dragging() const { return m_Dragging; }
    bool Nudging() const { return m_Nudging; }
    // Left, top, right, bottom in host coordinates; width() is the inclusive width.
    QRect NudgeRect() const { return m_NudgeRect; }
    // Tells the handle to drop the drag that a double-click starts.
    void IgnoreDragAfterDoubleClick() { m_AfterDoubleClick = true; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRect SelectedBox() const;
    void Capture();
    void FocusWhenUsable();
    QPoint Clamped(QPoint point) const;
    // The handle rectangle (x, y, width, height in host coordinates) for a drag to `point`.
    QRect NewHandleRect(QPoint point) const;
    // Erases the drag frame, then draws it for a drag to `point` when given.
    void DrawDragFrame(const QPoint* point);
    void ToggleNudgeFrame();

    TGBasePanel& m_Host;
    QMenu* m_FallbackMenu = nullptr;
    quint32 m_PressTick = 0;
    QPoint m_DragAnchor;
    QPoint m_PressPoint; // where the last press was, in the handle's coordinates
    int m_DragMode = 0;
    bool m_Dragging = false;
    bool m_Nudging = false;
    bool m_NudgeResizes = false; // the last arrow key of the nudge resized the object
    QRect m_NudgeRect;
    QRect m_OutlineRect;
    bool m_Locked = false;
    TColor m_Color = clBlack;
    TColor m_SecondaryColor = clGray;
    int m_GridX = 1;
    int m_GridY = 1;
    int m_RememberedGridX = 8;
    int m_RememberedGridY = 8;
    QList<TGGraphicControl*> m_SelectedObjects;
    bool m_AfterDoubleClick = false;
};
