#include "platform/TextFit.h"

#include <algorithm>

QString FittingPrefix(const QString& text, double room, qsizetype most,
                      const std::function<double(const QString&)>& width)
{
    qsizetype fits = 0;
    qsizetype tooLong = std::min(text.size(), std::max<qsizetype>(most, 0)) + 1;
    if (tooLong > text.size() && width(text) <= room)
        return text;
    tooLong = std::min(tooLong, text.size());
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (width(text.left(middle)) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    return text.left(fits);
}

QString VisibleLine(const QString& text, int pixels, TLineAnchor anchor)
{
    const qsizetype most = std::max(pixels, 0) + 2;
    if (text.size() <= most)
        return text;
    switch (anchor) {
    case TLineAnchor::Start: return text.left(most);
    case TLineAnchor::End: return text.right(most);
    case TLineAnchor::Middle: break;
    }
    return text.mid((text.size() - most) / 2, most);
}
