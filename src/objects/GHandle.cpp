#include "objects/GHandle.h"

#include "objects/GBasePanel.h"
#include "objects/GGraphicControl.h"
#include "objects/ScreenCursor.h"
#include "objects/TickCount.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// Presses and releases closer together than this are clicks: they never move anything.
constexpr quint32 QuickClickMs = 150;
// A press on an unselected object turns into a drag of it once the mouse moves after this.
constexpr quint32 DragStartMs = 10;
// Distance (under) from a side that counts as its drag zone.
constexpr int ZoneReach = 8;

bool Near(int value, int target)
{
    return std::abs(value - target) < ZoneReach;
}

bool InMiddle(int value, int size)
{
    return std::abs(value - size * 0.5) < 6;
}

} // namespace

TGHandle::TGHandle(TGBasePanel& host)
    : QWidget(&host)
    , m_Host(host)
{
    setObjectName("SelectionHandle");
    resize(24, 24);
    setEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    hide();
}

TGGraphicControl* TGHandle::Items(int index) const
{
    return index >= 0 && index < Count() ? m_SelectedObjects[index] : nullptr;
}

int TGHandle::IndexOf(const TGGraphicControl* object) const
{
    return int(m_SelectedObjects.indexOf(object));
}

void TGHandle::Add(TGGraphicControl* object)
{
    if (!object || object->Unselectable())
        return;
    m_PressTick = TickCount();
    if (IndexOf(object) >= 0)
        return;
    SetScreenCursor(GrabCursor);
    if (!m_SelectedObjects.isEmpty()) {
        const int left = std::min(x(), object->Left() - 2);
        const int top = std::min(y(), object->Top() - 2);
        const int right = std::max(x() + width() - 3, object->Left() + object->Width()) + 3;
        const int bottom = std::max(y() + height() - 3, object->Top() + object->Height()) + 3;
        setGeometry(left, top, right - left, bottom - top);
    } else {
        m_OutlineRect = {};
        setEnabled(true);
        show();
        setGeometry(object->Left() - 2, object->Top() - 2, object->Width() + 5, object->Height() + 5);
    }
    m_SelectedObjects.append(object);
    m_DragMode = 0;
    raise();
    Capture();
    FocusWhenUsable();
}

void TGHandle::PressedAt(QPoint hostPoint)
{
    m_PressPoint = hostPoint - pos();
}

void TGHandle::Remove(TGGraphicControl* object)
{
    m_SelectedObjects.removeOne(object);
    if (!m_SelectedObjects.isEmpty()) {
        // As Add leaves it: 2 pixels outside on the left and top, 3 on the right and bottom.
        const QRect box = SelectedBox();
        setGeometry(box.x() - 2, box.y() - 2, box.width() + 5, box.height() + 5);
        return;
    }
    m_Locked = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    setEnabled(false);
    hide();
    m_OutlineRect = {};
}

void TGHandle::Clear()
{
    m_SelectedObjects.clear();
    m_Locked = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    hide();
    resize(24, 24);
    setEnabled(false);
    m_OutlineRect = {};
}

void TGHandle::Refit()
{
    if (m_SelectedObjects.isEmpty())
        return;
    raise();
    // One pixel wider and higher than Add and Remove leave it.
    const QRect box = SelectedBox();
    setGeometry(box.x() - 2, box.y() - 2, box.width() + 6, box.height() + 6);
    update();
}

// From the least Left and Top to the greatest Left + Width and Top + Height of the selection.
QRect TGHandle::SelectedBox() const
{
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    for (const TGGraphicControl* object : m_SelectedObjects) {
        left = std::min(left, object->Left());
        top = std::min(top, object->Top());
        right = std::max(right, object->Left() + object->Width());
        bottom = std::max(bottom, object->Top() + object->Height());
    }
    return {left, top, right - left, bottom - top};
}

// Qt delivers a press's moves and release to the pressed widget; taking the mouse here lets a
// press on an unselected object turn straight into a drag of it. Without a button down there is
// no drag to take over.
void TGHandle::Capture()
{
    if (QGuiApplication::mouseButtons() != Qt::NoButton && isVisible())
        grabMouse();
}

