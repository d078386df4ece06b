#include "objects/GBasePanel.h"

#include "objects/FontChoice.h"
#include "objects/FrameOverlay.h"
#include "objects/GGraphicControl.h"
#include "objects/GHandle.h"
#include "objects/GLabelObjectFiler.h"
#include "objects/ScreenCursor.h"
#include "objects/TickCount.h"
#include "platform/Lines.h"
#include "platform/MervaneError.h"
#include "platform/ProgramFolders.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"
#include "stream/Reader.h"
#include "stream/StreamErrors.h"
#include "stream/Writer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopeGuard>
#include <cmath>

namespace {

// Pastes closer together than this (a held Ctrl+V) are ignored.
constexpr quint32 PasteIntervalMs = 1000;

// `rect` with left <= right and top <= bottom, where right = x + width.
QRect Normalized(const QRect& rect)
{
    const int left = std::min(rect.x(), rect.x() + rect.width());
    const int top = std::min(rect.y(), rect.y() + rect.height());
    return {left, top, std::abs(rect.width()), std::abs(rect.height())};
}

// The 8x8 dot pattern of the grid: green where a dot goes, white elsewhere.
QImage GridPattern(TGridSize size)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(Qt::white);
    const QColor dot(0, 128, 0);
    pattern.setPixelColor(2, 2, dot);
    if (size == gs4x4) {
        pattern.setPixelColor(6, 2, dot);
        pattern.setPixelColor(2, 6, dot);
        pattern.setPixelColor(6, 6, dot);
    }
    return pattern;
}

// "Delete", or with more than one object "Delete 3 Objects".
QString CountedName(const QString& name, int count)
{
    return count > 1 ? QString("%1 %2 Objects").arg(name).arg(count) : name;
}

int GridStep(TGridSize size)
{
    return size == gs4x4 ? 4 : 8;
}

} // namespace

TGBasePanel::TGBasePanel(TComponent* owner, QWidget* parent)
    : QWidget(parent)
    , TComponent(owner)
    , m_DragCursor(crDrag)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFocusPolicy(Qt::StrongFocus);
    m_SelectionHandle = new TGHandle(*this);
    m_FrameOverlay = new TFrameOverlay(*this);
    m_ScratchFile = DataFolder() + "TempFile.tmp";
    BuildPanelMenu();
    m_SelectionHandle->SetFallbackMenu(m_PanelMenu);
}

TGBasePanel::~TGBasePanel()
{
    m_SelectionHandle->Clear();
    if (!m_ClipboardFile.isEmpty())
        QFile::remove(m_ClipboardFile);
    QFile::remove(m_ScratchFile);
}

void TGBasePanel::PublishProperties(TPropertyList& list)
{
    TComponent::PublishProperties(list);
    list.AddBoolean(
        "Pointing", [this] { return m_Pointing; }, [this](bool v) { SetPointing(v); }, NoDefault);
    list.AddBoolean(
        "DrawOutline", [this] { return m_DrawOutline; }, [this](bool v) { SetDrawOutline(v); }, NoDefault);
    list.AddBoolean(
        "Printing", [this] { return m_Printing; }, [this](bool v) { SetPrinting(v); }, NoDefault);
    list.AddEnumeration(
        "Shape", {"lsRectangle", "lsRoundRect", "lsEllipse"}, [this] { return m_Shape; },
        [this](qint64 v) { SetShape(TLabelShapeType(v)); }, lsRoundRect);
    list.AddEnumeration(
        "GridSize", {"gs4x4", "gs8x8"}, [this] { return m_GridSize; }, [this](qint64 v) { SetGridSize(TGridSize(v)); },
        NoDefault);
    list.AddBoolean(
        "ShowGrid", [this] { return m_ShowGrid; }, [this](bool v) { SetShowGrid(v); }, NoDefault);
    list.AddBoolean(
        "SnapToGrid", [this] { return m_SnapToGrid; }, [this](bool v) { SetSnapToGrid(v); }, NoDefault);
}

void TGBasePanel::CreateObjectInRect(const QRect&)
{
}

void TGBasePanel::ObjectMouseDown(TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                  QPoint point)
{
    if (!m_Pointing || sender.Unselectable()) {
        MouseDown(button, shift, point + sender.pos());
        return;
    }
    if (!(shift & Qt::ShiftModifier))
        m_SelectionHandle->Clear();
    m_SelectionHandle->Add(&sender);
    m_SelectionHandle->PressedAt(point + sender.pos());
    m_SelectionHandle->update();
    if (button == Qt::RightButton && m_SelectionHandle->Count() == 1)
        ShowMenu(sender.ObjectMenu(), sender.mapToGlobal(point));
}

