#pragma once
// Conversions between a font as objects own it and the font dialog's choice, for the commands
// that open the font dialog (the host's "Font", a label's "Font", the
// calendar properties' font buttons).

#include "platformui/UiServices.h"
#include "stream/Font.h"

// The dialog's starting values: the font in points and its colour.
TFontChoice ChoiceFromFont(const TFont& font);

// Copies the chosen name, size, styles and colour into `font`, which keeps its other
// attributes; a choice given in pixels keeps that pixel height. What the choice leaves as
// ChoiceFromFont(font) showed it stays exactly as it was.
void CopyChoiceToFont(const TFontChoice& choice, TFont& font);
