#include "calendar/CalendarPanel32.h"

#include "calendar/CalendarDates.h"
#include "calendar/CalendarDrawing.h"
#include "calendar/CalendarPrinting.h"
#include "effects/GFlatCalendar.h"
#include "effects/GSuperText.h"
#include "objects/GGraphicControl.h"
#include "objects/GImage.h"
#include "objects/GPLabel.h"
#include "objects/GPRichBaseLabel.h"
#include "objects/ScreenCursor.h"
#include "print/ReportPrinter.h"
#include "platform/ScreenPpi.h"
#include "richtext/WPPageRenderer.h"
#include "richtext/WPRtfStorage.h"
#include "stream/ClassRegistry.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <QPicture>
#include <QScopeGuard>
#include <algorithm>
#include <memory>

namespace {

TDrawFont DrawFont(const TFont& font, float zoom)
{
    return {font.Name(), int(font.Size() * zoom), font.Style(), font.Color()};
}

TRect Zoomed(const TRect& r, float zoom)
{
    return {int(r.Left * zoom), int(r.Top * zoom), int(r.Right * zoom), int(r.Bottom * zoom)};
}

// The sign of a cell holding more text than it shows: a small dark triangle in the bottom-right
// corner of its free rectangle (inclusive edges), the same size at every zoom.
void DrawMoreTextMark(QPainter& painter, const TRect& free)
{
    const int side = std::min({MoreTextMarkSide, free.Width() + 1, free.Height() + 1});
    const QPoint corner(free.Right + 1, free.Bottom + 1);
    const QPolygon triangle{corner, corner - QPoint(side, 0), corner - QPoint(0, side)};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(MoreTextMarkColor));
    painter.drawPolygon(triangle);
    painter.restore();
}

} // namespace

TCalendarPanel32::TCalendarPanel32(TComponent* owner, QWidget* parent)
    : TGBasePanel(owner, parent)
{
    // The page-object classes files and the object clipboard may name.
    RegisterClass<TGPRichBaseLabel>("TGPRichBaseLabel");
    RegisterClass<TGPLabel>("TGPLabel");
    RegisterClass<TGFlatCalendar>("TGFlatCalendar");
    RegisterClass<TGSuperText>("TGSuperText");
    RegisterClass<TGImage>("TGImage");
    WatchFonts();
    for (TWPRtfStorage*& cell : m_Cells)
        cell = new TWPRtfStorage(this);
    RecalcLayout(true);
}

TCalendarPanel32::~TCalendarPanel32() = default; // the cells are owned components

void TCalendarPanel32::WatchFonts()
{
    for (TPageFont* font : m_Settings.Fonts())
        font->OnChange = [this] { update(); };
}

void TCalendarPanel32::SetSettings(const TCalendarSettings& settings)
{
    m_Settings = settings; // the fonts keep their change handler
    RecalcLayout(false);
}

void TCalendarPanel32::RecalcLayout(bool resetMiniFonts)
{
    m_Geometry = ComputePageGeometry(m_Settings, ScreenPpi(), m_Geometry);
    m_Settings.Orientation = m_Geometry.Orientation; // the layout decides it
    if (resetMiniFonts && m_Geometry.MiniFontPreset > 0)
        ApplyMiniFontPreset(m_Geometry.MiniFontPreset);
    resize(SizeAtZoom(Zoom()));
    update();
}

QSize TCalendarPanel32::SizeAtZoom(float zoom) const
{
    return {int(m_Geometry.Width * zoom), int(m_Geometry.Height * zoom)};
}

void TCalendarPanel32::Relayout()
{
    RecalcLayout(false);
}

void TCalendarPanel32::ApplyMiniFontPreset(int size)
{
    m_Settings.MiniTitleFont.SetSize(size);
    m_Settings.MiniHeadersFont.SetSize(int(size * 0.8));
    m_Settings.MiniCellFont.SetSize(int(size * 0.8));
}

