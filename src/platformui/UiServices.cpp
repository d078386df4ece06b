#include "platformui/UiServices.h"

#include "platformui/QtUiServices.h"

namespace {
TUiServices* g_Installed = nullptr;
}

TUiServices& UiServices()
{
    static TQtUiServices qtServices;
    return g_Installed ? *g_Installed : qtServices;
}

void InstallUiServices(TUiServices* services)
{
    g_Installed = services;
}

QString ToQtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries += parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return entries.join(";;");
}