void TGBasePanel::SetZoom(float value)
{
    if (value == m_Zoom || value <= 0)
        return;
    m_Zooming = true;
    // Someone resized the host since the last zoom: that size is the new base.
    if (size() != m_ZoomedSize) {
        m_UnzoomedSize =
            QSize(int(std::nearbyint(float(width()) / m_Zoom)), int(std::nearbyint(float(height()) / m_Zoom)));
    }
    m_Zoom = value;
    m_ZoomedSize = SizeAtZoom(value);
    resize(m_ZoomedSize);
    for (TGGraphicControl* object : Objects())
        object->SetZoom(value);
    m_Zooming = false;
}

QSize TGBasePanel::SizeAtZoom(float zoom) const
{
    if (zoom == 1.0f)
        return m_UnzoomedSize;
    return {int(std::nearbyint(float(m_UnzoomedSize.width()) * zoom)),
            int(std::nearbyint(float(m_UnzoomedSize.height()) * zoom))};
}

void TGBasePanel::SetShape(TLabelShapeType value)
{
    if (value == m_Shape)
        return;
    m_Shape = value;
    update();
}

void TGBasePanel::SetGridSize(TGridSize value)
{
    if (value == m_GridSize)
        return;
    m_GridSize = value;
    m_SelectionHandle->SetGridX(GridStep(value));
    m_SelectionHandle->SetGridY(GridStep(value));
    update();
}

void TGBasePanel::SetShowGrid(bool value)
{
    if (value == m_ShowGrid)
        return;
    m_ShowGrid = value;
    update();
}

void TGBasePanel::SetSnapToGrid(bool value)
{
    m_SnapToGrid = value;
    m_SelectionHandle->SetSnapToGrid(value);
    if (value) {
        m_SelectionHandle->SetGridX(GridStep(m_GridSize));
        m_SelectionHandle->SetGridY(GridStep(m_GridSize));
    }
}

void TGBasePanel::SetDrawOutline(bool value)
{
    m_DrawOutline = value;
    update();
}

void TGBasePanel::SetPicture(const QImage& value)
{
    m_Picture = value;
    update();
}

void TGBasePanel::SetColorPicture(const QImage& value)
{
    m_ColorPicture = value;
    update();
}

QList<TGGraphicControl*> TGBasePanel::Objects() const
{
    QList<TGGraphicControl*> objects;
    for (QObject* child : children()) {
        if (auto* object = qobject_cast<TGGraphicControl*>(child))
            objects += object;
    }
    return objects;
}

void TGBasePanel::AttachObject(TGGraphicControl& object)
{
    object.OnMouseDown = [this](TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                QPoint point) { ObjectMouseDown(sender, button, shift, point); };
    object.OnMouseMove = [this](TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                QPoint point) { ObjectMouseMove(sender, button, shift, point); };
    object.OnMouseUp = [this](TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                              QPoint point) { ObjectMouseUp(sender, button, shift, point); };
    object.OnDblClick = [this](TGGraphicControl& sender, Qt::MouseButton, Qt::KeyboardModifiers, QPoint point) {
        ObjectDblClick(sender, point);
    };
}

void TGBasePanel::AttachObjects()
{
    const QList<TGGraphicControl*> objects = Objects();
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        AttachObject(**it);
        (*it)->SetZoom(m_Zoom);
    }
    // Objects added since the handle was last raised lie above it.
    m_SelectionHandle->raise();
}

void TGBasePanel::PlaceObject(TGGraphicControl& object, const QRect& rect)
{
    object.hide();
    object.setParent(this);
    object.SetName(UniqueObjectName());
    // The zoom first, so that the rectangle (host pixels at this zoom) sets the right document
    // geometry.
    object.SetZoom(m_Zoom);
    object.SetBounds(rect.x(), rect.y(), std::max(rect.width(), 10), std::max(rect.height(), 15));
    AttachObject(object);
    object.show();
    m_SelectionHandle->raise();
    NameChange("Create");
    NotifyLabelChanged();
}

