#include "objects/GGraphicControl.h"

#include "objects/GBasePanel.h"
#include "objects/GHandle.h"
#include "objects/GLabelObjectFiler.h"
#include "objects/ScreenCursor.h"
#include "platform/Color.h"
#include "platform/ScreenPpi.h"
#include "platform/TextFit.h"
#include "print/ReportPrinter.h"
#include "stream/StreamErrors.h"

#include <QMenu>
#include <QPointer>
#include <QMouseEvent>
#include <QPainter>
#include <QPicture>
#include <cmath>

TGGraphicControl::TGGraphicControl(TComponent* owner)
    : QWidget(nullptr)
    , TComponent(owner)
{
    setGeometry(0, 0, 0, 0);
    // Hover moves set the hand-point cursor, as over the page.
    setMouseTracking(true);
}

TGGraphicControl::~TGGraphicControl()
{
    if (TGBasePanel* host = Host(); host && host->SelectionHandle()->IndexOf(this) >= 0)
        host->SelectionHandle()->Remove(this);
    // The menu may be the one whose command is freeing this object; it goes once that returns.
    if (m_ObjectMenu)
        m_ObjectMenu->deleteLater();
}

void TGGraphicControl::PublishProperties(TPropertyList& list)
{
    TComponent::PublishProperties(list);
    list.AddInteger(
            "Left", [this] { return m_DocumentBounds.x(); },
            [this](qint64 v) { SetDocumentBounds(m_DocumentBounds.translated(int(v) - m_DocumentBounds.x(), 0)); },
            NoDefault)
        .Range(-MaxObjectCoordinate, MaxObjectCoordinate);
    list.AddInteger(
            "Top", [this] { return m_DocumentBounds.y(); },
            [this](qint64 v) { SetDocumentBounds(m_DocumentBounds.translated(0, int(v) - m_DocumentBounds.y())); },
            NoDefault)
        .Range(-MaxObjectCoordinate, MaxObjectCoordinate);
    list.AddInteger(
            "Width", [this] { return m_DocumentBounds.width(); },
            [this](qint64 v) {
                QRect bounds = m_DocumentBounds;
                bounds.setWidth(int(v));
                SetDocumentBounds(bounds);
            },
            NoDefault)
        .Range(0, MaxObjectCoordinate);
    list.AddInteger(
            "Height", [this] { return m_DocumentBounds.height(); },
            [this](qint64 v) {
                QRect bounds = m_DocumentBounds;
                bounds.setHeight(int(v));
                SetDocumentBounds(bounds);
            },
            NoDefault)
        .Range(0, MaxObjectCoordinate);
    list.AddIdentInteger(
        "Cursor", CursorIdents(), [this] { return m_Cursor; }, [this](qint64 v) { SetCursor(int(v)); }, crDefault);
    list.AddString(
            "Hint", [this] { return Hint(); }, [this](const QString& v) { SetHint(v); })
        .IsStored = [this] { return !Hint().isEmpty(); };
    list.AddInteger(
        "Tag", [this] { return m_Tag; }, [this](qint64 v) { m_Tag = qint32(v); }, 0);
    list.AddBoolean(
        "Locked", [this] { return m_Locked; }, [this](bool v) { SetLocked(v); }, NoDefault);
    list.AddBoolean(
        "Unselectable", [this] { return m_Unselectable; }, [this](bool v) { SetUnselectable(v); }, NoDefault);
}

void TGGraphicControl::SetName(const QString& name)
{
    TComponent::SetName(name);
    setObjectName(name);
}

void TGGraphicControl::SetParentComponent(TComponent* parent)
{
    // Objects lie on a host. One inside another object is no record the program writes, and it
    // would be neither shown nor saved again: the record is refused as damaged.
    if (parent && !dynamic_cast<TGBasePanel*>(parent))
        throw EMervaneError(StreamErrors::InvalidStreamFormat);
    if (auto* widget = dynamic_cast<QWidget*>(parent)) {
        setParent(widget);
        show();
    }
}

QMenu* TGGraphicControl::ObjectMenu()
{
    if (!m_ObjectMenu) {
        m_ObjectMenu = new QMenu;
        m_ObjectMenu->setObjectName("ObjectMenu");
        connect(m_ObjectMenu, &QMenu::aboutToShow, this, [this] { PopupMenuOpening(); });
        FillObjectMenu(*m_ObjectMenu);
    }
    return m_ObjectMenu;
}

QAction* TGGraphicControl::LockedItem()
{
    ObjectMenu();
    return m_LockedItem;
}

QAction* TGGraphicControl::AddMenuItem(QMenu& menu, const QString& caption, const std::function<void()>& command)
{
    QAction* action = menu.addAction(caption);
    // Named after the command, so that a name the command gave ("Delete 3 Objects") counts; the
    // object may be gone by then, its host not.
    connect(action, &QAction::triggered, this, [this, command, caption] {
        const QPointer<TGBasePanel> host = Host();
        const QString name = QString(caption).remove('&');
        TGBasePanel::RunCommand(command);
        if (host)
            host->NameChange(name);
    });
    return action;
}