void TGHandle::FocusWhenUsable()
{
    if (isVisible() && isEnabled())
        setFocus();
}

void TGHandle::BringSelectionToFront()
{
    if (m_SelectedObjects.isEmpty() || m_Locked)
        return;
    for (TGGraphicControl* object : std::as_const(m_SelectedObjects))
        object->raise();
    raise();
    FocusWhenUsable();
}

void TGHandle::SendSelectionToBack()
{
    if (m_SelectedObjects.isEmpty() || m_Locked)
        return;
    for (TGGraphicControl* object : std::as_const(m_SelectedObjects))
        object->lower();
    raise();
    FocusWhenUsable();
}

void TGHandle::SetBounds(int left, int top, int width, int height)
{
    const QRect old = geometry();
    // A copy: the objects' bounds changes may reach the list through the host.
    const QList<TGGraphicControl*> objects = m_SelectedObjects;
    for (TGGraphicControl* object : objects) {
        if (object->Locked())
            continue;
        object->SetBounds(left + object->Left() - old.x(), top + object->Top() - old.y(),
                          width + object->Width() - old.width(), height + object->Height() - old.height());
    }
    setGeometry(left, top, width, height);
}

bool TGHandle::HitTest(QPoint point) const
{
    return ObjectUnder(point) != nullptr;
}

TGGraphicControl* TGHandle::ObjectUnder(QPoint point) const
{
    for (TGGraphicControl* object : m_SelectedObjects) {
        // Inclusive left/top, exclusive right/bottom, as rectangles contain points.
        const QRect inflated(object->Left() - 2, object->Top() - 2, object->Width() + 4, object->Height() + 4);
        if (inflated.contains(point))
            return object;
    }
    return nullptr;
}

void TGHandle::SetGridX(int value)
{
    if (value == m_RememberedGridX)
        return;
    m_RememberedGridX = value;
    m_GridX = value;
    update();
}

void TGHandle::SetGridY(int value)
{
    if (value == m_RememberedGridY)
        return;
    m_RememberedGridY = value;
    m_GridY = value;
    update();
}

void TGHandle::SetSnapToGrid(bool value)
{
    m_GridX = value ? m_RememberedGridX : 1;
    m_GridY = value ? m_RememberedGridY : 1;
}

void TGHandle::SetColor(TColor value)
{
    m_Color = value;
    update();
}

void TGHandle::SetSecondaryColor(TColor value)
{
    m_SecondaryColor = value;
    update();
}

void TGHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.translate(-pos());
    for (const TGGraphicControl* object : std::as_const(m_SelectedObjects))
        object->DrawSelectionSquares(painter);
}

void TGHandle::mousePressEvent(QMouseEvent* event)
{
    m_PressTick = TickCount();
    const QPoint point = event->position().toPoint();
    m_PressPoint = point;
    if (m_Host.Pointing() && event->button() == Qt::LeftButton) {
        if (HitTest(point + pos()) || Count() > 0) {
            if (!m_Locked) {
                m_DragAnchor = point;
                m_Dragging = true;
            }
        }
        m_Host.SelectionHandleMouseDown(event->button(), event->modifiers(), point);
        return;
    }
    if (event->button() == Qt::RightButton) {
        TGGraphicControl* object = ObjectUnder(point + pos());
        QMenu* menu = object && Count() == 1 ? object->ObjectMenu() : m_FallbackMenu;
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        if (menu)
            menu->popup(event->globalPosition().toPoint());
        return;
    }
    SetScreenCursor(crDefault);
    m_Host.PassMouseButton(QEvent::MouseButtonPress, event->button(), point + pos());
}

void TGHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (m_AfterDoubleClick) {
        m_Dragging = false;
        m_AfterDoubleClick = false;
    }
    if (!m_Host.Pointing()) {
        SetScreenCursor(m_Host.DragCursor());
        return;
    }
    const bool leftDown = event->buttons() & Qt::LeftButton;
    const QPoint point = event->position().toPoint();
    if (!leftDown || m_Dragging || m_Locked) {
        if (!leftDown && QWidget::mouseGrabber() == this)
            releaseMouse();
        int zone = 0;
        if (!m_Dragging)
            SetScreenCursor(GrabCursor);
        if (Count() == 1) {
            // Later matches replace earlier ones, so on small objects the edges win.
            const int w = width();
            const int h = height();
            const int x = point.x();
            const int y = point.y();
            struct TZone {
                bool Hit;
                int Mode;
                int Cursor;
            };
            const TZone zones[] = {
                {Near(x, 0) && Near(y, 0), 1, crSizeNWSE},   {Near(x, w) && Near(y, h), 4, crSizeNWSE},
                {Near(x, w) && Near(y, 0), 2, crSizeNESW},   {Near(x, 0) && Near(y, h), 3, crSizeNESW},
                {InMiddle(x, w) && Near(y, 0), 5, crSizeNS}, {InMiddle(x, w) && Near(y, h), 7, crSizeNS},
                {InMiddle(y, h) && Near(x, 0), 6, crSizeWE}, {InMiddle(y, h) && Near(x, w), 8, crSizeWE},
            };
            for (const TZone& candidate : zones) {
                if (candidate.Hit) {
                    zone = candidate.Mode;
                    SetScreenCursor(candidate.Cursor);
                }
            }
        }
        if (m_Dragging) {
            const QPoint clamped = Clamped(point);
            DrawDragFrame(&clamped);
        } else {
            m_DragMode = zone;
        }
    } else if (m_PressTick > 0 && TickCount() - m_PressTick > DragStartMs) {
        // The drag runs from the press, not from this move: the way the mouse went until now
        // counts too, however few moves reported it.
        m_DragAnchor = m_PressPoint;
        m_Dragging = true;
        const QPoint clamped = Clamped(point);
        DrawDragFrame(&clamped);
    }
}

void TGHandle::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = Clamped(event->position().toPoint());
    if (m_Dragging && TickCount() - m_PressTick < QuickClickMs)
        m_DragAnchor = point;
    m_PressTick = 0;
    if (!m_Dragging || event->button() != Qt::LeftButton) {
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        m_Host.PassMouseButton(QEvent::MouseButtonRelease, event->button(), event->position().toPoint() + pos());
    } else {
        if (point != m_DragAnchor) {
            m_Host.update();
            m_Host.NameChange(m_DragMode == 0 ? "Move" : "Resize");
            const QRect bounds = NewHandleRect(point);
            SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        }
        DrawDragFrame(nullptr);
        FocusWhenUsable();
        m_Dragging = false;
        SetScreenCursor(crDefault);
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
    }
    update();
}

void TGHandle::mouseDoubleClickEvent(QMouseEvent* event)
{
    // As a double-click arrives in place of the second press: the double-click, then the press.
    if (event->button() == Qt::LeftButton) {
        m_AfterDoubleClick = true;
        m_Host.SelectionHandleDblClick(event->position().toPoint());
    }
    mousePressEvent(event);
}

QPoint TGHandle::Clamped(QPoint point) const
{
    return {std::clamp(point.x(), -x(), m_Host.width() - x()), std::clamp(point.y(), -y(), m_Host.height() - y())};
}

QRect TGHandle::NewHandleRect(QPoint point) const
{
    const int l = x();
    const int t = y();
    const int w = width();
    const int h = height();
    const int ax = m_DragAnchor.x();
    const int ay = m_DragAnchor.y();
    const int px = point.x();
    const int py = point.y();
    int left = l;
    int top = t;
    int newWidth = w;
    int newHeight = h;
    switch (m_DragMode) {
    case 0:
        left = SnapX(px + l - ax);
        top = SnapY(py + t - ay);
        break;
    case 1:
        left = SnapX(px + l - ax);
        top = SnapY(py + t - ay);
        newWidth = w + l - left;
        newHeight = h + t - top;
        break;
    case 2:
        top = SnapY(py + t - ay);
        newWidth = SnapX(px + w - ax) - 1;
        newHeight = h + t - top;
        break;
    case 3:
        left = SnapX(px + l - ax);
        newWidth = w + l - left;
        newHeight = SnapY(py + h - ay) - 1;
        break;
    case 4:
        newWidth = SnapX(px + w - ax) - 1;
        newHeight = SnapY(py + h - ay) - 1;
        break;
    case 5:
        top = SnapY(py + t - ay);
        newHeight = h + t - top;
        break;
    case 6:
        left = SnapX(px + l - ax);
        newWidth = w + l - left;
        break;
    case 7: newHeight = SnapY(py + h - ay) - 1; break;
    case 8: newWidth = SnapX(px + w - ax) - 1; break;
    }
    if (newWidth <= 4)
        newWidth = 5;
    if (newHeight <= 4)
        newHeight = 5;
    return {left, top, newWidth, newHeight};
}