QString TGBasePanel::UniqueObjectName() const
{
    for (int number = 1; number <= 1000; ++number) {
        const QString name = QString("Special%1").arg(number);
        if (!Owner() || !Owner()->FindComponent(name))
            return name;
    }
    return {};
}

void TGBasePanel::SelectInRect(const QRect& rect)
{
    const bool shift = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    QList<TGGraphicControl*> list;
    if (shift)
        list = m_SelectionHandle->SelectedObjects();
    m_SelectionHandle->Clear();
    const QList<TGGraphicControl*> objects = Objects();
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        TGGraphicControl* object = *it;
        // QRect::intersects lets a zero-width or zero-height rectangle meet what it crosses;
        // here an empty rectangle meets nothing, so only a common area counts.
        if (object->geometry().intersected(rect).isEmpty())
            continue;
        if (shift && list.contains(object))
            list.removeOne(object);
        else
            list.append(object);
    }
    for (TGGraphicControl* object : std::as_const(list))
        m_SelectionHandle->Add(object);
}

bool TGBasePanel::ObjectAt(int x, int y) const
{
    for (const TGGraphicControl* object : Objects()) {
        if (object->geometry().contains(x, y))
            return true;
    }
    return false;
}

void TGBasePanel::ClearObjects()
{
    m_SelectionHandle->Clear();
    const QList<TGGraphicControl*> objects = Objects();
    for (auto it = objects.crbegin(); it != objects.crend(); ++it)
        delete *it;
}

QList<QByteArray> TGBasePanel::ObjectRecords()
{
    QList<QByteArray> records;
    for (TGGraphicControl* object : Objects()) {
        object->FitContent();
        QByteArray record;
        QBuffer buffer(&record);
        buffer.open(QIODevice::WriteOnly);
        TWriter writer(buffer);
        writer.WriteRootComponent(*object);
        writer.FlushBuffer();
        records += record;
    }
    return records;
}

void TGBasePanel::RestoreObjects(const QList<QByteArray>& records)
{
    m_SelectionHandle->Clear();
    const QList<TGGraphicControl*> live = Objects();
    const QList<QByteArray> liveRecords = ObjectRecords();
    QMultiHash<QByteArray, TGGraphicControl*> unused;
    for (qsizetype i = 0; i < live.size(); ++i)
        unused.insert(liveRecords[i], live[i]);
    QList<TGGraphicControl*> placed(records.size(), nullptr);
    QByteArray missing; // the records of the objects to read, as one list
    for (qsizetype i = 0; i < records.size(); ++i) {
        const auto kept = unused.find(records[i]);
        if (kept == unused.end()) {
            missing += records[i];
            continue;
        }
        placed[i] = kept.value();
        unused.erase(kept);
    }
    // The objects that go leave their names free for the ones read.
    qDeleteAll(unused);
    missing += char(vaNull);
    QBuffer buffer(&missing);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    reader.OnFindMethod = [](TReader&, const QString&, bool& error) { error = false; };
    qsizetype next = 0;
    const auto restack = qScopeGuard([&] {
        for (TGGraphicControl* object : std::as_const(placed)) {
            if (object)
                object->raise();
        }
        AttachObjects();
    });
    reader.ReadComponents(Owner(), this, [&](TComponent* component) {
        while (next < placed.size() && placed[next])
            ++next;
        auto* object = dynamic_cast<TGGraphicControl*>(component);
        if (!object || next == placed.size()) {
            delete component;
            throw EMervaneError(StreamErrors::InvalidStreamFormat);
        }
        placed[next] = object;
    });
}

void TGBasePanel::ObjectOperation(TGGraphicControl& object, TObjectOperation operation)
{
    if (m_SelectionHandle->IndexOf(&object) >= 0 || operation == opPaste) {
        SelectionOperation(operation);
        return;
    }
    if (!CanRun(operation))
        return;
    switch (operation) {
    case opCopy: TGLabelObjectFiler(Owner()).SaveObjectToFile(object, m_ClipboardFile); break;
    case opCut:
        TGLabelObjectFiler(Owner()).SaveObjectToFile(object, m_ClipboardFile);
        NameChange("Cut");
        NotifyLabelChanged();
        delete &object;
        break;
    case opDelete:
        NameChange("Delete");
        NotifyLabelChanged();
        delete &object;
        break;
    case opPaste: break;
    }
}

bool TGBasePanel::CanRun(TObjectOperation operation) const
{
    // Without a clipboard only Delete can run: a cut would only delete.
    return !m_ClipboardFile.isEmpty() || operation == opDelete;
}

