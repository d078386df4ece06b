#pragma once
// The panel that hosts page objects: the user creates, selects, moves, resizes, aligns, locks,
// cuts, copies, pastes and deletes them with the mouse, the keyboard and two popup menus. It
// paints a white page with optional background pictures clipped to a shape, an optional outline
// and an optional dot grid. The calendar page derives from it: it paints over Paint and creates
// objects in CreateObjectInRect. Page objects are child widgets; their order among the children
// is their z-order (bottom first); the selection handle and the frame overlay lie above them.

#include "stream/Component.h"
#include "stream/Font.h"

#include <QEvent>
#include <QImage>
#include <QWidget>
#include <functional>

class QMenu;
class TFrameOverlay;
class TGGraphicControl;
class TGHandle;

enum TLabelShapeType { lsRectangle, lsRoundRect, lsEllipse };
enum TGridSize { gs4x4, gs8x8 };
// The clipboard operations, numbered as the object menu passes them.
enum TObjectOperation { opCut = 0, opCopy = 1, opPaste = 2, opDelete = 3 };

// What an item of the panel's menu needs to be enabled.
enum class TPanelItemNeeds { Selection, SelectionAndClipboard, ClipboardFile, Objects, Nothing };

class TGBasePanel : public QWidget, public TComponent {
    Q_OBJECT
public:
    // `owner` (the main window) also owns the objects created and pasted here.
    explicit TGBasePanel(TComponent* owner, QWidget* parent = nullptr);
    ~TGBasePanel() override;

    QString ClassName() const override { return "TGBasePanel"; }
    // The most objects a page holds; files and pastes beyond it are refused. Far more than any
    // calendar needs, and few enough that showing and painting them stays quick (each object
    // is a widget, and Qt paints sibling widgets by recursion).
    static constexpr int MaxObjectCount = 10000;
    void PublishProperties(TPropertyList& list) override;

    // Called with the normalised rectangle dragged out in creation mode; the host creates nothing.
    virtual void CreateObjectInRect(const QRect& rect);
    // The press handler of every attached object; `point` in object coordinates.
    virtual void ObjectMouseDown(TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                 QPoint point);

    float Zoom() const { return m_Zoom; }
    // Rescales the host and every object; no change notification fires meanwhile.
    void SetZoom(float value);
    bool Zooming() const { return m_Zooming; }

    bool Pointing() const { return m_Pointing; }
    void SetPointing(bool value) { m_Pointing = value; }
    TLabelShapeType Shape() const { return m_Shape; }
    void SetShape(TLabelShapeType value);
    TGridSize GridSize() const { return m_GridSize; }
    void SetGridSize(TGridSize value);
    bool ShowGrid() const { return m_ShowGrid; }
    void SetShowGrid(bool value);
    bool SnapToGrid() const { return m_SnapToGrid; }
    void SetSnapToGrid(bool value);
    bool DrawOutline() const { return m_DrawOutline; }
    void SetDrawOutline(bool value);
    bool Printing() const { return m_Printing; }
    void SetPrinting(bool value) { m_Printing = value; }
    bool PaintingSuspended() const { return m_PaintingSuspended; }
    void SetPaintingSuspended(bool value) { m_PaintingSuspended = value; }
    const QImage& Picture() const { return m_Picture; }
    void SetPicture(const QImage& value);
    const QImage& ColorPicture() const { return m_ColorPicture; }
    void SetColorPicture(const QImage& value);
    // The cursor shown while a creation tool is active.
    int DragCursor() const { return m_DragCursor; }
    void SetDragCursor(int value) { m_DragCursor = value; }
    TFont& Font() { return m_Font; }

    TGHandle* SelectionHandle() const { return m_SelectionHandle; }
    QMenu* PanelMenu() const { return m_PanelMenu; }
    // The file that serves as the object clipboard. A host has none until its owner gives it
    // one (the program's main page); without one it neither cuts, copies nor pastes, so pages
    // made for a moment (a dialog's preview, a file being converted) never touch the user's
    // clipboard. The host deletes the file it was given when it is freed.
    QString ClipboardFile() const { return m_ClipboardFile; }
    void SetClipboardFile(const QString& fileName) { m_ClipboardFile = fileName; }
    QString ScratchFile() const { return m_ScratchFile; }
    bool RubberBanding() const { return m_RubberBanding; }
    const TFrameOverlay& FrameOverlay() const { return *m_FrameOverlay; }