void TGHandle::DrawDragFrame(const QPoint* point)
{
    if (m_OutlineRect != QRect()) {
        const QRect& o = m_OutlineRect;
        m_Host.DrawXorFrame(o.x() + 2, o.y() + 2, o.x() + o.width() - 3, o.y() + o.height() - 3);
        m_OutlineRect = {};
    }
    if (!point)
        return;
    const QRect bounds = NewHandleRect(*point);
    m_Host.DrawXorFrame(bounds.x() + 2, bounds.y() + 2, bounds.x() + bounds.width() - 3,
                        bounds.y() + bounds.height() - 3);
    m_OutlineRect = bounds;
}

void TGHandle::ToggleNudgeFrame()
{
    m_Host.DrawXorFrame(m_NudgeRect.left(), m_NudgeRect.top(), m_NudgeRect.right(), m_NudgeRect.bottom());
}

void TGHandle::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (m_Nudging)
        ToggleNudgeFrame();
    if (arrow && !m_Nudging) {
        m_Nudging = true;
        m_NudgeRect = QRect(QPoint(x() + 2, y() + 2), QPoint(x() + width() - 3, y() + height() - 3));
    }
    if (arrow) {
        QRect& rect = m_NudgeRect;
        const bool resize = (event->modifiers() & Qt::ShiftModifier) && Count() == 1;
        m_NudgeResizes = resize;
        const int rw = rect.width(); // right - left + 1
        const int rh = rect.height();
        switch (key) {
        case Qt::Key_Left:
            if (resize && rw > 10)
                rect.setRight(rect.right() - 1);
            else if (!resize && rect.left() > 0)
                rect.translate(-1, 0);
            break;
        case Qt::Key_Up:
            if (resize && rh > 10)
                rect.setBottom(rect.bottom() - 1);
            else if (!resize && rect.top() > 0)
                rect.translate(0, -1);
            break;
        case Qt::Key_Right:
            if (m_Host.width() >= rw + rect.left()) {
                if (resize)
                    rect.setRight(rect.right() + 1);
                else
                    rect.translate(1, 0);
            }
            break;
        case Qt::Key_Down:
            if (m_Host.height() >= rh + rect.top()) {
                if (resize)
                    rect.setBottom(rect.bottom() + 1);
                else
                    rect.translate(0, 1);
            }
            break;
        }
    }
    m_Host.KeyDown(key, event->modifiers());
    if (m_Nudging)
        ToggleNudgeFrame();
}

void TGHandle::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats as release-press pairs; only the real release ends the nudge.
    if (event->isAutoRepeat() || !m_Nudging)
        return;
    ToggleNudgeFrame();
    m_Nudging = false;
    // A run of nudges of the same selection is one step for the undo history.
    const QString name = m_NudgeResizes ? "Resize" : "Move";
    QStringList selected;
    for (const TGGraphicControl* object : std::as_const(m_SelectedObjects))
        selected += object->Name();
    m_Host.NameChange(name, "Nudge " + name + " " + selected.join(','));
    const QRect& rect = m_NudgeRect;
    SetBounds(rect.left() - 2, rect.top() - 2, rect.right() - rect.left() + 5, rect.bottom() - rect.top() + 5);
    update();
    m_Host.update();
}

void TGHandle::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_Dragging)
        SetScreenCursor(m_Host.Pointing() ? crDefault : m_Host.DragCursor());
}

bool TGHandle::focusNextPrevChild(bool)
{
    // Tab and the arrows belong to the handle and the host, not to focus navigation.
    return false;
}
