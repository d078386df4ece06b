#include "calendar/CalendarSettings.h"

#include "calendar/CalendarDates.h"
#include "stream/Reader.h"
#include "stream/StreamErrors.h"
#include "stream/Writer.h"

#include <QLocale>
#include <cmath>

TPageFont::TPageFont(const QString& name, int size, bool bold, TColor color)
{
    SetName(name);
    SetSize(size);
    SetStyle(bold ? FontStyleBit(fsBold) : 0);
    SetColor(color);
}

TPageFont::TPageFont(const TPageFont& other)
    : TFont()
{
    Assign(other);
}

TPageFont& TPageFont::operator=(const TPageFont& other)
{
    Assign(other);
    return *this;
}

namespace {

constexpr TFontStyle FileFontStyles[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};

[[noreturn]] void Refuse()
{
    throw EMervaneError(StreamErrors::InvalidPropertyValue);
}

int ReadRange(TReader& reader, int min, int max)
{
    const int value = reader.ReadInteger();
    if (value < min || value > max)
        Refuse();
    return value;
}

// Margins are stored in hundredths of an inch, rounded to the nearest: truncating would write
// the single-precision 1.05 as 104 and lose a hundredth on every save.
int Hundredths(double inches)
{
    return qRound(float(inches) * 100);
}

// The appearance block in file order; one routine serves writing and reading, so that a field
// cannot be written in one order and read in another.
class TAppearanceWriter {
public:
    explicit TAppearanceWriter(TWriter& writer)
        : m_Writer(writer)
    {
    }
    void Flag(bool value) { m_Writer.WriteInteger(value ? 1 : 0); }
    void Boolean(bool value) { m_Writer.WriteBoolean(value); }
    template <class E>
    void Enum(E value, E /*last*/)
    {
        m_Writer.WriteInteger(value);
    }
    void Margin(double inches) { m_Writer.WriteInteger(Hundredths(inches)); }
    void Color(TColor color) { m_Writer.WriteInteger(color); }
    void Names(const QStringList& names)
    {
        for (const QString& name : names)
            m_Writer.WriteString(name);
    }
    void Font(const TFont& font)
    {
        m_Writer.WriteString(font.Name());
        m_Writer.WriteInteger(font.Size());
        for (const TFontStyle style : FileFontStyles)
            m_Writer.WriteBoolean(font.HasStyle(style));
        m_Writer.WriteInteger(font.Color());
    }

private:
    TWriter& m_Writer;
};

class TAppearanceReader {
public:
    explicit TAppearanceReader(TReader& reader)
        : m_Reader(reader)
    {
    }
    void Flag(bool& value) { value = m_Reader.ReadInteger() != 0; }
    void Boolean(bool& value) { value = m_Reader.ReadBoolean(); }
    template <class E>
    void Enum(E& value, E last)
    {
        value = E(ReadRange(m_Reader, 0, last));
    }
    void Margin(double& inches) { inches = ReadRange(m_Reader, 0, int(CalendarLimits::MaxMarginInch * 100)) * 0.01; }
    // Any value is a colour: system colours, palette entries and RGB values all draw.
    void Color(TColor& color) { color = m_Reader.ReadInteger(); }
    void Names(QStringList& names)
    {
        for (QString& name : names)
            name = m_Reader.ReadString();
    }
    void Font(TFont& font)
    {
        const QString name = m_Reader.ReadString();
        if (name.isEmpty())
            Refuse();
        font.SetName(name);
        font.SetSize(ReadRange(m_Reader, CalendarLimits::MinFontSize, CalendarLimits::MaxFontSize));
        TFontStyles styles = 0;
        for (const TFontStyle style : FileFontStyles) {
            if (m_Reader.ReadBoolean())
                styles |= FontStyleBit(style);
        }
        font.SetStyle(styles);
        font.SetColor(m_Reader.ReadInteger());
    }

private:
    TReader& m_Reader;
};

template <class Settings, class Block>
void AppearanceFields(Settings& s, Block& b)
{
    b.Flag(s.UseA4Paper);
    b.Enum(s.Orientation, coLandscape);
    b.Margin(s.LeftMargin);
    b.Margin(s.TopMargin);
    b.Margin(s.RightMargin);
    b.Margin(s.BottomMargin);
    b.Enum(s.CalendarLayout, loDay15);
    b.Enum(s.CalendarBorder, cbTopBottom);
    b.Enum(s.CalendarLineLayout, llCellsOnly);
    b.Names(s.MonthNames);
    b.Names(s.DayNames);
    b.Color(s.TitleBGColor);
    b.Font(s.TitleFont);
    b.Boolean(s.TitleShowYear);
    b.Font(s.HeadersFont);
    b.Enum(s.HeadersBorder, cbTopBottom);
    b.Enum(s.HeadersStyle, dsWhole);
    b.Color(s.HeadersBGColor);
    b.Font(s.CellFont);
    b.Enum(s.CellBorder, cbTopBottom);
    b.Enum(s.MiniCalendarLineLayout, mllMinimal);
    b.Enum(s.MiniCalBorder, cbTopBottom);
    b.Color(s.MiniCalBGColor);
    b.Boolean(s.MiniShowYear);
    b.Font(s.MiniTitleFont);
    b.Font(s.MiniHeadersFont);
    b.Color(s.MiniHeadersBGColor);
    b.Enum(s.MiniHeadersStyle, dsWhole);
    b.Enum(s.MiniHeadersBorder, cbTopBottom);
    b.Enum(s.MiniCellBorder, cbTopBottom);
    b.Font(s.MiniCellFont);
    b.Enum(s.NumberPosition, cnpUpperRight);
}

} // namespace