void TGGraphicControl::FillObjectMenu(QMenu& menu)
{
    const auto add = [this, &menu](const QString& caption, const std::function<void()>& command) {
        return AddMenuItem(menu, caption, command);
    };
    add("Bring To Front", [this] {
        NotifyChanged();
        raise();
        if (TGBasePanel* host = Host())
            host->SelectionHandle()->raise();
    });
    add("Send To Back", [this] {
        NotifyChanged();
        lower();
        if (TGBasePanel* host = Host())
            host->SelectionHandle()->Clear();
    });
    add("Cut", [this] {
        NotifyChanged();
        if (TGBasePanel* host = Host())
            host->ObjectOperation(*this, opCut);
    });
    add("Copy", [this] {
        if (TGBasePanel* host = Host())
            host->ObjectOperation(*this, opCopy);
    });
    add("Delete", [this] {
        NotifyChanged();
        if (TGBasePanel* host = Host())
            host->ObjectOperation(*this, opDelete);
    });
    add("Clone", [this] { Clone(); });
    menu.addSeparator();
    m_LockedItem = add("Locked", [this] {
        m_Locked = !m_Locked;
        m_LockedItem->setChecked(m_Locked);
        NotifyChanged();
    });
    m_LockedItem->setCheckable(true);
    m_LockedItem->setChecked(m_Locked);
    add("Unselectable", [this] {
        SetUnselectable(true);
        NotifyChanged();
        if (TGBasePanel* host = Host(); host && m_Unselectable)
            host->SelectionHandle()->Remove(this);
    });
    menu.addSeparator();
    add("Center Vertically", [this] { CenterVertically(); });
    add("Center Horizontally", [this] { CenterHorizontally(); });
}

void TGGraphicControl::BoundsChanged()
{
    if (m_InBoundsChange)
        return;
    m_InBoundsChange = true;
    const QRect current = geometry();
    if (m_LastBounds == QRect(0, 0, 0, 0))
        m_LastBounds = current;
    if (current != m_LastBounds) {
        if (!m_Fitting)
            NotifyChanged();
        m_LastBounds = current;
        if (TGBasePanel* host = Host())
            host->RequestRefit();
    }
    m_InBoundsChange = false;
}

void TGGraphicControl::PopupMenuOpening()
{
}

void TGGraphicControl::ApplyFont(const TFont&)
{
}

void TGGraphicControl::FitContent()
{
}

void TGGraphicControl::PrintRecorded(TReportPrinter& report, double x, double y, QSize size,
                                     const std::function<void(QPainter&)>& draw) const
{
    QPicture picture;
    {
        QPainter painter(&picture);
        draw(painter);
    }
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    const QRect bounds(DocumentBounds().topLeft(), size);
    const double ppi = ScreenPpi();
    report.StretchDraw(
        QRectF(QPointF(x + bounds.left() / ppi, y + bounds.top() / ppi),
               QPointF(x + (bounds.left() + bounds.width()) / ppi, y + (bounds.top() + bounds.height()) / ppi)),
        picture);
}

void TGGraphicControl::PrintTo(TReportPrinter&, double, double)
{
}

void TGGraphicControl::SetLeft(int value)
{
    SetBounds(value, Top(), Width(), Height());
}

void TGGraphicControl::SetTop(int value)
{
    SetBounds(Left(), value, Width(), Height());
}

void TGGraphicControl::SetWidth(int value)
{
    SetBounds(Left(), Top(), value, Height());
}

void TGGraphicControl::SetHeight(int value)
{
    SetBounds(Left(), Top(), Width(), value);
}

void TGGraphicControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    // Only the values that changed are taken back to zoom 1.0; the others keep their exact
    // document value, which rounding at this zoom may not reproduce.
    if (left != Left())
        m_DocumentBounds.moveLeft(Unzoomed(left));
    if (top != Top())
        m_DocumentBounds.moveTop(Unzoomed(top));
    if (width != Width())
        m_DocumentBounds.setWidth(Unzoomed(width));
    if (height != Height())
        m_DocumentBounds.setHeight(Unzoomed(height));
    setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    if (!IsStreaming())
        BoundsChanged();
}

void TGGraphicControl::FitSize(int width, int height)
{
    m_Fitting = true;
    SetBounds(Left(), Top(), width, height);
    m_Fitting = false;
}

void TGGraphicControl::SetDocumentBounds(const QRect& bounds)
{
    m_DocumentBounds = bounds;
    ApplyDocumentBounds();
    if (!IsStreaming())
        BoundsChanged();
}

void TGGraphicControl::ApplyDocumentBounds()
{
    setGeometry(Zoomed(m_DocumentBounds.x()), Zoomed(m_DocumentBounds.y()),
                std::max(Zoomed(m_DocumentBounds.width()), 0), std::max(Zoomed(m_DocumentBounds.height()), 0));
}

