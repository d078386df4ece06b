#pragma once
// Pixel rings of a drawn object: the pixels `inset` pixels in from its image's edge, for tests
// that check a border line is whole and that nothing inside touches it.

#include <QColor>
#include <QImage>

// How many pixels of the ring `inset` pixels in from the edge of `image` `test` picks.
template <typename Test>
int RingPixels(const QImage& image, int inset, const Test& test)
{
    const QRect ring = image.rect().adjusted(inset, inset, -inset, -inset);
    int count = 0;
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        for (int x = ring.left(); x <= ring.right(); ++x) {
            const bool onRing = y == ring.top() || y == ring.bottom() || x == ring.left() || x == ring.right();
            if (onRing && test(image.pixelColor(x, y)))
                ++count;
        }
    }
    return count;
}