TCalendarSettings::TCalendarSettings()
{
    SetLocaleNames();
}

void TCalendarSettings::SetLocaleNames()
{
    // The stand-alone forms: a title or header shows the name on its own, and in many languages
    // the other form is the one that follows a day number ("stycznia" beside "styczeń").
    const QLocale locale;
    MonthNames.clear();
    DayNames.clear();
    for (int m = 1; m <= 12; ++m)
        MonthNames += locale.standaloneMonthName(m, QLocale::LongFormat);
    for (int d = 0; d < 7; ++d)
        DayNames += locale.standaloneDayName(d == 0 ? 7 : d, QLocale::LongFormat);
}

void TCalendarSettings::SetCalendarLineLayout(TCalendarLineLayout value)
{
    if (value == CalendarLineLayout)
        return;
    CalendarLineLayout = value;
    // calendar, headers, cells
    static constexpr TCalBorderStyle Presets[3][3] = {
        {cbAll, cbAll, cbAll}, {cbNone, cbAll, cbAll}, {cbNone, cbNone, cbAll}};
    CalendarBorder = Presets[value][0];
    HeadersBorder = Presets[value][1];
    CellBorder = Presets[value][2];
}

void TCalendarSettings::SetMiniCalendarLineLayout(TMiniCalendarLineLayout value)
{
    if (value == MiniCalendarLineLayout)
        return;
    MiniCalendarLineLayout = value;
    // calendar, cells, headers
    static constexpr TCalBorderStyle Presets[3][3] = {
        {cbAll, cbAll, cbAll}, {cbAll, cbNone, cbTopBottom}, {cbNone, cbNone, cbTop}};
    MiniCalBorder = Presets[value][0];
    MiniCellBorder = Presets[value][1];
    MiniHeadersBorder = Presets[value][2];
}

std::array<TPageFont*, 6> TCalendarSettings::Fonts()
{
    return {&TitleFont, &HeadersFont, &CellFont, &MiniTitleFont, &MiniHeadersFont, &MiniCellFont};
}

std::array<const TPageFont*, 6> TCalendarSettings::Fonts() const
{
    return {&TitleFont, &HeadersFont, &CellFont, &MiniTitleFont, &MiniHeadersFont, &MiniCellFont};
}