// Setters: store, then relayout or repaint; unchanged values do nothing.
#define MV_SETTER(Name, Type, member, after)                                                                           \
    void TCalendarPanel32::Set##Name(Type value)                                                                       \
    {                                                                                                                  \
        if (member == value)                                                                                           \
            return;                                                                                                    \
        member = value;                                                                                                \
        after;                                                                                                         \
    }

MV_SETTER(CalendarLayout, TCalendarLayout, m_Settings.CalendarLayout, Relayout())
MV_SETTER(TitleBGColor, TColor, m_Settings.TitleBGColor, update())
MV_SETTER(LeftMarginInch, double, m_Settings.LeftMargin, Relayout())
MV_SETTER(TopMarginInch, double, m_Settings.TopMargin, Relayout())
MV_SETTER(RightMarginInch, double, m_Settings.RightMargin, Relayout())
MV_SETTER(BottomMarginInch, double, m_Settings.BottomMargin, Relayout())
MV_SETTER(MiniCalBorder, TCalBorderStyle, m_Settings.MiniCalBorder, update())
MV_SETTER(MiniHeadersBorder, TCalBorderStyle, m_Settings.MiniHeadersBorder, update())
MV_SETTER(MiniCellBorder, TCalBorderStyle, m_Settings.MiniCellBorder, update())
MV_SETTER(MiniShowYear, bool, m_Settings.MiniShowYear, update())
MV_SETTER(MiniHeadersBGColor, TColor, m_Settings.MiniHeadersBGColor, update())
MV_SETTER(MiniCalBGColor, TColor, m_Settings.MiniCalBGColor, update())
MV_SETTER(MainCalDay, int, m_Settings.MainCalDay, Relayout())
MV_SETTER(MainCalMonth, int, m_Settings.MainCalMonth, Relayout())
MV_SETTER(MainCalYear, int, m_Settings.MainCalYear, Relayout())
MV_SETTER(StartOfWeek, int, m_Settings.StartOfWeek, update())
MV_SETTER(CalendarBorder, TCalBorderStyle, m_Settings.CalendarBorder, update())
MV_SETTER(TitleShowYear, bool, m_Settings.TitleShowYear, update())
MV_SETTER(HeadersBorder, TCalBorderStyle, m_Settings.HeadersBorder, update())
MV_SETTER(HeadersStyle, TCalHeadersStyle, m_Settings.HeadersStyle, update())
MV_SETTER(MiniHeadersStyle, TCalHeadersStyle, m_Settings.MiniHeadersStyle, update())
MV_SETTER(HeadersBGColor, TColor, m_Settings.HeadersBGColor, update())
MV_SETTER(NumberPosition, TCalendarNumberPosition, m_Settings.NumberPosition, update())
MV_SETTER(CellBorder, TCalBorderStyle, m_Settings.CellBorder, update())
MV_SETTER(UserTitle, const QString&, m_Settings.UserTitle, update())
MV_SETTER(UseA4Paper, bool, m_Settings.UseA4Paper, Relayout())
MV_SETTER(StartTime, double, m_Settings.StartTime, Relayout())

#undef MV_SETTER

void TCalendarPanel32::SetCalendarOrientation(TCalendarOrientation value)
{
    if (value == m_Geometry.Orientation)
        return;
    m_Settings.Orientation = value;
    Relayout(); // which derives the orientation from the layout again
}

void TCalendarPanel32::SetCalendarLineLayout(TCalendarLineLayout value)
{
    m_Settings.SetCalendarLineLayout(value);
    update();
}

void TCalendarPanel32::SetMiniCalendarLineLayout(TMiniCalendarLineLayout value)
{
    m_Settings.SetMiniCalendarLineLayout(value);
    update();
}

void TCalendarPanel32::SetPanelState(TLPanelState value)
{
    m_PanelState = value;
    SetPointing(value == psPointing);
    setCursor(value == psPointing ? Qt::ArrowCursor : Qt::DragMoveCursor);
}

TWPRtfStorage* TCalendarPanel32::GetCellRtf(int index) const
{
    return index >= 1 && index <= CellCount ? m_Cells[index - 1] : nullptr;
}

