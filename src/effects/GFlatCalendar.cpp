#include "effects/GFlatCalendar.h"

#include "effects/FlatCalendarEditor.h"
#include "objects/GBasePanel.h"
#include "platformui/UiServices.h"

#include <QDate>
#include <QMenu>
#include <QPainter>

namespace {

const QStringList FlatBorderStyleNames{"fcbNone", "fcbAll", "fcbTop", "fcbBottom", "fcbTopBottom"};
const QStringList HeadersStyleNames{"fdsFirstChar", "fdsThreeChars", "fdsWhole"};
const QStringList ShadowPositionNames{"fcpLowerRight", "fcpLowerLeft", "fcpUpperRight", "fcpUpperLeft"};
const QStringList LanguageValueNames{"fclEnglish", "fclGerman", "fclFrench", "fclItalian", "fclSpanish"};

void InitFont(TFont& font, int size)
{
    font.SetName("Arial");
    font.SetSize(size);
    font.SetColor(clWindowText);
    font.SetStyle(0);
}

TFlatCalDrawFont DrawFont(const TFont& font, float zoom)
{
    return {font.Name(), int(float(font.Size()) * zoom), font.Style(), font.Color()};
}

} // namespace

TGFlatCalendar::TGFlatCalendar(TComponent* owner)
    : TGGraphicControl(owner)
{
    const QDate today = QDate::currentDate();
    m_Month = today.month();
    m_Year = today.year();
    InitFont(m_TitleFont, 8);
    InitFont(m_DayNameFont, 8);
    InitFont(m_CellFont, 7);
    for (TFont* font : {&m_TitleFont, &m_DayNameFont, &m_CellFont})
        font->OnChange = [this] { FontChanged(); };
}

void TGFlatCalendar::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    // A one-byte subrange 1..7 in files; the setter takes 1 and 2 only.
    list.AddInteger(
            "StartOfWeek", [this] { return m_StartOfWeek; }, [this](qint64 v) { SetStartOfWeek(int(v)); }, NoDefault)
        .Range(1, 7);
    list.AddInteger(
        "Month", [this] { return m_Month; }, [this](qint64 v) { SetMonth(int(v)); }, NoDefault);
    list.AddInteger(
        "Year", [this] { return m_Year; }, [this](qint64 v) { SetYear(int(v)); }, NoDefault);
    list.AddObject("TitleFont", m_TitleFont);
    list.AddObject("DayNameFont", m_DayNameFont);
    list.AddObject("CellFont", m_CellFont);
    list.AddBoolean(
        "ShowYear", [this] { return m_ShowYear; }, [this](bool v) { SetShowYear(v); }, NoDefault);
    list.AddIdentInteger(
        "DayNameBGColor", ColorIdents(), [this] { return m_DayNameBGColor; },
        [this](qint64 v) { SetDayNameBGColor(TColor(v)); }, NoDefault);
    list.AddEnumeration(
        "CalendarBorderStyle", FlatBorderStyleNames, [this] { return m_CalendarBorderStyle; },
        [this](qint64 v) { SetCalendarBorderStyle(TFlatCalBorderStyle(v)); }, NoDefault);
    list.AddEnumeration(
        "DayNameBorderStyle", FlatBorderStyleNames, [this] { return m_DayNameBorderStyle; },
        [this](qint64 v) { SetDayNameBorderStyle(TFlatCalBorderStyle(v)); }, NoDefault);
    list.AddEnumeration(
        "CellBorderStyle", FlatBorderStyleNames, [this] { return m_CellBorderStyle; },
        [this](qint64 v) { SetCellBorderStyle(TFlatCalBorderStyle(v)); }, NoDefault);
    list.AddEnumeration(
        "DayNameStyle", HeadersStyleNames, [this] { return m_DayNameStyle; },
        [this](qint64 v) { SetDayNameStyle(TFlatCalHeadersStyle(v)); }, NoDefault);
    list.AddIdentInteger(
        "TitleBGcolor", ColorIdents(), [this] { return m_TitleBGcolor; },
        [this](qint64 v) { SetTitleBGcolor(TColor(v)); }, NoDefault);
    list.AddIdentInteger(
        "Backgroundcolor", ColorIdents(), [this] { return m_Backgroundcolor; },
        [this](qint64 v) { SetBackgroundcolor(TColor(v)); }, NoDefault);
    list.AddIdentInteger(
        "ShadowColor", ColorIdents(), [this] { return m_ShadowColor; }, [this](qint64 v) { SetShadowColor(TColor(v)); },
        NoDefault);
    list.AddInteger(
        "ShadowDepth", [this] { return m_ShadowDepth; }, [this](qint64 v) { SetShadowDepth(int(v)); }, NoDefault);
    list.AddEnumeration(
        "ShadowPosition", ShadowPositionNames, [this] { return m_ShadowPosition; },
        [this](qint64 v) { SetShadowPosition(TFlatShadowPosition(v)); }, NoDefault);
    list.AddEnumeration(
        "Language", LanguageValueNames, [this] { return m_Language; },
        [this](qint64 v) { SetLanguage(TFlatCalLanguage(v)); }, NoDefault);
    list.AddBoolean(
        "CalTransparent", [this] { return m_CalTransparent; }, [this](bool v) { SetCalTransparent(v); }, NoDefault);
}

