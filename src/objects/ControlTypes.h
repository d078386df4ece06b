#pragma once
// Enumerations page objects share with the platform's controls, with the names files store
// them by (ordinal = position).

#include <QStringList>

enum TBorderStyle { bsNone, bsSingle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The drop-shadow directions of the text objects.
enum TShadowDirection { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };

inline QStringList BorderStyleNames()
{
    return {"bsNone", "bsSingle"};
}

inline QStringList AlignmentNames()
{
    return {"taLeftJustify", "taRightJustify", "taCenter"};
}