void TGBasePanel::SelectionOperation(TObjectOperation operation)
{
    if (!CanRun(operation))
        return;
    switch (operation) {
    case opCopy: TGLabelObjectFiler(Owner()).SaveSelectionToFile(*m_SelectionHandle, m_ClipboardFile); break;
    case opCut:
        NameChange(CountedName("Cut", m_SelectionHandle->Count()));
        SelectionOperation(opCopy);
        SelectionOperation(opDelete);
        break;
    case opDelete:
        NameChange(CountedName("Delete", m_SelectionHandle->Count()));
        for (int i = m_SelectionHandle->Count() - 1; i >= 0; --i) {
            TGGraphicControl* object = m_SelectionHandle->Items(i);
            m_SelectionHandle->Remove(object);
            delete object;
            NotifyLabelChanged();
        }
        break;
    case opPaste: {
        const quint32 now = TickCount();
        if (m_LastPasteTick == 0)
            m_LastPasteTick = now;
        else if (now < m_LastPasteTick + PasteIntervalMs)
            return;
        try {
            TGLabelObjectFiler(Owner()).LoadFromFile(Owner(), *this, m_ClipboardFile);
        } catch (const EMervaneError& error) {
            throw EMervaneError(QString("The objects on the clipboard cannot be pasted: the file %1 is damaged "
                                        "or unreadable (%2).")
                                    .arg(QDir::toNativeSeparators(m_ClipboardFile), error.Message()));
        }
        AttachObjects();
        NameChange("Paste");
        NotifyLabelChanged();
        m_LastPasteTick = TickCount();
        break;
    }
    }
}

void TGBasePanel::NotifyLabelChanged()
{
    if (!m_Zooming && LabelChangedEvent)
        LabelChangedEvent(this);
}

void TGBasePanel::NameChange(const QString& name, const QString& mergeKey)
{
    if (ChangeNamedEvent)
        ChangeNamedEvent(name, mergeKey);
}

void TGBasePanel::RequestRefit()
{
    QMetaObject::invokeMethod(
        this, [this] { m_SelectionHandle->Refit(); }, Qt::QueuedConnection);
}

void TGBasePanel::DrawXorFrame(int left, int top, int right, int bottom)
{
    m_FrameOverlay->Toggle(QRect(left, top, right - left, bottom - top));
}

void TGBasePanel::ObjectMouseMove(TGGraphicControl& sender, Qt::MouseButton, Qt::KeyboardModifiers shift, QPoint point)
{
    if (m_Pointing)
        SetScreenCursor(HandPointCursor);
    MouseMove(shift, point + sender.pos());
}

void TGBasePanel::ObjectMouseUp(TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                QPoint point)
{
    MouseUp(button, shift, point + sender.pos());
}

void TGBasePanel::ObjectDblClick(TGGraphicControl& sender, QPoint point)
{
    m_SelectionHandle->IgnoreDragAfterDoubleClick();
    ShowMenu(sender.ObjectMenu(), sender.mapToGlobal(point));
}

void TGBasePanel::SelectionHandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    const QPoint hostPoint = point + m_SelectionHandle->pos();
    if (!m_Pointing) {
        MouseDown(button, shift, hostPoint);
        return;
    }
    if (!(shift & Qt::ShiftModifier))
        return;
    QList<TGGraphicControl*> rest = m_SelectionHandle->SelectedObjects();
    m_SelectionHandle->Clear();
    rest.removeIf([hostPoint](const TGGraphicControl* object) { return object->geometry().contains(hostPoint); });
    for (TGGraphicControl* object : std::as_const(rest))
        m_SelectionHandle->Add(object);
}

void TGBasePanel::SelectionHandleDblClick(QPoint point)
{
    if (m_SelectionHandle->Count() > 1)
        return;
    TGGraphicControl* object = m_SelectionHandle->ObjectUnder(point + m_SelectionHandle->pos());
    if (!object)
        return;
    if (object->OnEdit) {
        object->OnEdit(this);
        NameChange("Edit");
    } else
        ShowMenu(object->ObjectMenu(), m_SelectionHandle->mapToGlobal(point));
}

