#include "objects/FontChoice.h"

#include <algorithm>

TFontChoice ChoiceFromFont(const TFont& font)
{
    QFont qfont = font.ToQFont();
    // The dialog shows and edits points.
    qfont.setPointSize(std::max(1, font.Size()));
    return {qfont, ColorToQColor(font.Color())};
}

void CopyChoiceToFont(const TFontChoice& choice, TFont& font)
{
    font.SetName(choice.Font.family());
    if (choice.Font.pointSize() > 0)
        font.SetSize(choice.Font.pointSize());
    else if (choice.Font.pixelSize() > 0)
        font.SetHeight(-choice.Font.pixelSize());
    TFontStyles style = 0;
    if (choice.Font.bold())
        style |= FontStyleBit(fsBold);
    if (choice.Font.italic())
        style |= FontStyleBit(fsItalic);
    if (choice.Font.underline())
        style |= FontStyleBit(fsUnderline);
    if (choice.Font.strikeOut())
        style |= FontStyleBit(fsStrikeOut);
    font.SetStyle(style);
    font.SetColor(ColorFromQColor(choice.Color));
}

TFont FontFromChoice(const TFontChoice& choice)
{
    TFont font;
    CopyChoiceToFont(choice, font);
    return font;
}
