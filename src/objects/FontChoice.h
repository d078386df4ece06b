#pragma once
// Conversions between a font as objects own it and the font dialog's choice, for the commands
// that open the font dialog (the host's "Font", a label's "Font").

#include "platform/UiServices.h"
#include "stream/Font.h"

// The dialog's starting values: the font in points and its colour.
TFontChoice ChoiceFromFont(const TFont& font);

// The chosen font; a choice given in pixels keeps that pixel height.
TFont FontFromChoice(const TFontChoice& choice);
