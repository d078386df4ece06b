#include "richtext/WPDefaultFont.h"

#include "richtext/WPRichText.h"

void SetDefaultFontNow(TWPRichText& editor, const TWPDefaultFont& font)
{
    TWPCharAttr attr = editor.CurrentAttr();
    attr.FontIndex = editor.FontIndex(font.Name.left(31));
    attr.Size = font.Size;
    attr.Style |= (font.Bold ? wpsBold : 0) | (font.Italic ? wpsItalic : 0) | (font.Underline ? wpsUnderline : 0) |
                  (font.Strikeout ? wpsStrikeOut : 0);
    attr.ColorIndex = 0;
    for (int i = 0; i < TWPRichText::TextColorCount; ++i) {
        if (TWPRichText::TextColor(i) == font.Color)
            attr.ColorIndex = i;
    }
    editor.SetCurrentAttr(attr);
}