void TCalendarPanel32::SetCellRtf(int index, const TWPRtfStorage& text)
{
    if (index < 1 || index > CellCount)
        return;
    m_Cells[index - 1]->Assign(text);
    update();
}

int TCalendarPanel32::DayOfCell(int index) const
{
    return index >= 1 && index <= CellCount ? m_Main.Cells[index - 1].Day : 0;
}

int TCalendarPanel32::CellOfDay(int day) const
{
    for (int i = 0; i < CellCount; ++i) {
        if (m_Main.Cells[i].Day == day)
            return i + 1;
    }
    return -1;
}

int TCalendarPanel32::CellAtPoint(int x, int y) const
{
    for (int i = 0; i < CellCount; ++i) {
        if (m_Main.Cells[i].Whole.Contains(x, y))
            return i + 1;
    }
    return 0;
}

bool TCalendarPanel32::IsPointInCell(int x, int y) const
{
    return CellAtPoint(x, y) != 0;
}

void TCalendarPanel32::FireCellEvent(int index)
{
    if (index < 1 || index > CellCount || !ClickedInCellEvent)
        return;
    const TCellRecord& cell = m_Main.Cells[index - 1];
    // A cell the page does not show (the sixth row of a month on a week planner) has no room
    // for the editor.
    if (cell.Free.IsEmpty())
        return;
    TWPRtfStorage* storage = m_Cells[index - 1];
    ClickedInCellEvent(nullptr, cell.Whole, cell.Free, index, cell.Day, storage);
}

void TCalendarPanel32::FireCellEventAtPoint(int x, int y)
{
    FireCellEvent(CellAtPoint(x, y));
}

void TCalendarPanel32::EditPreviousCell(int index)
{
    if (index > 1 && index <= CellCount + 1 && !m_Main.Cells[index - 2].Free.IsEmpty())
        FireCellEvent(index - 1);
}

void TCalendarPanel32::EditNextCell(int index)
{
    if (index >= 0 && index < CellCount && !m_Main.Cells[index].Free.IsEmpty())
        FireCellEvent(index + 1);
}

void TCalendarPanel32::ClearAllCells()
{
    for (int i = 0; i < CellCount; ++i)
        m_Cells[i]->Assign(*m_Cells[CellCount]);
    m_Main.ClearCells();
}

bool TCalendarPanel32::HasCellText() const
{
    for (int i = 0; i < CellCount; ++i) {
        if (!m_Cells[i]->IsEmpty())
            return true;
    }
    return false;
}

QString TCalendarPanel32::GetMonthName(int index) const
{
    return index >= 1 && index <= 12 ? m_Settings.MonthNames[index - 1] : QString();
}

void TCalendarPanel32::SetMonthName(int index, const QString& name)
{
    if (index >= 1 && index <= 12)
        m_Settings.MonthNames[index - 1] = name;
}

QString TCalendarPanel32::GetDayName(int index) const
{
    return index >= 1 && index <= 7 ? m_Settings.DayNames[index - 1] : QString();
}

void TCalendarPanel32::SetDayName(int index, const QString& name)
{
    if (index >= 1 && index <= 7)
        m_Settings.DayNames[index - 1] = name;
}

bool TCalendarPanel32::CellsAvailable() const
{
    return LayoutFamily() != lfMultiMonth && isVisible();
}

void TCalendarPanel32::AssignSettings(const TCalendarPanel32& other)
{
    m_Settings.AssignPageSettings(other.m_Settings);
    RecalcLayout(false);
}

bool TCalendarPanel32::SameSettings(const TCalendarPanel32& other) const
{
    return m_Settings.SamePageSettings(other.m_Settings);
}

void TCalendarPanel32::ResetToDefaults()
{
    m_Settings.ResetForNewCalendar(QDate::currentDate());
    RecalcLayout(true);
}