void TGBasePanel::KeyDown(int key, Qt::KeyboardModifiers shift)
{
    RunCommand([&] {
        if (shift & Qt::ControlModifier) {
            if (key == Qt::Key_C)
                SelectionOperation(opCopy);
            else if (key == Qt::Key_V)
                SelectionOperation(opPaste);
            else if (key == Qt::Key_X)
                SelectionOperation(opCut);
        } else if (key == Qt::Key_Delete) {
            SelectionOperation(opDelete);
        }
    });
}

void TGBasePanel::PassMouseButton(QEvent::Type type, Qt::MouseButton button, QPoint point)
{
    QWidget* target = nullptr;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == m_SelectionHandle || widget == m_FrameOverlay || widget->isWindow() ||
            !widget->isVisible() || qobject_cast<TGGraphicControl*>(widget))
            continue;
        if (widget->geometry().contains(point)) {
            target = widget;
            break;
        }
    }
    if (!target) {
        // As over the page itself, a button over an object goes to the topmost object there.
        const QList<TGGraphicControl*> objects = Objects();
        for (auto it = objects.crbegin(); it != objects.crend() && !target; ++it) {
            if ((*it)->isVisible() && (*it)->isEnabled() && (*it)->geometry().contains(point))
                target = *it;
        }
    }
    if (!target)
        target = this;
    const QPoint local = target->mapFrom(this, point);
    // The receiver of a press takes the mouse, as the pressed widget would, so that the moves of
    // this drag reach it; its handling may hand the mouse on (to the handle).
    if (type == QEvent::MouseButtonPress && QGuiApplication::mouseButtons() != Qt::NoButton)
        target->grabMouse();
    QMouseEvent event(type, local, target->mapToGlobal(local), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
    if (type == QEvent::MouseButtonRelease && QWidget::mouseGrabber() == target)
        target->releaseMouse();
}

void TGBasePanel::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const EMervaneError& error) {
        ShowInfo(error.Message());
    }
}

void TGBasePanel::Paint(QPainter& painter)
{
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), Qt::white);
    const QPainterPath shape = ShapePath();
    for (const QImage* picture : {&m_Picture, &m_ColorPicture}) {
        if (picture->isNull())
            continue;
        painter.save();
        painter.setClipPath(shape);
        painter.drawImage(QRect(0, 0, w, h), *picture);
        painter.restore();
    }
    if (m_DrawOutline) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        // Outlines cover the pixels 0 .. w-1 and 0 .. h-1.
        const QRect outline(0, 0, w - 1, h - 1);
        if (m_Shape == lsRectangle)
            DrawRectangle(painter, {0, 0, w, h});
        else if (m_Shape == lsRoundRect)
            painter.drawRoundedRect(outline, 12, 12);
        else
            painter.drawEllipse(outline);
        painter.restore();
    }
    if (m_ShowGrid) {
        // Destination AND pattern: dots take the page colour AND green; white bits leave it.
        painter.save();
        painter.setClipPath(shape);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.setBrushOrigin(0, 0);
        painter.fillRect(rect(), QBrush(GridPattern(m_GridSize)));
        painter.restore();
    }
}

// The clip shape: the page rectangle one pixel larger, with 24 x 24 elliptic corners, or the
// ellipse inscribed in it.
QPainterPath TGBasePanel::ShapePath() const
{
    const QRectF bounds(0, 0, width() + 1, height() + 1);
    QPainterPath path;
    if (m_Shape == lsRectangle)
        path.addRect(bounds);
    else if (m_Shape == lsRoundRect)
        path.addRoundedRect(bounds, 12, 12);
    else
        path.addEllipse(bounds);
    return path;
}

void TGBasePanel::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint point)
{
    m_RubberBand = QRect(point, QSize(0, 0));
    if (button == Qt::LeftButton) {
        m_RubberBanding = true;
        SetScreenCursor(HandPointCursor);
    } else {
        ShowMenu(m_PanelMenu, mapToGlobal(point));
    }
}

void TGBasePanel::ToggleRubberBandFrame()
{
    const QRect frame = Normalized(m_RubberBand);
    DrawXorFrame(frame.x(), frame.y(), frame.x() + frame.width(), frame.y() + frame.height());
}

void TGBasePanel::MouseMove(Qt::KeyboardModifiers, QPoint point)
{
    if (!m_RubberBanding)
        return;
    SetScreenCursor(HandPointCursor);
    ToggleRubberBandFrame();
    m_RubberBand.setWidth(point.x() - m_RubberBand.x());
    m_RubberBand.setHeight(point.y() - m_RubberBand.y());
    ToggleRubberBandFrame();
}