void TCalendarSettings::AssignPageSettings(const TCalendarSettings& other)
{
    const TCalendarSettings kept = *this;
    *this = other;
    TakeUnshared(kept);
    CalendarLineLayout = kept.CalendarLineLayout;
    MiniCalendarLineLayout = kept.MiniCalendarLineLayout;
    SetCalendarLineLayout(other.CalendarLineLayout);
    SetMiniCalendarLineLayout(other.MiniCalendarLineLayout);
}

bool TCalendarSettings::SamePageSettings(const TCalendarSettings& other) const
{
    // What is not compared is taken from `other`, then everything is.
    TCalendarSettings mine = *this;
    mine.TakeUnshared(other);
    const auto theirFonts = other.Fonts();
    const auto myFonts = mine.Fonts();
    for (size_t i = 0; i < myFonts.size(); ++i)
        myFonts[i]->SetHeight(theirFonts[i]->Height());
    return mine == other;
}

void TCalendarSettings::TakeUnshared(const TCalendarSettings& from)
{
    Orientation = from.Orientation;
    NumberPosition = from.NumberPosition;
    CalendarBorder = from.CalendarBorder;
    HeadersBorder = from.HeadersBorder;
    CellBorder = from.CellBorder;
    MiniCalBorder = from.MiniCalBorder;
    MiniHeadersBorder = from.MiniHeadersBorder;
    MiniCellBorder = from.MiniCellBorder;
}

void TCalendarSettings::ResetForNewCalendar(const QDate& today)
{
    UseA4Paper = false;
    UserTitle.clear();
    CalendarLayout = loFCMinisInTitleLS;
    StartOfWeek = 1;
    SetLocaleNames();
    MainCalDay = today.day();
    MainCalMonth = today.month();
    MainCalYear = today.year();
    TitleBGColor = HeadersBGColor = MiniCalBGColor = MiniHeadersBGColor = clWhite;
    MiniHeadersFont.SetColor(clBlack);
    MiniHeadersStyle = dsFirstChar;
    TitleShowYear = MiniShowYear = true;
    LeftMargin = TopMargin = RightMargin = BottomMargin = 0.5;
    StartTime = 8.0 / 24;
    SetCalendarLineLayout(llFull);
    SetMiniCalendarLineLayout(mllBoxed);
}

void TCalendarSettings::WriteAppearance(TWriter& writer) const
{
    TAppearanceWriter block(writer);
    AppearanceFields(*this, block);
}

void TCalendarSettings::ReadAppearance(TReader& reader)
{
    TAppearanceReader block(reader);
    AppearanceFields(*this, block);
}

void TCalendarSettings::WriteDateAndTime(TWriter& w) const
{
    w.WriteInteger(MainCalDay);
    w.WriteInteger(MainCalMonth);
    w.WriteInteger(MainCalYear);
    w.WriteInteger(StartOfWeek);
    const qint64 minutes = std::llround(StartTime * 1440) % 1440;
    w.WriteInteger(minutes / 60);
    w.WriteInteger(minutes % 60);
}

void TCalendarSettings::ReadDateAndTime(TReader& r)
{
    const int day = r.ReadInteger();
    const int month = r.ReadInteger();
    const int year = r.ReadInteger();
    if (!IsValidDate(day, month, year))
        Refuse();
    MainCalDay = day;
    MainCalMonth = month;
    MainCalYear = year;
    StartOfWeek = r.ReadInteger();
    if (!IsValidStartOfWeek(StartOfWeek))
        Refuse();
    const int hour = r.ReadInteger();
    const int minute = r.ReadInteger();
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        throw EMervaneError("Invalid argument to time encode");
    StartTime = (hour * 60 + minute) / 1440.0;
}

bool TCalendarSettings::IsValidDate(int day, int month, int year)
{
    return year >= CalendarLimits::MinYear && year <= CalendarLimits::MaxYear && month >= 1 && month <= 12 &&
           day >= 0 && day <= DaysInMonth(month, year);
}

bool TCalendarSettings::IsValidMargin(double inches)
{
    return inches >= 0 && inches <= CalendarLimits::MaxMarginInch;
}
