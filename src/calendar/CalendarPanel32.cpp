#include "calendar/CalendarPanel32.h"

#include "calendar/CalendarDates.h"
#include "calendar/CalendarDrawing.h"
#include "calendar/CalendarPrinting.h"
#include "objects/GGraphicControl.h"
#include "objects/GPLabel.h"
#include "objects/ScreenCursor.h"
#include "print/ReportPrinter.h"
#include "platform/ScreenPpi.h"
#include "richtext/WPPageRenderer.h"
#include "richtext/WPRtfStorage.h"
#include "stream/ClassRegistry.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPicture>
#include <QScopeGuard>

namespace {

void SetFont(TFont& font, const QString& name, int size, bool bold, TColor color)
{
    font.SetName(name);
    font.SetSize(size);
    font.SetStyle(bold ? FontStyleBit(fsBold) : 0);
    font.SetColor(color);
}

TDrawFont DrawFont(const TFont& font, float zoom)
{
    return {font.Name(), int(font.Size() * zoom), font.Style(), font.Color()};
}

TRect Zoomed(const TRect& r, float zoom)
{
    return {int(r.Left * zoom), int(r.Top * zoom), int(r.Right * zoom), int(r.Bottom * zoom)};
}

// Fonts agree for the page's settings when name, style and colour agree; sizes are not compared.
bool SameFont(const TFont& a, const TFont& b)
{
    return a.Name() == b.Name() && a.Style() == b.Style() && a.Color() == b.Color();
}

} // namespace

TCalendarPanel32::TCalendarPanel32(TComponent* owner, QWidget* parent)
    : TGBasePanel(owner, parent)
{
    // The page-object classes files and the object clipboard may name.
    RegisterClass<TGPLabel>("TGPLabel");
    SetFont(m_TitleFont, "Times New Roman", 26, true, clBlack);
    SetFont(m_HeadersFont, "Times New Roman", 16, true, clBlack);
    SetFont(m_CellFont, "Times New Roman", 16, true, clBlack);
    SetFont(m_MiniTitleFont, "Times New Roman", 6, true, clBlack);
    SetFont(m_MiniHeadersFont, "Times New Roman", 8, false, clWhite);
    SetFont(m_MiniCellFont, "Times New Roman", 6, false, clBlack);
    for (TFont* font : {&m_TitleFont, &m_HeadersFont, &m_CellFont, &m_MiniTitleFont, &m_MiniHeadersFont, &m_MiniCellFont})
        font->OnChange = [this] { update(); };
    for (TWPRtfStorage*& cell : m_Cells)
        cell = new TWPRtfStorage(this);
    LocaleNames();
    RecalcLayout(true);
}

TCalendarPanel32::~TCalendarPanel32() = default; // the cells are owned components

void TCalendarPanel32::LocaleNames()
{
    const QLocale locale;
    m_PageMonthNames.clear();
    m_PageDayNames.clear();
    for (int m = 1; m <= 12; ++m)
        m_PageMonthNames += locale.monthName(m, QLocale::LongFormat);
    for (int d = 0; d < 7; ++d)
        m_PageDayNames += locale.dayName(d == 0 ? 7 : d, QLocale::LongFormat);
}

void TCalendarPanel32::RecalcLayout(bool resetMiniFonts)
{
    TPageSettings settings;
    settings.Layout = m_CalendarLayout;
    settings.UseA4Paper = m_UseA4Paper;
    settings.LeftMargin = m_LeftMargin;
    settings.TopMargin = m_TopMargin;
    settings.RightMargin = m_RightMargin;
    settings.BottomMargin = m_BottomMargin;
    settings.Month = m_MainCalMonth;
    settings.Year = m_MainCalYear;
    settings.Ppi = ScreenPpi();
    m_Geometry = ComputePageGeometry(settings, m_Geometry);
    if (resetMiniFonts && m_Geometry.MiniFontPreset > 0)
        ApplyMiniFontPreset(m_Geometry.MiniFontPreset);
    resize(int(m_Geometry.Width * Zoom()), int(m_Geometry.Height * Zoom()));
    update();
}

void TCalendarPanel32::Relayout()
{
    RecalcLayout(false);
}

