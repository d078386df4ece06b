#pragma once
// The classes the reader can create by the class name a record carries.

#include <QString>
#include <functional>

class TComponent;

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Registers (or replaces) the factory for `className`.
void RegisterClass(const QString& className, TComponentFactory factory);

template <class T>
void RegisterClass(const QString& className)
{
    RegisterClass(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
}

// The factory registered under `className` (ignoring case); null when none is.
const TComponentFactory* FindClass(const QString& className);
