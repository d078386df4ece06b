#include "objects/TickCount.h"

#include <QElapsedTimer>

namespace {

quint32 g_Override = 0;

} // namespace

quint32 TickCount()
{
    if (g_Override != 0)
        return g_Override;
    static QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return quint32(timer.elapsed()) + 1;
}

void OverrideTickCount(quint32 tick)
{
    g_Override = tick;
}
