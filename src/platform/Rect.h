#pragma once
// A rectangle as the page geometry holds it: left, top, right, bottom, with the right and bottom
// edges outside the area (a 10 x 10 square at the origin is (0, 0, 10, 10)).

#include <QRect>

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TRect&) const = default;

    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
};
