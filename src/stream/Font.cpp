#include "stream/Font.h"

#include "platform/ScreenPpi.h"

#include <cmath>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    return int(std::lround(double(qint64(a) * b) / c));
}

TFont::TFont() = default;

void TFont::PublishProperties(TPropertyList& list)
{
    list.AddIdentInteger(
        "Charset", CharsetIdents(), [this] { return m_Charset; }, [this](qint64 v) { SetCharset(int(v)); }, NoDefault);
    list.AddIdentInteger(
        "Color", ColorIdents(), [this] { return m_Color; }, [this](qint64 v) { SetColor(TColor(v)); }, NoDefault);
    list.AddInteger(
            "Height", [this] { return m_Height; }, [this](qint64 v) { SetHeight(int(v)); }, NoDefault)
        .Range(-MaxHeight, MaxHeight);
    list.AddString(
        "Name", [this] { return m_Name; }, [this](const QString& v) { SetName(v); });
    list.AddEnumeration(
        "Pitch", {"fpDefault", "fpVariable", "fpFixed"}, [this] { return m_Pitch; },
        [this](qint64 v) { SetPitch(TFontPitch(v)); }, fpDefault);
    list.AddInteger(
            "Size", [this] { return Size(); }, [this](qint64 v) { SetSize(int(v)); }, NoDefault)
        .Range(-MaxHeight, MaxHeight)
        .IsStored = [] { return false; };
    list.AddSet(
        "Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, [this] { return m_Style; },
        [this](qint64 v) { SetStyle(TFontStyles(v)); }, NoDefault);
}

void TFont::Assign(const TFont& source)
{
    if (*this == source)
        return;
    m_Name = source.m_Name;
    m_Height = source.m_Height;
    m_Style = source.m_Style;
    m_Color = source.m_Color;
    m_Charset = source.m_Charset;
    m_Pitch = source.m_Pitch;
    Changed();
}

bool TFont::operator==(const TFont& other) const
{
    return m_Name == other.m_Name && m_Height == other.m_Height && m_Style == other.m_Style &&
           m_Color == other.m_Color && m_Charset == other.m_Charset && m_Pitch == other.m_Pitch;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString& name)
{
    if (name.isEmpty() || name == m_Name)
        return;
    m_Name = name;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(m_Height, 72, ScreenPpi());
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPpi(), 72));
}

void TFont::SetHeight(int height)
{
    if (height == m_Height)
        return;
    m_Height = height;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    style &= 0x0F;
    if (style == m_Style)
        return;
    m_Style = style;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == m_Color)
        return;
    m_Color = color;
    Changed();
}

void TFont::SetCharset(int charset)
{
    if (charset == m_Charset)
        return;
    m_Charset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == m_Pitch)
        return;
    m_Pitch = pitch;
    Changed();
}

QFont TFont::ToQFont(int pixelsPerInch) const
{
    const int screenPpi = ScreenPpi();
    const int ppi = pixelsPerInch > 0 ? pixelsPerInch : screenPpi;
    QFont font(m_Name);
    // A negative height is the character (em) height; a positive one includes the internal
    // leading, which is about a fifth of it for common fonts.
    const double emPixels = m_Height < 0 ? -m_Height : m_Height * 0.8;
    font.setPixelSize(std::max(1, int(std::lround(emPixels * ppi / screenPpi))));
    font.setBold(HasStyle(fsBold));
    font.setItalic(HasStyle(fsItalic));
    font.setUnderline(HasStyle(fsUnderline));
    font.setStrikeOut(HasStyle(fsStrikeOut));
    if (m_Pitch == fpFixed)
        font.setFixedPitch(true);
    return font;
}