void TCalendarPanel32::ApplyMiniFontPreset(int size)
{
    m_MiniTitleFont.SetSize(size);
    m_MiniHeadersFont.SetSize(int(size * 0.8));
    m_MiniCellFont.SetSize(int(size * 0.8));
}

// Setters: store, then relayout or repaint; unchanged values do nothing.
#define MV_SETTER(Name, Type, member, after) \
    void TCalendarPanel32::Set##Name(Type value) \
    { \
        if (member == value) \
            return; \
        member = value; \
        after; \
    }

MV_SETTER(CalendarLayout, TCalendarLayout, m_CalendarLayout, Relayout())
MV_SETTER(TitleBGColor, TColor, m_TitleBGColor, update())
MV_SETTER(LeftMarginInch, double, m_LeftMargin, Relayout())
MV_SETTER(TopMarginInch, double, m_TopMargin, Relayout())
MV_SETTER(RightMarginInch, double, m_RightMargin, Relayout())
MV_SETTER(BottomMarginInch, double, m_BottomMargin, Relayout())
MV_SETTER(MiniCalBorder, TCalBorderStyle, m_MiniCalBorder, update())
MV_SETTER(MiniHeadersBorder, TCalBorderStyle, m_MiniHeadersBorder, update())
MV_SETTER(MiniCellBorder, TCalBorderStyle, m_MiniCellBorder, update())
MV_SETTER(MiniShowYear, bool, m_MiniShowYear, update())
MV_SETTER(MiniHeadersBGColor, TColor, m_MiniHeadersBGColor, update())
MV_SETTER(MiniCalBGColor, TColor, m_MiniCalBGColor, update())
MV_SETTER(MainCalDay, int, m_MainCalDay, Relayout())
MV_SETTER(MainCalMonth, int, m_MainCalMonth, Relayout())
MV_SETTER(MainCalYear, int, m_MainCalYear, Relayout())
MV_SETTER(StartOfWeek, int, m_StartOfWeek, update())
MV_SETTER(CalendarBorder, TCalBorderStyle, m_CalendarBorder, update())
MV_SETTER(TitleShowYear, bool, m_TitleShowYear, update())
MV_SETTER(HeadersBorder, TCalBorderStyle, m_HeadersBorder, update())
MV_SETTER(HeadersStyle, TCalHeadersStyle, m_HeadersStyle, update())
MV_SETTER(MiniHeadersStyle, TCalHeadersStyle, m_MiniHeadersStyle, update())
MV_SETTER(HeadersBGColor, TColor, m_HeadersBGColor, update())
MV_SETTER(NumberPosition, TCalendarNumberPosition, m_NumberPosition, update())
MV_SETTER(CellBorder, TCalBorderStyle, m_CellBorder, update())
MV_SETTER(UserTitle, const QString&, m_UserTitle, update())
MV_SETTER(UseA4Paper, bool, m_UseA4Paper, Relayout())
MV_SETTER(StartTime, double, m_StartTime, Relayout())

#undef MV_SETTER

void TCalendarPanel32::SetCalendarOrientation(TCalendarOrientation value)
{
    if (value == m_Geometry.Orientation)
        return;
    m_Geometry.Orientation = value;
    Relayout(); // which derives the orientation from the layout again
}

void TCalendarPanel32::SetCalendarLineLayout(TCalendarLineLayout value)
{
    if (value == m_CalendarLineLayout)
        return;
    m_CalendarLineLayout = value;
    static constexpr TCalBorderStyle Presets[3][3] = {
        {cbAll, cbAll, cbAll}, {cbNone, cbAll, cbAll}, {cbNone, cbNone, cbAll}};
    m_CalendarBorder = Presets[value][0];
    m_HeadersBorder = Presets[value][1];
    m_CellBorder = Presets[value][2];
    update();
}

void TCalendarPanel32::SetMiniCalendarLineLayout(TMiniCalendarLineLayout value)
{
    if (value == m_MiniCalendarLineLayout)
        return;
    m_MiniCalendarLineLayout = value;
    // calendar, cells, headers
    static constexpr TCalBorderStyle Presets[3][3] = {
        {cbAll, cbAll, cbAll}, {cbAll, cbNone, cbTopBottom}, {cbNone, cbNone, cbTop}};
    m_MiniCalBorder = Presets[value][0];
    m_MiniCellBorder = Presets[value][1];
    m_MiniHeadersBorder = Presets[value][2];
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
    return index >= 1 && index <= 42 ? m_Cells[index - 1] : nullptr;
}

