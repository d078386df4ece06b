#include "stream/ClassRegistry.h"

#include <QHash>

namespace {

QHash<QString, TComponentFactory>& Registry()
{
    static QHash<QString, TComponentFactory> registry; // keyed by upper-case class name
    return registry;
}

} // namespace

void RegisterClass(const QString& className, TComponentFactory factory)
{
    Registry().insert(className.toUpper(), std::move(factory));
}

const TComponentFactory* FindClass(const QString& className)
{
    const auto it = Registry().constFind(className.toUpper());
    return it == Registry().constEnd() ? nullptr : &it.value();
}