void TGFlatCalendar::FillObjectMenu(QMenu& menu)
{
    TGGraphicControl::FillObjectMenu(menu);
    menu.addSeparator();
    AddMenuItem(menu, "Properties", [this] { Properties(); });
}

void TGFlatCalendar::FontChanged()
{
    update();
    if (!IsLoading() && !IsReading())
        NotifyChanged();
}

void TGFlatCalendar::SetStartOfWeek(int value)
{
    if (value == 1 || value == 2)
        StoreProperty(m_StartOfWeek, value);
}

void TGFlatCalendar::SetMonth(int value)
{
    StoreProperty(m_Month, value);
}

void TGFlatCalendar::SetYear(int value)
{
    StoreProperty(m_Year, value);
}

void TGFlatCalendar::SetTitleFont(const TFont* font)
{
    if (font)
        m_TitleFont.Assign(*font);
}

void TGFlatCalendar::SetDayNameFont(const TFont* font)
{
    if (font)
        m_DayNameFont.Assign(*font);
}

void TGFlatCalendar::SetCellFont(const TFont* font)
{
    if (font)
        m_CellFont.Assign(*font);
}

void TGFlatCalendar::SetShowYear(bool value)
{
    StoreProperty(m_ShowYear, value);
}

void TGFlatCalendar::SetDayNameBGColor(TColor value)
{
    StoreProperty(m_DayNameBGColor, value);
}

void TGFlatCalendar::SetCalendarBorderStyle(TFlatCalBorderStyle value)
{
    StoreProperty(m_CalendarBorderStyle, value);
}

void TGFlatCalendar::SetDayNameBorderStyle(TFlatCalBorderStyle value)
{
    StoreProperty(m_DayNameBorderStyle, value);
}

void TGFlatCalendar::SetCellBorderStyle(TFlatCalBorderStyle value)
{
    StoreProperty(m_CellBorderStyle, value);
}

void TGFlatCalendar::SetDayNameStyle(TFlatCalHeadersStyle value)
{
    StoreProperty(m_DayNameStyle, value);
}

void TGFlatCalendar::SetTitleBGcolor(TColor value)
{
    StoreProperty(m_TitleBGcolor, value);
}

void TGFlatCalendar::SetBackgroundcolor(TColor value)
{
    StoreProperty(m_Backgroundcolor, value);
}

void TGFlatCalendar::SetShadowColor(TColor value)
{
    StoreProperty(m_ShadowColor, value);
}

void TGFlatCalendar::SetShadowDepth(int value)
{
    if (value <= MaxShadowDepth)
        StoreProperty(m_ShadowDepth, value);
}

void TGFlatCalendar::SetShadowPosition(TFlatShadowPosition value)
{
    StoreProperty(m_ShadowPosition, value);
}

void TGFlatCalendar::SetLanguage(TFlatCalLanguage value)
{
    StoreProperty(m_Language, value);
}

void TGFlatCalendar::SetCalTransparent(bool value)
{
    StoreProperty(m_CalTransparent, value);
}

void TGFlatCalendar::AssignAppearance(const TGFlatCalendar& source)
{
    SetMonth(source.Month());
    SetYear(source.Year());
    SetTitleFont(&source.TitleFont());
    SetDayNameFont(&source.DayNameFont());
    SetCellFont(&source.CellFont());
    SetDayNameBGColor(source.DayNameBGColor());
    SetTitleBGcolor(source.TitleBGcolor());
    SetBackgroundcolor(source.Backgroundcolor());
    SetCalendarBorderStyle(source.CalendarBorderStyle());
    SetDayNameBorderStyle(source.DayNameBorderStyle());
    SetCellBorderStyle(source.CellBorderStyle());
    SetShadowColor(source.ShadowColor());
    SetShadowDepth(source.ShadowDepth());
    SetShadowPosition(source.ShadowPosition());
    SetDayNameStyle(source.DayNameStyle());
    SetShowYear(source.ShowYear());
    SetLanguage(source.Language());
    SetStartOfWeek(source.StartOfWeek());
    SetCalTransparent(source.CalTransparent());
}

