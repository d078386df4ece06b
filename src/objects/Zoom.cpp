#include "objects/Zoom.h"

#include <cmath>

TZoom TZoom::OfFactor(float factor)
{
    return TZoom(int(std::lround(factor * 100)));
}

TZoom TZoom::Stored(int percent)
{
    if (percent < 30)
        return TZoom(20);
    if (percent >= 100)
        return TZoom(100);
    return TZoom(percent / StepPercent * StepPercent);
}

TZoom TZoom::In(TZoomRange range) const
{
    return m_Percent + StepPercent <= range.MaxPercent ? TZoom(m_Percent + StepPercent) : *this;
}

TZoom TZoom::Out(TZoomRange range) const
{
    return m_Percent - StepPercent >= range.MinPercent ? TZoom(m_Percent - StepPercent) : *this;
}
