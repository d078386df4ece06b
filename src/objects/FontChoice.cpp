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
    // Only what the choice changes: a font given back as the dialog got it keeps its exact
    // height (points are rounded) and its system colour (the dialog holds what it resolves to).
    const TFontChoice shown = ChoiceFromFont(font);
    if (choice.Font.family() != shown.Font.family())
        font.SetName(choice.Font.family());
    if (choice.Font.pointSize() > 0) {
        if (choice.Font.pointSize() != shown.Font.pointSize())
            font.SetSize(choice.Font.pointSize());
    } else if (choice.Font.pixelSize() > 0) {
        font.SetHeight(-choice.Font.pixelSize());
    }
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
    if (choice.Color != shown.Color)
        font.SetColor(ColorFromQColor(choice.Color));
}
