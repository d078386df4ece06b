#include "app/ZoomPercent.h"

#include <cmath>

float PercentToZoom(int percent)
{
    if (percent < 30)
        return 0.2f;
    if (percent >= 100)
        return 1.0f;
    return float(percent / 10) / 10.0f;
}

int ZoomToPercent(float zoom)
{
    // Compared in whole percent, so that a factor such as 0.7f (just below 0.7) counts as 70.
    const int percent = int(std::lround(zoom * 100));
    if (percent < 30)
        return 20;
    if (percent >= 100)
        return 100;
    return percent / 10 * 10;
}