void TCalendarPanel32::FillMainRecord(TCalendarDrawRecord& r, float zoom) const
{
    r.BackgroundColor = clWhite;
    r.TitleBGColor = m_Settings.TitleBGColor;
    r.MinTitleHeight = int(1.5 * ScreenPpi() * zoom);
    r.Month = m_Settings.MainCalMonth;
    r.Year = m_Settings.MainCalYear;
    r.Day = m_Settings.MainCalDay;
    r.CalendarRect = Zoomed(m_Geometry.Main, zoom);
    r.NumberPosition = m_Settings.NumberPosition;
    r.StartOfWeek = m_Settings.StartOfWeek;
    r.CalendarBorder = m_Settings.CalendarBorder;
    r.TitleFont = DrawFont(m_Settings.TitleFont, zoom);
    r.TitleShowYear = m_Settings.TitleShowYear;
    r.HeadersFont = DrawFont(m_Settings.HeadersFont, zoom);
    r.HeadersBorder = m_Settings.HeadersBorder;
    r.HeadersStyle = m_Settings.HeadersStyle;
    r.HeadersBGColor = m_Settings.HeadersBGColor;
    r.CellFont = DrawFont(m_Settings.CellFont, zoom);
    r.CellBorder = m_Settings.CellBorder;
    r.MonthNames = m_Settings.MonthNames;
    r.DayNames = m_Settings.DayNames;
    r.PlannerDays = m_Settings.CalendarLayout == lo2Week ? 14 : 7;
    r.PlannerRows = m_Settings.CalendarLayout == loDay15 ? 15 : 10;
    r.StartTime = m_Settings.StartTime;
}

void TCalendarPanel32::FillMiniRecord(TCalendarDrawRecord& r, float zoom) const
{
    r.BackgroundColor = m_Settings.MiniCalBGColor;
    r.TitleBGColor = m_Settings.MiniCalBGColor;
    r.MinTitleHeight = 0;
    r.NumberPosition = cnpCenter;
    r.StartOfWeek = m_Settings.StartOfWeek;
    r.CalendarBorder = m_Settings.MiniCalBorder;
    r.TitleFont = DrawFont(m_Settings.MiniTitleFont, zoom);
    r.TitleShowYear = m_Settings.MiniShowYear;
    r.HeadersFont = DrawFont(m_Settings.MiniHeadersFont, zoom);
    r.HeadersBorder = m_Settings.MiniHeadersBorder;
    r.HeadersStyle = m_Settings.MiniHeadersStyle;
    r.HeadersBGColor = m_Settings.MiniHeadersBGColor;
    r.CellFont = DrawFont(m_Settings.MiniCellFont, zoom);
    r.CellBorder = m_Settings.MiniCellBorder;
    r.MonthNames = m_Settings.MonthNames;
    r.DayNames = m_Settings.DayNames;
}

bool TCalendarPanel32::RenderCellText(QPainter& painter, TWPRtfStorage& cell, const TRect& free)
{
    if (free.IsEmpty() || cell.IsEmpty())
        return true;
    const QSize size(free.Width() + 1, free.Height() + 1);
    const TWPPageRenderer renderer = TWPPageRenderer::ForTarget(size, int(Zoom() * 100));
    return renderer.Render(cell.RtfText().Document(), painter, QRect(QPoint(free.Left, free.Top), size));
}

void TCalendarPanel32::DrawCalendar(QImage& image, double plannerStart, TCellOverflow overflow)
{
    QPainter painter(&image);
    FillMainRecord(m_Main, Zoom());
    m_Main.StartTime = plannerStart;
    m_Main.ClearCells();
    const bool planner = m_Geometry.IsPlanner;
    if (m_Settings.CalendarLayout == loWeek || m_Settings.CalendarLayout == lo2Week)
        DrawWeekPlanner(painter, m_Main, m_Settings.UserTitle);
    else if (planner)
        DrawDayPlanner(painter, m_Main, m_Settings.UserTitle);
    else if (m_Geometry.ShowsMonthGrid)
        DrawMonth(painter, m_Main, m_Settings.UserTitle);
    if (planner || m_Geometry.ShowsMonthGrid) {
        for (int i = 0; i < CellCount; ++i) {
            const TRect& free = m_Main.Cells[i].Free;
            if (!RenderCellText(painter, *m_Cells[i], free) && overflow == TCellOverflow::Marked)
                DrawMoreTextMark(painter, free);
        }
    }
    if (m_Geometry.ShowsMinis) {
        TCalendarDrawRecord mini;
        FillMiniRecord(mini, Zoom());
        for (const TMiniCalendar& m : m_Geometry.Minis) {
            mini.Month = m.Month;
            mini.Year = m.Year;
            mini.CalendarRect = Zoomed(m.Rect, Zoom());
            DrawMonth(painter, mini, QString());
        }
    }
}