    // The page objects in z-order, bottom first.
    QList<TGGraphicControl*> Objects() const;
    // Binds the object's mouse events to this host.
    void AttachObject(TGGraphicControl& object);
    // Attaches every object and gives it the host's zoom.
    void AttachObjects();
    // Puts a new object on the page in `rect`, named "Special"N, at least 10 x 15; not selected.
    void PlaceObject(TGGraphicControl& object, const QRect& rect);
    // "Special" + the first N from 1 to 1000 the owner does not hold; empty when all are taken.
    QString UniqueObjectName() const;
    // Selects the objects meeting `rect`; with Shift held, toggles them in the current selection.
    void SelectInRect(const QRect& rect);
    bool ObjectAt(int x, int y) const;
    void ClearObjects();
    // The stream record of each object, in z-order: what the undo history keeps of them.
    // Objects fit their content first (FitContent).
    QList<QByteArray> ObjectRecords();
    // Makes the objects those of `records`, in their order: an object whose record is among
    // them stays as it is, the others go, and the records left are read as new objects under
    // their recorded names. The selection is cleared. A record that cannot be read raises the
    // stream error after the objects read so far are placed.
    void RestoreObjects(const QList<QByteArray>& records);
    void ObjectOperation(TGGraphicControl& object, TObjectOperation operation);
    void SelectionOperation(TObjectOperation operation);

    // Fires LabelChangedEvent unless zooming.
    void NotifyLabelChanged();
    // Names the change the user is making ("Move", "Delete 3 Objects") for the undo history,
    // before or after making it; ChangeNamedEvent passes it on. Changes of a run that carry the
    // same non-empty `mergeKey` (nudges of one selection) make one step.
    void NameChange(const QString& name, const QString& mergeKey = {});
    // Re-fits the selection handle once the pending bounds changes are done.
    void RequestRefit();
    // Shows or removes a dotted frame (left, top, right, bottom; right and bottom exclusive).
    void DrawXorFrame(int left, int top, int right, int bottom);

    // Handlers of the objects' and the handle's events.
    void ObjectMouseMove(TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void ObjectMouseUp(TGGraphicControl& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void ObjectDblClick(TGGraphicControl& sender, QPoint point);
    // `point` in handle coordinates.
    void SelectionHandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void SelectionHandleDblClick(QPoint point);
    // Ctrl+C, Ctrl+V, Ctrl+X and Delete; also receives the handle's keys.
    virtual void KeyDown(int key, Qt::KeyboardModifiers shift);
    // Delivers a press or release the handle does not use to what lies beneath it at `point`
    // (host coordinates): another widget child, else the topmost object, else the host.
    void PassMouseButton(QEvent::Type type, Qt::MouseButton button, QPoint point);

    // Runs a command the user started; a stream or file error is shown as a message.
    static void RunCommand(const std::function<void()>& command);

    std::function<void(const QRect& rect)> DroppedObjectEvent;
    TNotifyEvent LabelChangedEvent;
    std::function<void(const QString& name, const QString& mergeKey)> ChangeNamedEvent;
    TNotifyEvent OnDblClick;

protected:
    // Paints the page background onto `painter` (host coordinates).
    virtual void Paint(QPainter& painter);
    // The host's own mouse handling, in host coordinates.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    virtual void MouseMove(Qt::KeyboardModifiers shift, QPoint point);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    // The host's size at `zoom`: its size at zoom 1.0 scaled and rounded to nearest. A host that
    // knows its full size answers from it instead.
    virtual QSize SizeAtZoom(float zoom) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Whether the operation can run: the clipboard operations need a clipboard file.
    bool CanRun(TObjectOperation operation) const;
    void BuildPanelMenu();
    void PanelMenuOpening();
    void ShowMenu(QMenu* menu, QPoint globalPosition);
    void ApplyFontToSelection();
    void AlignSelection(const std::function<void(const QList<TGGraphicControl*>&)>& align);
    // Child widgets that are controls (not the frame overlay, not menus).
    int ControlCount() const;
    QPainterPath ShapePath() const;
    void ToggleRubberBandFrame();

    float m_Zoom = 1.0f;
    bool m_Pointing = true;
    QImage m_Picture;
    QImage m_ColorPicture;
    QMenu* m_PanelMenu = nullptr;
    TLabelShapeType m_Shape = lsRoundRect;
    bool m_RubberBanding = false;
    TGridSize m_GridSize = gs4x4;
    bool m_ShowGrid = false;
    bool m_SnapToGrid = false;
    bool m_Printing = false;
    bool m_DrawOutline = false;
    bool m_Zooming = false;
    TGHandle* m_SelectionHandle = nullptr;
    quint32 m_LastPasteTick = 0;
    QString m_ClipboardFile;
    QString m_ScratchFile;
    // x, y, and the signed distances to the dragged corner (right = x + width).
    QRect m_RubberBand;
    bool m_PaintingSuspended = false;
    int m_DragCursor;
    TFont m_Font;
    TFrameOverlay* m_FrameOverlay = nullptr;
    // The size at zoom 1.0, and the size it gave at the current zoom: the host keeps its own
    // size free of rounding drift as the objects do.
    QSize m_UnzoomedSize;
    QSize m_ZoomedSize;
};
