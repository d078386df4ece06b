#pragma once
// The default editor font as the preferences hold it, and how it becomes the cell editor's
// current writing attributes when the editor gets an empty text.

#include "platform/Color.h"

#include <QString>

class TWPRichText;

struct TWPDefaultFont {
    QString Name = "Arial";
    int Size = 10; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikeout = false;
    TColor Color = clBlack;
};

// Starts from the editor's current attributes; takes the font (the first 31 characters of its
// name, added to the font table when missing) and the size; adds the styles that are set,
// keeping those already present; takes the last entry of the colour table that equals the
// colour (entry 0 when none does); and makes the result the writing attributes for the text
// typed next.
void SetDefaultFontNow(TWPRichText& editor, const TWPDefaultFont& font);