void TCalendarPanel32::Paint(QPainter& painter)
{
    if (m_Painting)
        return;
    m_Painting = true;
    // Composed off screen and shown at once, so a half-drawn page never shows.
    QImage page(size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    DrawCalendar(page, m_Settings.StartTime, TCellOverflow::Marked);
    painter.drawImage(0, 0, page);
    m_Painting = false;
}

QImage TCalendarPanel32::RenderToBitmap()
{
    QImage page(size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    DrawCalendar(page, 8.0 / 24, TCellOverflow::Unmarked);
    update();
    return page;
}

void TCalendarPanel32::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    m_PressPoint = point;
    TGBasePanel::MouseDown(button, shift, point);
}

void TCalendarPanel32::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    // A release that ends a creation attempt is no click on the page, even though the page is
    // back with the selection tool once the attempt is over.
    const bool creating = m_PanelState != psPointing;
    TGBasePanel::MouseUp(button, shift, point);
    // A click: released within the platform's drag distance of the press, so that a hand that
    // moves a pixel while clicking still opens the cell.
    if (!creating && button == Qt::LeftButton &&
        (point - m_PressPoint).manhattanLength() < QApplication::startDragDistance())
        ClickAt(point);
}

void TCalendarPanel32::ClickAt(QPoint point)
{
    if (m_PanelState != psPointing)
        return;
    const int cell = CellAtPoint(point.x(), point.y());
    if (m_Main.TitleRect.Contains(point.x(), point.y()) && OnClickedHeader)
        OnClickedHeader(this);
    if (m_Main.DaysHeaderRect.Contains(point.x(), point.y()) && OnClickedDaysArea)
        OnClickedDaysArea(this);
    if (cell > 0 && (m_Geometry.ShowsMonthGrid || m_Geometry.IsPlanner)) {
        if (ClickedInCellEvent && !ObjectAt(point.x(), point.y()))
            FireCellEvent(cell);
        return;
    }
    if (OnClick)
        OnClick(this);
}

TRect TCalendarPanel32::ToDevice(const TReportPrinter& report, const TRect& pixels, double x, double y) const
{
    const double ppi = ScreenPpi();
    const QRect device = report.InchRectToDevice(QRectF(QPointF(x + pixels.Left / ppi, y + pixels.Top / ppi),
                                                        QPointF(x + pixels.Right / ppi, y + pixels.Bottom / ppi)));
    return {device.left(), device.top(), device.right() + 1, device.bottom() + 1};
}

