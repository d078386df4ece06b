#pragma once
// The screen cursor: one cursor for the whole application while set, as the host and the
// selection handle switch it during drags (grab, hand-point, sizing, drag cursors). Cursors are
// numbered as files store them (crDefault 0, crDrag -12, ...); slot 6 holds the handle's
// grabbing hand and slot -10 its pointing hand (in place of the up-arrow).

#include <QCursor>

constexpr int crDefault = 0;
constexpr int crArrow = -2;
constexpr int crSizeNESW = -6;
constexpr int crSizeNS = -7;
constexpr int crSizeNWSE = -8;
constexpr int crSizeWE = -9;
constexpr int crDrag = -12;
constexpr int GrabCursor = 6;        // "HANDGRAB"
constexpr int HandPointCursor = -10; // "HANDPOINT"

// The Qt cursor for a cursor number; unknown numbers give the arrow.
QCursor CursorFromId(int id);

// Sets the screen cursor; crDefault removes it, so each widget shows its own cursor again.
void SetScreenCursor(int id);

// The screen cursor set last (crDefault when none is set).
int ScreenCursor();
