#pragma once
// A font description as pages and objects own it and files carry it: name, size, style, colour,
// character set and pitch. The size is kept as the font height in pixels at the screen's PPI
// (negative: character height), the form files store, so that a file's value survives a round
// trip exactly. Assigning copies every attribute; OnChange tells the owner of every change.

#include "platform/Color.h"
#include "stream/Persistent.h"

#include <QFont>
#include <functional>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = quint8; // bit per TFontStyle

constexpr TFontStyles FontStyleBit(TFontStyle style)
{
    return TFontStyles(1u << style);
}

enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TPersistent {
public:
    TFont();

    QString ClassName() const override { return "TFont"; }

    // The largest height or size a file may give: far beyond any font on a page, small enough
    // that converting between points and pixels cannot overflow.
    static constexpr int MaxHeight = 10000;
    void PublishProperties(TPropertyList& list) override;

    void Assign(const TFont& source);
    bool operator==(const TFont& other) const;

    QString Name() const { return m_Name; }
    void SetName(const QString& name);
    // Points at the screen PPI: Size = -MulDiv(Height, 72, PPI).
    int Size() const;
    void SetSize(int points);
    int Height() const { return m_Height; }
    void SetHeight(int height);
    TFontStyles Style() const { return m_Style; }
    void SetStyle(TFontStyles style);
    bool HasStyle(TFontStyle style) const { return m_Style & FontStyleBit(style); }
    TColor Color() const { return m_Color; }
    void SetColor(TColor color);
    int Charset() const { return m_Charset; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return m_Pitch; }
    void SetPitch(TFontPitch pitch);

    // The Qt font for drawing at `pixelsPerInch` (the screen's unless a printer's is given).
    QFont ToQFont(int pixelsPerInch = 0) const;

    std::function<void()> OnChange;

private:
    void Changed();

    QString m_Name = "MS Sans Serif";
    int m_Height = -11; // 8 points at 96 PPI
    TFontStyles m_Style = 0;
    TColor m_Color = clWindowText;
    int m_Charset = 1; // DEFAULT_CHARSET
    TFontPitch m_Pitch = fpDefault;
};

// a * b / c rounded to the nearest integer, halves away from zero, as font sizes convert.
int MulDiv(int a, int b, int c);
