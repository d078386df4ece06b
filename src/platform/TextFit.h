#pragma once
// Cutting a line of text to the room it is drawn in, at a cost that follows the room rather than
// the text: a title or caption read from a file may be megabytes long.

#include <QString>
#include <functional>

// The longest start of `text` whose width (by `width`) is at most `room`, found by halving
// rather than by dropping one character at a time. `most` bounds the characters that can fit: a
// room of n device pixels holds at most n + 1 characters, since no visible character is narrower
// than a pixel.
QString FittingPrefix(const QString& text, double room, qsizetype most,
                      const std::function<double(const QString&)>& width);

// The characters of a single line that can be seen in a box `pixels` wide: all of a short text;
// of a longer one its start, its end or its middle, by where the line is aligned.
enum class TLineAnchor { Start, Middle, End };
QString VisibleLine(const QString& text, int pixels, TLineAnchor anchor);
