// The calendar page's files: the calendar file (settings, date, start time, cells, user title,
// then the page objects) and the style sheet (the appearance settings alone).

#include "calendar/CalendarPanel32.h"

#include "objects/GGraphicControl.h"
#include "richtext/WPRtfStorage.h"
#include "stream/Reader.h"
#include "stream/StreamError.h"
#include "stream/StreamFile.h"
#include "stream/Writer.h"

#include <cmath>

namespace {

constexpr int CalendarFileVersion = 3;

void WriteFontGroup(TWriter& writer, const TFont& font)
{
    writer.WriteString(font.Name());
    writer.WriteInteger(font.Size());
    for (const TFontStyle style : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        writer.WriteBoolean(font.HasStyle(style));
    writer.WriteInteger(font.Color());
}

void ReadFontGroup(TReader& reader, TFont& font)
{
    font.SetName(reader.ReadString());
    font.SetSize(reader.ReadInteger());
    TFontStyles styles = 0;
    for (const TFontStyle style : {fsBold, fsItalic, fsUnderline, fsStrikeOut}) {
        if (reader.ReadBoolean())
            styles |= FontStyleBit(style);
    }
    font.SetStyle(styles);
    font.SetColor(reader.ReadInteger());
}

// Margins are stored in hundredths of an inch, rounded to the nearest: truncating would write
// the single-precision 1.05 as 104 and lose a hundredth on every save.
int Hundredths(double inches)
{
    return qRound(float(inches) * 100);
}

} // namespace

void TCalendarPanel32::WriteAppearance(TWriter& w)
{
    w.WriteInteger(m_UseA4Paper ? 1 : 0);
    w.WriteInteger(m_Geometry.Orientation);
    w.WriteInteger(Hundredths(m_LeftMargin));
    w.WriteInteger(Hundredths(m_TopMargin));
    w.WriteInteger(Hundredths(m_RightMargin));
    w.WriteInteger(Hundredths(m_BottomMargin));
    w.WriteInteger(m_CalendarLayout);
    w.WriteInteger(m_CalendarBorder);
    w.WriteInteger(m_CalendarLineLayout);
    for (const QString& name : std::as_const(m_PageMonthNames))
        w.WriteString(name);
    for (const QString& name : std::as_const(m_PageDayNames))
        w.WriteString(name);
    w.WriteInteger(m_TitleBGColor);
    WriteFontGroup(w, m_TitleFont);
    w.WriteBoolean(m_TitleShowYear);
    WriteFontGroup(w, m_HeadersFont);
    w.WriteInteger(m_HeadersBorder);
    w.WriteInteger(m_HeadersStyle);
    w.WriteInteger(m_HeadersBGColor);
    WriteFontGroup(w, m_CellFont);
    w.WriteInteger(m_CellBorder);
    w.WriteInteger(m_MiniCalendarLineLayout);
    w.WriteInteger(m_MiniCalBorder);
    w.WriteInteger(m_MiniCalBGColor);
    w.WriteBoolean(m_MiniShowYear);
    WriteFontGroup(w, m_MiniTitleFont);
    WriteFontGroup(w, m_MiniHeadersFont);
    w.WriteInteger(m_MiniHeadersBGColor);
    w.WriteInteger(m_MiniHeadersStyle);
    w.WriteInteger(m_MiniHeadersBorder);
    w.WriteInteger(m_MiniCellBorder);
    WriteFontGroup(w, m_MiniCellFont);
    w.WriteInteger(m_NumberPosition);
}

void TCalendarPanel32::ReadAppearance(TReader& r)
{
    // Values are stored as read: no presets, no relayout.
    m_UseA4Paper = r.ReadInteger() != 0;
    m_Geometry.Orientation = TCalendarOrientation(r.ReadInteger());
    m_LeftMargin = r.ReadInteger() * 0.01;
    m_TopMargin = r.ReadInteger() * 0.01;
    m_RightMargin = r.ReadInteger() * 0.01;
    m_BottomMargin = r.ReadInteger() * 0.01;
    m_CalendarLayout = TCalendarLayout(std::clamp(r.ReadInteger(), 0, CalendarLayoutCount - 1));
    m_CalendarBorder = TCalBorderStyle(r.ReadInteger());
    m_CalendarLineLayout = TCalendarLineLayout(r.ReadInteger());
    for (QString& name : m_PageMonthNames)
        name = r.ReadString();
    for (QString& name : m_PageDayNames)
        name = r.ReadString();
    m_TitleBGColor = r.ReadInteger();
    ReadFontGroup(r, m_TitleFont);
    m_TitleShowYear = r.ReadBoolean();
    ReadFontGroup(r, m_HeadersFont);
    m_HeadersBorder = TCalBorderStyle(r.ReadInteger());
    m_HeadersStyle = TCalHeadersStyle(r.ReadInteger());
    m_HeadersBGColor = r.ReadInteger();
    ReadFontGroup(r, m_CellFont);
    m_CellBorder = TCalBorderStyle(r.ReadInteger());
    m_MiniCalendarLineLayout = TMiniCalendarLineLayout(r.ReadInteger());
    m_MiniCalBorder = TCalBorderStyle(r.ReadInteger());
    m_MiniCalBGColor = r.ReadInteger();
    m_MiniShowYear = r.ReadBoolean();
    ReadFontGroup(r, m_MiniTitleFont);
    ReadFontGroup(r, m_MiniHeadersFont);
    m_MiniHeadersBGColor = r.ReadInteger();
    m_MiniHeadersStyle = TCalHeadersStyle(r.ReadInteger());
    m_MiniHeadersBorder = TCalBorderStyle(r.ReadInteger());
    m_MiniCellBorder = TCalBorderStyle(r.ReadInteger());
    ReadFontGroup(r, m_MiniCellFont);
    m_NumberPosition = TCalendarNumberPosition(r.ReadInteger());
}

void TCalendarPanel32::SaveToFile(const QString& fileName)
{
    WriteStreamFile(fileName, [this](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(CalendarFileVersion);
        w.WriteInteger(1);
        WriteAppearance(w);
        w.WriteInteger(m_MainCalDay);
        w.WriteInteger(m_MainCalMonth);
        w.WriteInteger(m_MainCalYear);
        w.WriteInteger(m_StartOfWeek);
        const qint64 minutes = std::llround(m_StartTime * 1440) % 1440;
        w.WriteInteger(minutes / 60);
        w.WriteInteger(minutes % 60);
        for (int i = 0; i < 42; ++i)
            w.WriteRootComponent(*m_Cells[i]);
        w.WriteString(m_UserTitle);
        w.WriteListEnd();
        w.WriteListBegin();
        for (TGGraphicControl* object : Objects())
            w.WriteRootComponent(*object);
        w.WriteListEnd();
    });
}

void TCalendarPanel32::LoadFromFile(const QString& fileName, TComponent* owner)
{
    ReadStreamFile(fileName, [this, owner](TReader& r) {
        r.ReadListBegin();
        const int version = r.ReadInteger();
        r.ReadInteger();
        ReadAppearance(r);
        m_MainCalDay = r.ReadInteger();
        m_MainCalMonth = r.ReadInteger();
        m_MainCalYear = r.ReadInteger();
        m_StartOfWeek = r.ReadInteger();
        const int hour = r.ReadInteger();
        const int minute = r.ReadInteger();
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
            throw EStreamError("Invalid argument to time encode");
        m_StartTime = (hour * 60 + minute) / 1440.0;
        for (int i = 0; i < 42; ++i)
            r.ReadRootComponent(*m_Cells[i]);
        if (version > 1)
            m_UserTitle = r.ReadString();
        r.ReadListEnd();
        if (version > 2) {
            // Objects take the first free "Component"N name of the owner; handlers that do not
            // exist here stay unassigned; a damaged object list keeps the objects read before.
            r.OnSetName = [owner](TReader&, TComponent&, QString& name) {
                for (int n = 0; n <= 1000 && owner; ++n) {
                    const QString candidate = QString("Component%1").arg(n);
                    if (!owner->FindComponent(candidate)) {
                        name = candidate;
                        return;
                    }
                }
            };
            r.OnFindMethod = [](TReader&, const QString&, bool& error) { error = false; };
            try {
                r.ReadListBegin();
                r.ReadComponents(owner, this, nullptr);
                r.ReadListEnd();
            } catch (const EStreamError&) {
            }
        }
    });
    RecalcLayout(false);
}

void TCalendarPanel32::SaveStyleSheet(const QString& fileName)
{
    WriteStreamFile(fileName, [this](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(1);
        w.WriteInteger(2);
        WriteAppearance(w);
        w.WriteListEnd();
    });
}

void TCalendarPanel32::LoadStyleSheet(const QString& fileName)
{
    ReadStreamFile(fileName, [this](TReader& r) {
        r.ReadListBegin();
        r.ReadInteger();
        r.ReadInteger();
        ReadAppearance(r);
        r.ReadListEnd();
    });
}