void TGBasePanel::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint point)
{
    if (m_RubberBanding) {
        m_FrameOverlay->Erase(Normalized(m_RubberBand));
        int left = m_RubberBand.x();
        int top = m_RubberBand.y();
        int right = left + m_RubberBand.width();
        int bottom = top + m_RubberBand.height();
        // Dragged up or left: the release point is the new left or top.
        if (left > right) {
            right = left;
            left = point.x();
        }
        if (top > bottom) {
            bottom = top;
            top = point.y();
        }
        m_RubberBand = QRect(left, top, right - left, bottom - top);
        m_RubberBanding = false;
        if (!m_Pointing) {
            CreateObjectInRect(m_RubberBand);
            if (DroppedObjectEvent)
                DroppedObjectEvent(m_RubberBand);
        } else {
            SelectInRect(m_RubberBand);
            m_SelectionHandle->update();
        }
    }
    if (m_Pointing)
        SetScreenCursor(crDefault);
}

void TGBasePanel::paintEvent(QPaintEvent*)
{
    if (m_PaintingSuspended)
        return;
    QPainter painter(this);
    Paint(painter);
}

void TGBasePanel::mousePressEvent(QMouseEvent* event)
{
    MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TGBasePanel::mouseMoveEvent(QMouseEvent* event)
{
    MouseMove(event->modifiers(), event->position().toPoint());
}

void TGBasePanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    MouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TGBasePanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnDblClick)
        OnDblClick(this);
    mousePressEvent(event);
}

void TGBasePanel::keyPressEvent(QKeyEvent* event)
{
    KeyDown(event->key(), event->modifiers());
    // Esc and Enter go on to the window (a dialog's Cancel and default button) as from any
    // control; Tab and Shift+Tab move the focus on (QWidget's handling). The page keeps the
    // other keys, the arrows and Page Up/Down included. The selection handle, where an object is
    // being edited, keeps Tab as well.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: event->ignore(); break;
    default: break;
    }
}

void TGBasePanel::ShowMenu(QMenu* menu, QPoint globalPosition)
{
    if (!menu)
        return;
    // A popup takes the mouse itself; a grab left by the press would keep it from the menu.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    menu->popup(globalPosition);
}

int TGBasePanel::ControlCount() const
{
    int count = 0;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && widget != m_FrameOverlay)
            ++count;
    }
    return count;
}

