#include "platform/ScreenPpi.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
int g_PpiOverride = 0;
}

int ScreenPpi()
{
    if (g_PpiOverride > 0)
        return g_PpiOverride;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return int(std::lround(screen->logicalDotsPerInch()));
    }
    return 96;
}

void OverrideScreenPpi(int ppi)
{
    g_PpiOverride = ppi;
}