void TGFlatCalendar::Properties()
{
    TFlatCalendarEditor editor(parentWidget() ? window() : nullptr);
    TGFlatCalendar& sample = editor.Sample();
    sample.AssignAppearance(*this);
    const float zoom = Zoom();
    sample.SetBounds(0, 0, int(float(Width()) / zoom), int(float(Height()) / zoom));
    if (UiServices().ExecDialog(editor) != QDialog::Accepted)
        return;
    AssignAppearance(sample);
    update();
    NotifyChanged();
}

QRect TGFlatCalendar::ShadowRect(QSize size, float zoom) const
{
    if (m_ShadowDepth < 1 || m_CalTransparent)
        return {};
    const int d = int(float(m_ShadowDepth) * zoom);
    const int w = size.width();
    const int h = size.height();
    switch (m_ShadowPosition) {
    case fcpLowerRight: return QRect(QPoint(d, d), QPoint(w, h));
    case fcpLowerLeft: return QRect(QPoint(0, d), QPoint(w - d, h));
    case fcpUpperRight: return QRect(QPoint(d, 0), QPoint(w, h - d));
    case fcpUpperLeft: return QRect(QPoint(0, 0), QPoint(w - d, h - d));
    }
    return {};
}

TFlatCalendarDrawRecord TGFlatCalendar::DrawRecord(QSize size, float zoom) const
{
    TFlatCalendarDrawRecord record;
    record.BackgroundColor = m_Backgroundcolor;
    record.TitleBGColor = m_TitleBGcolor;
    record.Month = m_Month;
    record.Year = m_Year;
    const int w = size.width();
    const int h = size.height();
    record.CalendarRect = {0, 0, w, h};
    if (m_ShadowDepth >= 1 && !m_CalTransparent) {
        const int d = int(float(m_ShadowDepth) * zoom);
        switch (m_ShadowPosition) {
        case fcpLowerRight: record.CalendarRect = {0, 0, w - d, h - d}; break;
        case fcpLowerLeft: record.CalendarRect = {d, 0, w, h - d}; break;
        case fcpUpperRight: record.CalendarRect = {0, d, w - d, h}; break;
        case fcpUpperLeft: record.CalendarRect = {d, d, w, h}; break;
        }
    }
    record.StartOfWeek = m_StartOfWeek;
    record.CalendarBorder = m_CalendarBorderStyle;
    record.TitleFont = DrawFont(m_TitleFont, zoom);
    record.ShowYear = m_ShowYear;
    record.DayNameFont = DrawFont(m_DayNameFont, zoom);
    record.DayNameBorder = m_DayNameBorderStyle;
    record.DayNameStyle = m_DayNameStyle;
    record.DayNameBGColor = m_DayNameBGColor;
    record.CellFont = DrawFont(m_CellFont, zoom);
    record.CellBorder = m_CellBorderStyle;
    record.MonthNames = FlatCalendarMonthNames(m_Language);
    record.DayNames = FlatCalendarDayNames(m_Language);
    record.Transparent = m_CalTransparent;
    return record;
}

void TGFlatCalendar::Draw(QPainter& canvas, QSize size, float zoom) const
{
    const TFlatCalendarDrawRecord record = DrawRecord(size, zoom);
    // A month without a date (only a hand-edited file holds one) draws nothing at all.
    if (!FlatCalendarFirstColumn(record.Month, record.Year, record.StartOfWeek))
        return;
    if (const QRect shadow = ShadowRect(size, zoom); !shadow.isNull())
        canvas.fillRect(shadow, ColorToQColor(m_ShadowColor));
    DrawFlatCalendar(canvas, record);
}

void TGFlatCalendar::Paint(QPainter& painter)
{
    if (TGBasePanel* host = Host(); host && host->PaintingSuspended())
        return;
    Draw(painter, size(), Zoom());
}

void TGFlatCalendar::PrintTo(TReportPrinter& report, double x, double y)
{
    const QSize size = DocumentBounds().size();
    PrintRecorded(report, x, y, size, [this, size](QPainter& painter) { Draw(painter, size, 1.0f); });
}