void TGBasePanel::BuildPanelMenu()
{
    m_PanelMenu = new QMenu(this);
    m_PanelMenu->setObjectName("PanelMenu");
    connect(m_PanelMenu, &QMenu::aboutToShow, this, [this] { PanelMenuOpening(); });
    // Each item carries what it needs to be enabled (PanelMenuOpening reads it back).
    const auto add = [this](const QString& caption, const std::function<void()>& command,
                            TPanelItemNeeds needs = TPanelItemNeeds::Selection) {
        QAction* action = m_PanelMenu->addAction(caption);
        action->setData(int(needs));
        // Named after the command, so that a name the command gave ("Delete 3 Objects") counts.
        connect(action, &QAction::triggered, this, [this, command, caption] {
            RunCommand(command);
            NameChange(caption);
        });
    };
    TGHandle& handle = *m_SelectionHandle;
    add("Bring To Front", [this, &handle] {
        for (TGGraphicControl* object : handle.SelectedObjects())
            object->raise();
        handle.raise();
        handle.setFocus();
        NotifyLabelChanged();
    });
    add("Send To Back", [this, &handle] {
        for (TGGraphicControl* object : handle.SelectedObjects())
            object->lower();
        handle.raise();
        handle.setFocus();
        handle.Clear();
        NotifyLabelChanged();
    });
    m_PanelMenu->addSeparator();
    add(
        "Cut", [this] { SelectionOperation(opCut); }, TPanelItemNeeds::SelectionAndClipboard);
    add(
        "Copy", [this] { SelectionOperation(opCopy); }, TPanelItemNeeds::SelectionAndClipboard);
    add(
        "Paste", [this] { SelectionOperation(opPaste); }, TPanelItemNeeds::ClipboardFile);
    m_PanelMenu->addSeparator();
    add("Delete", [this] { SelectionOperation(opDelete); });
    m_PanelMenu->addSeparator();
    add("Align Left", [this] {
        AlignSelection([this](const QList<TGGraphicControl*>& objects) {
            int left = width();
            for (const TGGraphicControl* object : objects)
                left = std::min(left, object->Left());
            for (TGGraphicControl* object : objects)
                object->SetLeft(left);
        });
    });
    add("Align Right", [this] {
        AlignSelection([](const QList<TGGraphicControl*>& objects) {
            int right = 0;
            for (const TGGraphicControl* object : objects)
                right = std::max(right, object->Left() + object->Width());
            for (TGGraphicControl* object : objects)
                object->SetLeft(right - object->Width());
        });
    });
    add("Align Tops", [this] {
        AlignSelection([this](const QList<TGGraphicControl*>& objects) {
            int top = height();
            for (const TGGraphicControl* object : objects)
                top = std::min(top, object->Top());
            for (TGGraphicControl* object : objects)
                object->SetTop(top);
        });
    });
    add("Align Bottoms", [this] {
        AlignSelection([](const QList<TGGraphicControl*>& objects) {
            int bottom = 0;
            for (const TGGraphicControl* object : objects)
                bottom = std::max(bottom, object->Top() + object->Height());
            for (TGGraphicControl* object : objects)
                object->SetTop(bottom - object->Height());
        });
    });
    m_PanelMenu->addSeparator();
    add("Center Vertically", [this, &handle] {
        for (TGGraphicControl* object : handle.SelectedObjects())
            object->CenterVertically();
        update();
    });
    add("Center Horizontally", [this, &handle] {
        for (TGGraphicControl* object : handle.SelectedObjects())
            object->CenterHorizontally();
        update();
    });
    m_PanelMenu->addSeparator();
    add(
        "Lock All",
        [this] {
            for (TGGraphicControl* object : Objects()) {
                if (!object->Locked())
                    object->SetLocked(true);
            }
        },
        TPanelItemNeeds::Objects);
    add(
        "Unlock All",
        [this] {
            for (TGGraphicControl* object : Objects()) {
                if (object->Locked())
                    object->SetLocked(false);
            }
        },
        TPanelItemNeeds::Objects);
    m_PanelMenu->addSeparator();
    add(
        "Mark All Selectable",
        [this] {
            for (TGGraphicControl* object : Objects())
                object->SetUnselectable(false);
        },
        TPanelItemNeeds::Nothing);
    add(
        "Mark All Unselectable",
        [this] {
            for (TGGraphicControl* object : Objects())
                object->SetUnselectable(true);
        },
        TPanelItemNeeds::Nothing);
    add(
        "Select All",
        [this, &handle] {
            handle.Clear();
            for (TGGraphicControl* object : Objects())
                handle.Add(object);
        },
        TPanelItemNeeds::Nothing);
    m_PanelMenu->addSeparator();
    add("Font", [this] { ApplyFontToSelection(); });
}

void TGBasePanel::AlignSelection(const std::function<void(const QList<TGGraphicControl*>&)>& align)
{
    NotifyLabelChanged();
    align(m_SelectionHandle->SelectedObjects());
    update();
}

void TGBasePanel::ApplyFontToSelection()
{
    if (m_SelectionHandle->Count() == 0)
        return;
    TFontChoice choice = ChoiceFromFont(m_Font);
    if (!UiServices().ChooseFont(choice))
        return;
    TFont font;
    font.Assign(m_Font);
    CopyChoiceToFont(choice, font);
    for (TGGraphicControl* object : m_SelectionHandle->SelectedObjects())
        object->ApplyFont(font);
    update();
}

void TGBasePanel::PanelMenuOpening()
{
    const bool selected = m_SelectionHandle->Count() > 0;
    const bool hasObjects = ControlCount() > 1;
    for (QAction* action : m_PanelMenu->actions()) {
        if (action->isSeparator())
            continue;
        switch (TPanelItemNeeds(action->data().toInt())) {
        case TPanelItemNeeds::Selection: action->setEnabled(selected); break;
        case TPanelItemNeeds::SelectionAndClipboard: action->setEnabled(selected && !m_ClipboardFile.isEmpty()); break;
        case TPanelItemNeeds::ClipboardFile: action->setEnabled(QFileInfo::exists(m_ClipboardFile)); break;
        case TPanelItemNeeds::Objects: action->setEnabled(hasObjects); break;
        case TPanelItemNeeds::Nothing: action->setEnabled(true); break;
        }
    }
}