// Nearest integer, halves to even (the default rounding mode), in 32-bit float as zoom factors are.
int TGGraphicControl::Zoomed(int value) const
{
    return m_Zoom == 1.0f ? value : int(std::nearbyint(float(value) * m_Zoom));
}

int TGGraphicControl::Unzoomed(int value) const
{
    return m_Zoom == 1.0f ? value : int(std::nearbyint(float(value) / m_Zoom));
}

void TGGraphicControl::SetZoom(float value)
{
    if (value == m_Zoom || value <= 0)
        return;
    m_Zoom = value;
    ApplyDocumentBounds();
    BoundsChanged();
}

void TGGraphicControl::SetLocked(bool value)
{
    if (value == m_Locked)
        return;
    m_Locked = value;
    if (IsStreaming())
        return;
    if (m_LockedItem)
        m_LockedItem->setChecked(value);
    NotifyChanged();
}

void TGGraphicControl::SetUnselectable(bool value)
{
    if (value == m_Unselectable)
        return;
    m_Unselectable = value;
    if (IsStreaming())
        return;
    NotifyChanged();
    if (TGBasePanel* host = Host(); host && value)
        host->SelectionHandle()->Remove(this);
}

void TGGraphicControl::SetCursor(int value)
{
    m_Cursor = value;
    if (value == crDefault)
        unsetCursor();
    else
        setCursor(CursorFromId(value));
}

void TGGraphicControl::NotifyChanged()
{
    if (TGBasePanel* host = Host(); host && !host->Printing())
        host->NotifyLabelChanged();
}

void TGGraphicControl::DrawSelectionSquares(QPainter& painter) const
{
    const TGBasePanel* host = Host();
    if (!host)
        return;
    const TGHandle& handle = *host->SelectionHandle();
    if (handle.IndexOf(this) < 0)
        return;
    const bool single = handle.Count() == 1;
    const QColor color = ColorToQColor(single ? handle.Color() : handle.SecondaryColor());
    const int left = Left() - 2;
    const int top = Top() - 2;
    const int right = Left() + Width() + 2;
    const int bottom = Top() + Height() + 2;
    painter.fillRect(left, top, 5, 5, color);
    painter.fillRect(right - 5, top, 5, 5, color);
    painter.fillRect(right - 5, bottom - 5, 5, 5, color);
    painter.fillRect(left, bottom - 5, 5, 5, color);
    if (!single)
        return;
    const int halfWidth = int((right - left) * 0.5);
    const int halfHeight = int((bottom - top) * 0.5);
    painter.fillRect(left + halfWidth - 2, top, 5, 5, color);
    painter.fillRect(left + halfWidth - 2, bottom - 5, 5, 5, color);
    painter.fillRect(left, top + halfHeight - 2, 5, 5, color);
    painter.fillRect(right - 5, top + halfHeight - 2, 5, 5, color);
}

void TGGraphicControl::CenterVertically()
{
    TGBasePanel* host = Host();
    if (!host)
        return;
    SetTop(host->height() / 2 - Height() / 2);
    NotifyChanged();
    host->update();
}

void TGGraphicControl::CenterHorizontally()
{
    TGBasePanel* host = Host();
    if (!host)
        return;
    SetLeft(host->width() / 2 - Width() / 2);
    NotifyChanged();
    host->update();
}

void TGGraphicControl::Clone()
{
    TGBasePanel* host = Host();
    if (!host)
        return;
    TGLabelObjectFiler filer(Owner());
    TGGraphicControl* copy = filer.Duplicate(*this, Owner(), *host);
    // The copy is read at zoom 1.0; it takes the host's zoom first so that the 25 pixels are
    // host pixels, as this object's Top is.
    copy->SetZoom(host->Zoom());
    copy->SetTop(Top() + 25);
    copy->raise();
    TGHandle& handle = *host->SelectionHandle();
    handle.raise();
    if (handle.IndexOf(this) >= 0) {
        handle.Remove(this);
        handle.Add(copy);
    }
    host->AttachObjects();
    NotifyChanged();
}

TGBasePanel* TGGraphicControl::Host() const
{
    return qobject_cast<TGBasePanel*>(parentWidget());
}

void TGGraphicControl::Paint(QPainter&)
{
}

void TGGraphicControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void TGGraphicControl::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(*this, event->button(), event->modifiers(), event->position().toPoint());
}

void TGGraphicControl::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(*this, Qt::NoButton, event->modifiers(), event->position().toPoint());
}

void TGGraphicControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    if (OnMouseUp)
        OnMouseUp(*this, event->button(), event->modifiers(), event->position().toPoint());
}

void TGGraphicControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnDblClick)
        OnDblClick(*this, event->button(), event->modifiers(), event->position().toPoint());
}

void TGGraphicControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (TGBasePanel* host = Host())
        SetScreenCursor(host->Pointing() ? crDefault : host->DragCursor());
}

QString TGGraphicControl::ShowableLine(const QString& text)
{
    return VisibleLine(text, 2 * MaxObjectCoordinate, TLineAnchor::Start);
}
