#pragma once
// The editor's current writing attributes as one record, the form the default editor font is
// applied in: a font as an index into the editor's font table, a size in points, style bits
// and a colour as an index into the editor's 16-entry colour table.

enum TWPStyleBit { wpsBold = 1, wpsItalic = 2, wpsUnderline = 4, wpsStrikeOut = 8 };

struct TWPCharAttr {
    int FontIndex = 0;
    int Size = 10;
    int Style = 0; // TWPStyleBit values or'ed
    int ColorIndex = 0;

    bool operator==(const TWPCharAttr&) const = default;
};
