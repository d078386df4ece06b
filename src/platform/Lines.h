#pragma once
// Lines and rectangle outlines as the Windows canvas draws them, for the page and everything
// drawn on it (screen, bitmap and printer). A line covers its start point but not its end
// point; a rectangle's outline covers Left .. Right - 1 and Top .. Bottom - 1. QPainter covers
// both end points, so lines drawn to an edge would stand one pixel past it.

#include "platform/Rect.h"

#include <QPoint>

class QPainter;

// The line from `from` to `to` without its end pixel, in the painter's pen. Horizontal and
// vertical lines only (the page draws no others); a line from a point to itself draws nothing.
void DrawLine(QPainter& canvas, QPoint from, QPoint to);

// The outline of `rect` in the painter's pen, its inside in the painter's brush.
void DrawRectangle(QPainter& canvas, const TRect& rect);
