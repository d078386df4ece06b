#include "effects/FlatCalendarDrawing.h"

#include "platform/Lines.h"

#include <QDate>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <array>
#include <cstdlib>

namespace {

struct TLanguageNames {
    std::array<const char16_t*, 12> Months;
    std::array<const char16_t*, 7> Days;
};

// By TFlatCalLanguage. The German Friday carries a trailing blank, which takes part in the
// centring of whole-word headers.
const std::array<TLanguageNames, 5> LanguageNames{{
    {{u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
      u"November", u"December"},
     {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"}},
    {{u"Januar", u"Februar", u"M\u00e4rz", u"April", u"Mai", u"Juni", u"Juli", u"August", u"September", u"Oktober",
      u"November", u"Dezember"},
     {u"Sonntag", u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag ", u"Samstag"}},
    {{u"Janvier", u"F\u00e9vrier", u"Mars", u"Avril", u"Mai", u"Juin", u"Juillet", u"Ao\u00fbt", u"Septembre",
      u"Octobre", u"Novembre", u"D\u00e9cembre"},
     {u"Dimanche", u"Lundi", u"Mardi", u"Mercredi", u"Jeudi", u"Vendredi", u"Samedi"}},
    {{u"Gennaio", u"Febbraio", u"Marzo", u"Aprile", u"Maggio", u"Giugno", u"Luglio", u"Agosto", u"Settembre",
      u"Ottobre", u"Novembre", u"Dicembre"},
     {u"Domenica", u"Luned\u00ec", u"Marted\u00ec", u"Mercoled\u00ec", u"Gioved\u00ec", u"Venerd\u00ec", u"Sabato"}},
    {{u"Enero", u"Febrero", u"Marzo", u"Abril", u"Mayo", u"Junio", u"Julio", u"Agosto", u"Septiembre", u"Octubre",
      u"Noviembre", u"Diciembre"},
     {u"Domingo", u"Lunes", u"Martes", u"Mi\u00e9rcoles", u"Jueves", u"Viernes", u"S\u00e1bado"}},
}};

const TLanguageNames& NamesOf(TFlatCalLanguage language)
{
    const int index = language >= fclEnglish && language <= fclSpanish ? language : fclEnglish;
    return LanguageNames[size_t(index)];
}

TFont FontOf(const TFlatCalDrawFont& font)
{
    TFont described;
    described.SetName(font.Name);
    described.SetSize(font.Size);
    described.SetStyle(font.Style);
    return described;
}

// Makes `font` the canvas's font and pen; returns its metrics for placing text.
QFontMetrics SelectFont(QPainter& canvas, const TFlatCalDrawFont& font)
{
    const QFont qfont = FontOf(font).ToQFont();
    canvas.setFont(qfont);
    canvas.setPen(ColorToQColor(font.Color));
    return QFontMetrics(qfont);
}

void FillRect(QPainter& canvas, const TRect& rect, TColor color)
{
    if (!rect.IsEmpty())
        canvas.fillRect(rect.ToQRect(), ColorToQColor(color));
}

// Single line, centred both ways, on a transparent background, clipped to `rect`. Placed from
// the font's metrics rather than by QPainter's formatted text, which lays out every call anew:
// a page of mini calendars draws hundreds of these.
void DrawCentred(QPainter& canvas, const QFontMetrics& metrics, const TRect& rect, const QString& text)
{
    if (rect.IsEmpty())
        return;
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const QPoint baseline(rect.Left + (rect.Width() - width) / 2,
                          rect.Top + (rect.Height() - height) / 2 + metrics.ascent());
    if (width <= rect.Width() && height <= rect.Height()) {
        canvas.drawText(baseline, text);
        return;
    }
    canvas.save();
    canvas.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    canvas.drawText(baseline, text);
    canvas.restore();
}

// The day numbers of one font, laid out once: every paint of every calendar draws them again.
// Kept for the fonts in use; a page shows a handful, and the cache starts over if it grows.
class TDayNumbers {
public:
    explicit TDayNumbers(const QFont& font)
        : m_Metrics(font)
    {
        static QHash<QString, QList<QStaticText>> cache;
        const QString key = font.key();
        auto found = cache.constFind(key);
        if (found == cache.constEnd()) {
            if (cache.size() > 64)
                cache.clear();
            QList<QStaticText> numbers;
            for (int day = 1; day <= 31; ++day) {
                QStaticText number(QString::number(day));
                number.setTextFormat(Qt::PlainText);
                number.prepare(QTransform(), font);
                numbers += number;
            }
            found = cache.insert(key, numbers);
        }
        m_Numbers = *found;
    }

    // Day `day` centred in `rect` as DrawCentred places a text.
    void Draw(QPainter& canvas, const TRect& rect, int day) const
    {
        if (rect.IsEmpty())
            return;
        const QStaticText& number = m_Numbers[day - 1];
        const QString text = number.text();
        int width = 0;
        for (const QChar digit : text)
            width += m_Metrics.horizontalAdvance(digit);
        const int height = m_Metrics.height();
        const QPoint topLeft(rect.Left + (rect.Width() - width) / 2, rect.Top + (rect.Height() - height) / 2);
        const bool fits = width <= rect.Width() && height <= rect.Height();
        if (!fits) {
            canvas.save();
            canvas.setClipRect(rect.ToQRect(), Qt::IntersectClip);
        }
        canvas.drawStaticText(topLeft, number);
        if (!fits)
            canvas.restore();
    }

private:
    QFontMetrics m_Metrics;
    QList<QStaticText> m_Numbers;
};

void DrawBorder(QPainter& canvas, const TRect& r, TFlatCalBorderStyle style)
{
    if (style == fcbAll) {
        // Each line starts where the last left its end undrawn, so every corner is covered.
        DrawLine(canvas, {r.Left, r.Top}, {r.Right, r.Top});
        DrawLine(canvas, {r.Right, r.Top}, {r.Right, r.Bottom});
        DrawLine(canvas, {r.Right, r.Bottom}, {r.Left, r.Bottom});
        DrawLine(canvas, {r.Left, r.Bottom}, {r.Left, r.Top});
        return;
    }
    if (style == fcbTop || style == fcbTopBottom)
        DrawLine(canvas, {r.Left, r.Top}, {r.Right, r.Top});
    if (style == fcbBottom || style == fcbTopBottom)
        DrawLine(canvas, {r.Left, r.Bottom}, {r.Right, r.Bottom});
}

// The grid of the body: row lines first..last, and the column lines with fcbAll.
void DrawGrid(QPainter& canvas, const TFlatCalendarDrawRecord& record, const TFlatCalendarBands& bands)
{
    const TRect& r = record.CalendarRect;
    const int xr = r.Right - 1;
    const int yb = r.Bottom - 1;
    int first = 0;
    int last = -1;
    switch (record.CellBorder) {
    case fcbNone: break;
    case fcbAll:
        first = 0;
        last = 6;
        break;
    case fcbTop:
        first = 0;
        last = 5;
        break;
    case fcbBottom:
        first = 1;
        last = 6;
        break;
    case fcbTopBottom:
        first = 0;
        last = 6;
        break;
    }
    for (int k = first; k <= last; ++k) {
        const int y = k == 6 ? yb : bands.HeaderBottom + k * bands.RowHeight;
        DrawLine(canvas, {r.Left, y}, {xr, y});
    }
    if (record.CellBorder != fcbAll)
        return;
    for (int k = 0; k <= 7; ++k) {
        const int x = k == 7 ? xr : r.Left + k * bands.ColumnWidth;
        DrawLine(canvas, {x, bands.HeaderBottom}, {x, yb});
    }
}

} // namespace

QStringList FlatCalendarMonthNames(TFlatCalLanguage language)
{
    QStringList names;
    for (const char16_t* name : NamesOf(language).Months)
        names += QString::fromUtf16(name);
    return names;
}

QStringList FlatCalendarDayNames(TFlatCalLanguage language)
{
    QStringList names;
    for (const char16_t* name : NamesOf(language).Days)
        names += QString::fromUtf16(name);
    return names;
}

std::optional<int> FlatCalendarFirstColumn(int month, int year, int startOfWeek)
{
    if (month < 1 || month > 12 || year < 1 || year > 9999)
        return std::nullopt;
    // Qt counts Monday 1 .. Sunday 7; the calendar counts Sunday 1 .. Saturday 7.
    const int weekday = QDate(year, month, 1).dayOfWeek() % 7 + 1;
    if (startOfWeek == 1)
        return weekday;
    return weekday == 1 ? 7 : weekday - 1;
}

int FlatCalendarDaysInMonth(int month, int year)
{
    static constexpr std::array<int, 12> Days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return Days[size_t(month - 1)] + (month == 2 && leap ? 1 : 0);
}

int FlatCalendarDayAt(int row, int column, int firstColumn, int daysInMonth)
{
    const int day = 7 * row + column + 2 - firstColumn;
    return day >= 1 && day <= daysInMonth ? day : 0;
}

QString FlatCalendarHeader(const TFlatCalendarDrawRecord& record, int column)
{
    // Sunday first, or Monday first with Sunday in the last column.
    int entry = column;
    if (record.StartOfWeek != 1)
        entry = column < 6 ? column + 1 : 0;
    const QString name = record.DayNames.value(entry);
    switch (record.DayNameStyle) {
    case fdsFirstChar: return name.left(1);
    case fdsThreeChars: return name.left(3);
    case fdsWhole: return name;
    }
    return name;
}

TFlatCalendarBands FlatCalendarBands(const TFlatCalendarDrawRecord& record)
{
    const TRect& r = record.CalendarRect;
    const int xr = r.Right - 1;
    const int yb = r.Bottom - 1;
    TFlatCalendarBands bands;
    bands.TitleBottom = r.Top + int((yb - r.Top) * 0.17);
    const int textHeight = QFontMetrics(FontOf(record.TitleFont).ToQFont()).height();
    if (textHeight > bands.TitleBottom - r.Top)
        bands.TitleBottom = r.Top + textHeight;
    bands.ColumnWidth = (xr - r.Left) / 7;
    bands.HeaderBottom = bands.TitleBottom + int(std::abs(FontOf(record.DayNameFont).Height()) * 1.5);
    bands.RowHeight = (yb - bands.HeaderBottom) / 6;
    return bands;
}

void DrawFlatCalendar(QPainter& canvas, const TFlatCalendarDrawRecord& record)
{
    const std::optional<int> firstColumn = FlatCalendarFirstColumn(record.Month, record.Year, record.StartOfWeek);
    if (!firstColumn)
        return;
    const int days = FlatCalendarDaysInMonth(record.Month, record.Year);
    const TRect& r = record.CalendarRect;
    const int xr = r.Right - 1;
    const int yb = r.Bottom - 1;
    const TFlatCalendarBands bands = FlatCalendarBands(record);
    const int tB = bands.TitleBottom;
    const int hB = bands.HeaderBottom;
    const int cw = bands.ColumnWidth;
    const int rh = bands.RowHeight;

    canvas.save();
    canvas.setBrush(Qt::NoBrush);
    if (!record.Transparent) {
        FillRect(canvas, r, clWhite);
        FillRect(canvas, {r.Left, r.Top, r.Right, tB}, record.TitleBGColor);
    }

    const QFontMetrics titleMetrics = SelectFont(canvas, record.TitleFont);
    QString title = record.MonthNames.value(record.Month - 1);
    if (record.ShowYear)
        title += ' ' + QString::number(record.Year);
    DrawCentred(canvas, titleMetrics, {r.Left, r.Top, xr, tB}, title);

    if (!record.Transparent) {
        FillRect(canvas, {r.Left, tB, xr, hB + 1}, record.DayNameBGColor);
        FillRect(canvas, {r.Left, hB, r.Right, r.Bottom}, record.BackgroundColor);
    }
    // One device pixel whatever the zoom or the scaling of a print picture.
    const QPen linePen(Qt::black, 0);
    canvas.setPen(linePen);
    DrawBorder(canvas, {r.Left, tB, xr, hB}, record.DayNameBorder);

    const QFontMetrics dayNameMetrics = SelectFont(canvas, record.DayNameFont);
    for (int c = 0; c < 7; ++c)
        DrawCentred(canvas, dayNameMetrics, {r.Left + c * cw + 1, tB, r.Left + c * cw + cw - 1, hB},
                    FlatCalendarHeader(record, c));

    canvas.setPen(linePen);
    DrawGrid(canvas, record, bands);

    SelectFont(canvas, record.CellFont);
    const TDayNumbers numbers(canvas.font());
    for (int row = 0; row < 6; ++row) {
        for (int c = 0; c < 7; ++c) {
            const int day = FlatCalendarDayAt(row, c, *firstColumn, days);
            if (day == 0)
                continue;
            numbers.Draw(canvas, {r.Left + c * cw + 1, hB + row * rh + 1, r.Left + c * cw + cw - 1, hB + row * rh + rh},
                         day);
        }
    }

    canvas.setPen(linePen);
    DrawBorder(canvas, {r.Left, r.Top, xr, yb}, record.CalendarBorder);
    canvas.restore();
}