void TCalendarPanel32::SetCellRtf(int index, const TWPRtfStorage& text)
{
    if (index < 1 || index > 42)
        return;
    m_Cells[index - 1]->Assign(text);
    update();
}

int TCalendarPanel32::DayOfCell(int index) const
{
    return index >= 1 && index <= 42 ? m_Main.Cells[index - 1].Day : 0;
}

int TCalendarPanel32::CellOfDay(int day) const
{
    for (int i = 0; i < 42; ++i) {
        if (m_Main.Cells[i].Day == day)
            return i + 1;
    }
    return -1;
}

int TCalendarPanel32::CellAtPoint(int x, int y) const
{
    for (int i = 0; i < 42; ++i) {
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
    if (index < 1 || index > 42 || !ClickedInCellEvent)
        return;
    const TCellRecord& cell = m_Main.Cells[index - 1];
    TWPRtfStorage* storage = m_Cells[index - 1];
    ClickedInCellEvent(nullptr, cell.Whole, cell.Free, index, cell.Day, storage);
}

void TCalendarPanel32::FireCellEventAtPoint(int x, int y)
{
    FireCellEvent(CellAtPoint(x, y));
}

void TCalendarPanel32::EditPreviousCell(int index)
{
    if (index > 1 && index <= 43 && !m_Main.Cells[index - 2].Free.IsEmpty())
        FireCellEvent(index - 1);
}

void TCalendarPanel32::EditNextCell(int index)
{
    if (index >= 0 && index < 42 && !m_Main.Cells[index].Free.IsEmpty())
        FireCellEvent(index + 1);
}

void TCalendarPanel32::ClearAllCells()
{
    for (int i = 0; i < 42; ++i)
        m_Cells[i]->Assign(*m_Cells[42]);
    m_Main.ClearCells();
}

bool TCalendarPanel32::HasCellText() const
{
    for (int i = 0; i < 42; ++i) {
        if (!m_Cells[i]->IsEmpty())
            return true;
    }
    return false;
}

QString TCalendarPanel32::GetMonthName(int index) const
{
    return index >= 1 && index <= 12 ? m_PageMonthNames[index - 1] : QString();
}

void TCalendarPanel32::SetMonthName(int index, const QString& name)
{
    if (index >= 1 && index <= 12)
        m_PageMonthNames[index - 1] = name;
}

QString TCalendarPanel32::GetDayName(int index) const
{
    return index >= 1 && index <= 7 ? m_PageDayNames[index - 1] : QString();
}

void TCalendarPanel32::SetDayName(int index, const QString& name)
{
    if (index >= 1 && index <= 7)
        m_PageDayNames[index - 1] = name;
}

bool TCalendarPanel32::CellsAvailable() const
{
    return LayoutFamily() != 1 && isVisible();
}

void TCalendarPanel32::AssignSettings(const TCalendarPanel32& other)
{
    m_UseA4Paper = other.m_UseA4Paper;
    m_CalendarLayout = other.m_CalendarLayout;
    m_StartOfWeek = other.m_StartOfWeek;
    m_PageMonthNames = other.m_PageMonthNames;
    m_PageDayNames = other.m_PageDayNames;
    m_MainCalDay = other.m_MainCalDay;
    m_MainCalMonth = other.m_MainCalMonth;
    m_MainCalYear = other.m_MainCalYear;
    m_TitleFont.Assign(other.m_TitleFont);
    m_TitleBGColor = other.m_TitleBGColor;
    m_HeadersFont.Assign(other.m_HeadersFont);
    m_HeadersBGColor = other.m_HeadersBGColor;
    m_HeadersStyle = other.m_HeadersStyle;
    m_CellFont.Assign(other.m_CellFont);
    m_MiniCalBGColor = other.m_MiniCalBGColor;
    m_MiniTitleFont.Assign(other.m_MiniTitleFont);
    m_MiniHeadersFont.Assign(other.m_MiniHeadersFont);
    m_MiniHeadersBGColor = other.m_MiniHeadersBGColor;
    m_MiniHeadersStyle = other.m_MiniHeadersStyle;
    m_MiniCellFont.Assign(other.m_MiniCellFont);
    m_TitleShowYear = other.m_TitleShowYear;
    m_MiniShowYear = other.m_MiniShowYear;
    m_LeftMargin = other.m_LeftMargin;
    m_TopMargin = other.m_TopMargin;
    m_RightMargin = other.m_RightMargin;
    m_BottomMargin = other.m_BottomMargin;
    m_StartTime = other.m_StartTime;
    SetCalendarLineLayout(other.m_CalendarLineLayout);
    SetMiniCalendarLineLayout(other.m_MiniCalendarLineLayout);
    SetUserTitle(other.m_UserTitle);
    RecalcLayout(false);
}

bool TCalendarPanel32::SameSettings(const TCalendarPanel32& o) const
{
    return m_UseA4Paper == o.m_UseA4Paper && m_CalendarLayout == o.m_CalendarLayout &&
           m_StartOfWeek == o.m_StartOfWeek && m_PageMonthNames == o.m_PageMonthNames &&
           m_PageDayNames == o.m_PageDayNames && m_MainCalDay == o.m_MainCalDay &&
           m_MainCalMonth == o.m_MainCalMonth && m_MainCalYear == o.m_MainCalYear &&
           SameFont(m_TitleFont, o.m_TitleFont) && SameFont(m_HeadersFont, o.m_HeadersFont) &&
           SameFont(m_CellFont, o.m_CellFont) && SameFont(m_MiniTitleFont, o.m_MiniTitleFont) &&
           SameFont(m_MiniHeadersFont, o.m_MiniHeadersFont) && SameFont(m_MiniCellFont, o.m_MiniCellFont) &&
           m_TitleBGColor == o.m_TitleBGColor && m_HeadersBGColor == o.m_HeadersBGColor &&
           m_HeadersStyle == o.m_HeadersStyle && m_MiniCalBGColor == o.m_MiniCalBGColor &&
           m_MiniHeadersBGColor == o.m_MiniHeadersBGColor && m_MiniHeadersStyle == o.m_MiniHeadersStyle &&
           m_TitleShowYear == o.m_TitleShowYear && m_MiniShowYear == o.m_MiniShowYear &&
           m_LeftMargin == o.m_LeftMargin && m_TopMargin == o.m_TopMargin && m_RightMargin == o.m_RightMargin &&
           m_BottomMargin == o.m_BottomMargin && m_StartTime == o.m_StartTime &&
           m_CalendarLineLayout == o.m_CalendarLineLayout && m_MiniCalendarLineLayout == o.m_MiniCalendarLineLayout &&
           m_UserTitle == o.m_UserTitle;
}

void TCalendarPanel32::ResetToDefaults()
{
    m_UseA4Paper = false;
    m_UserTitle.clear();
    m_CalendarLayout = loFCMinisInTitleLS;
    m_StartOfWeek = 1;
    LocaleNames();
    const QDate today = QDate::currentDate();
    m_MainCalDay = today.day();
    m_MainCalMonth = today.month();
    m_MainCalYear = today.year();
    m_TitleBGColor = m_HeadersBGColor = m_MiniCalBGColor = m_MiniHeadersBGColor = clWhite;
    m_MiniHeadersFont.SetColor(clBlack);
    m_MiniHeadersStyle = dsFirstChar;
    m_TitleShowYear = m_MiniShowYear = true;
    m_LeftMargin = m_TopMargin = m_RightMargin = m_BottomMargin = 0.5;
    m_StartTime = 8.0 / 24;
    // Through the setters: a line layout that changes brings its border preset.
    SetCalendarLineLayout(llFull);
    SetMiniCalendarLineLayout(mllBoxed);
    RecalcLayout(true);
}

void TCalendarPanel32::FillMainRecord(TCalendarDrawRecord& r, float zoom) const
{
    r.BackgroundColor = clWhite;
    r.TitleBGColor = m_TitleBGColor;
    r.MinTitleHeight = int(1.5 * ScreenPpi() * zoom);
    r.Month = m_MainCalMonth;
    r.Year = m_MainCalYear;
    r.Day = m_MainCalDay;
    r.CalendarRect = Zoomed(m_Geometry.Main, zoom);
    r.NumberPosition = m_NumberPosition;
    r.StartOfWeek = m_StartOfWeek;
    r.CalendarBorder = m_CalendarBorder;
    r.TitleFont = DrawFont(m_TitleFont, zoom);
    r.TitleShowYear = m_TitleShowYear;
    r.HeadersFont = DrawFont(m_HeadersFont, zoom);
    r.HeadersBorder = m_HeadersBorder;
    r.HeadersStyle = m_HeadersStyle;
    r.HeadersBGColor = m_HeadersBGColor;
    r.CellFont = DrawFont(m_CellFont, zoom);
    r.CellBorder = m_CellBorder;
    r.MonthNames = m_PageMonthNames;
    r.DayNames = m_PageDayNames;
    r.PlannerDays = m_CalendarLayout == lo2Week ? 14 : 7;
    r.PlannerRows = m_CalendarLayout == loDay15 ? 15 : 10;
    r.StartTime = m_StartTime;
}

void TCalendarPanel32::FillMiniRecord(TCalendarDrawRecord& r, float zoom) const
{
    r.BackgroundColor = m_MiniCalBGColor;
    r.TitleBGColor = m_MiniCalBGColor;
    r.MinTitleHeight = 0;
    r.NumberPosition = cnpCenter;
    r.StartOfWeek = m_StartOfWeek;
    r.CalendarBorder = m_MiniCalBorder;
    r.TitleFont = DrawFont(m_MiniTitleFont, zoom);
    r.TitleShowYear = m_MiniShowYear;
    r.HeadersFont = DrawFont(m_MiniHeadersFont, zoom);
    r.HeadersBorder = m_MiniHeadersBorder;
    r.HeadersStyle = m_MiniHeadersStyle;
    r.HeadersBGColor = m_MiniHeadersBGColor;
    r.CellFont = DrawFont(m_MiniCellFont, zoom);
    r.CellBorder = m_MiniCellBorder;
    r.MonthNames = m_PageMonthNames;
    r.DayNames = m_PageDayNames;
}

void TCalendarPanel32::RenderCellText(QPainter& painter, TWPRtfStorage& cell, const TRect& free)
{
    if (free.IsEmpty() || cell.IsEmpty())
        return;
    const QSize size(free.Width() + 1, free.Height() + 1);
    const TWPPageRenderer renderer = TWPPageRenderer::ForTarget(size, int(Zoom() * 100));
    renderer.Render(cell.RtfText().Document(), painter,
                    QRect(QPoint(free.Left, free.Top), size));
}

void TCalendarPanel32::DrawCalendar(QImage& image, double plannerStart)
{
    QPainter painter(&image);
    FillMainRecord(m_Main, Zoom());
    m_Main.StartTime = plannerStart;
    m_Main.ClearCells();
    const bool planner = m_Geometry.IsPlanner;
    if (m_CalendarLayout == loWeek || m_CalendarLayout == lo2Week)
        DrawWeekPlanner(painter, m_Main, m_UserTitle);
    else if (planner)
        DrawDayPlanner(painter, m_Main, m_UserTitle);
    else if (m_Geometry.ShowsMonthGrid)
        DrawMonth(painter, m_Main, m_UserTitle);
    if (planner || m_Geometry.ShowsMonthGrid) {
        for (int i = 0; i < 42; ++i)
            RenderCellText(painter, *m_Cells[i], m_Main.Cells[i].Free);
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
    DrawCalendar(page, m_StartTime);
    painter.drawImage(0, 0, page);
    m_Painting = false;
}

QImage TCalendarPanel32::RenderToBitmap()
{
    QImage page(size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    DrawCalendar(page, 8.0 / 24);
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
    TGBasePanel::MouseUp(button, shift, point);
    // A click: released where it was pressed.
    if (button == Qt::LeftButton && point == m_PressPoint)
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
    if (m_CalendarLayout == loWeek || m_CalendarLayout == lo2Week)
        PrintWeekPlanner(report, main, m_UserTitle);
    else if (planner)
        PrintDayPlanner(report, main, m_UserTitle);
    else if (m_Geometry.ShowsMonthGrid)
        PrintMonth(report, main, m_UserTitle);

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
        for (int i = 0; i < 42; ++i) {
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
    // Cleared however the creation ends, also when it fails.
    const auto guard = qScopeGuard([this] { m_Creating = false; });
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
    }
}

void TCalendarPanel32::FinishCreation()
{
    SetScreenCursor(crDefault);
    SetPanelState(psPointing);
}