void TCalendarPanel32::PrintPage(TReportPrinter& report, double x, double y)
{
    report.SetPen(Qt::black);
    report.SetBrush(Qt::white);
    TCalendarDrawRecord main;
    FillMainRecord(main, 1.0f);
    main.CalendarRect = ToDevice(report, m_Geometry.Main, x, y);
    main.MinTitleHeight = int(1.5 * report.YDPI());
    const bool planner = m_Geometry.IsPlanner;
    if (m_Settings.CalendarLayout == loWeek || m_Settings.CalendarLayout == lo2Week)
        PrintWeekPlanner(report, main, m_Settings.UserTitle);
    else if (planner)
        PrintDayPlanner(report, main, m_Settings.UserTitle);
    else if (m_Geometry.ShowsMonthGrid)
        PrintMonth(report, main, m_Settings.UserTitle);

    if (m_Geometry.ShowsMinis) {
        TCalendarDrawRecord mini;
        FillMiniRecord(mini, 1.0f);
        for (const TMiniCalendar& m : m_Geometry.Minis) {
            mini.Month = m.Month;
            mini.Year = m.Year;
            // One screen pixel more to the right and at the bottom, so the outline is not cut.
            mini.CalendarRect = ToDevice(report, {m.Rect.Left, m.Rect.Top, m.Rect.Right + 1, m.Rect.Bottom + 1}, x, y);
            PrintMonth(report, mini, QString());
        }
    }

    // Cell text: recorded at screen size as on the unzoomed screen, then stretched onto paper.
    if (planner || m_Geometry.ShowsMonthGrid) {
        const double scale = double(ScreenPpi()) / report.XDPI();
        for (int i = 0; i < CellCount; ++i) {
            const TRect& free = main.Cells[i].Free;
            if (free.IsEmpty() || m_Cells[i]->IsEmpty())
                continue;
            const QSize size(std::max(1, int(free.Width() * scale)), std::max(1, int(free.Height() * scale)));
            QPicture picture;
            {
                QPainter painter(&picture);
                TWPPageRenderer::ForTarget(size, 100).Render(m_Cells[i]->RtfText().Document(), painter,
                                                             QRect(QPoint(0, 0), size));
            }
            picture.setBoundingRect(QRect(QPoint(0, 0), size));
            report.StretchDrawDevice(free.ToQRect(), picture);
        }
    }

    for (TGGraphicControl* object : Objects())
        object->PrintTo(report, x, y);
}

bool TCalendarPanel32::HasSuperTextObject() const
{
    const QList<TGGraphicControl*> objects = Objects();
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        if ((*it)->ClassName() == "TGSuperText")
            return true;
    }
    return false;
}

QRect TCalendarPanel32::CreationRect(const QRect& dragged)
{
    QRect rect = dragged;
    if (rect.width() < 25)
        rect.setWidth(50);
    if (rect.height() < 15)
        rect.setHeight(15);
    return rect;
}

void TCalendarPanel32::CreateObjectInRect(const QRect& rect)
{
    if (m_Creating)
        return;
    m_Creating = true;
    // However the creation ends (made, refused, failed, or a kind that places nothing yet), the
    // page is back with the selection tool: left in creation mode, clicks would no longer open
    // cells or select objects, and every click would count as another creation.
    const auto guard = qScopeGuard([this] {
        m_Creating = false;
        if (m_PanelState != psPointing)
            FinishCreation();
    });
    const QRect target = CreationRect(rect);
    // The other object kinds join here as they are built; until then their tools place nothing.
    if (m_PanelState == psLabel) {
        auto* label = new TGPLabel(Owner());
        label->Loaded();
        label->SetCaption("Enter text...");
        label->Font().Assign(Font());
        label->Font().SetSize(20);
        PlaceObject(*label, target);
        label->SetTransparent(false);
        label->SetBorderStyle(bsSingle);
        FinishCreation();
        label->BeginEdit();
    } else if (m_PanelState == psRichLabel) {
        CreateRichLabel(target);
    } else if (m_PanelState == psSuperText) {
        TGSuperText* text = TGSuperText::CreateForTool(Owner());
        text->Loaded();
        PlaceObject(*text, target);
        FinishCreation();
        text->Properties();
    } else if (m_PanelState == psImage) {
        auto* image = new TGImage(Owner());
        image->Loaded();
        PlaceObject(*image, target);
        FinishCreation();
        image->LoadImage();
    } else if (m_PanelState == psFlatCalendar) {
        auto* calendar = new TGFlatCalendar(Owner());
        calendar->Loaded();
        PlaceObject(*calendar, target);
        FinishCreation();
    }
}

void TCalendarPanel32::CreateRichLabel(const QRect& rect)
{
    RunCommand([&] {
        // Freed unless placed: without a master editor the label cannot finish loading.
        auto label = std::make_unique<TGPRichBaseLabel>(Owner());
        label->Loaded();
        PlaceObject(*label, rect);
        TGPRichBaseLabel& placed = *label.release();
        placed.SetTransparent(false);
        placed.SetBorderStyle(bsSingle);
        FinishCreation();
        placed.Edit();
    });
}

void TCalendarPanel32::FinishCreation()
{
    SetScreenCursor(crDefault);
    SetPanelState(psPointing);
}
