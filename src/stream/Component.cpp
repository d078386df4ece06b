#include "stream/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Each owned component removes itself from the list when freed.
    while (!m_Components.isEmpty())
        delete m_Components.last();
    if (m_Owner)
        m_Owner->RemoveComponent(this);
}

void TComponent::SetName(const QString& name)
{
    if (m_Owner)
        m_Owner->UnindexName(this);
    m_Name = name;
    if (m_Owner)
        m_Owner->IndexName(this);
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    const QList<TComponent*> named = m_ComponentsByName.values(name.toCaseFolded());
    if (named.size() <= 1)
        return named.value(0);
    return *std::min_element(named.begin(), named.end(), [this](TComponent* a, TComponent* b) {
        return m_Components.indexOf(a) < m_Components.indexOf(b);
    });
}

void TComponent::Loaded()
{
    m_State &= ~csLoading;
}

void TComponent::SetParentComponent(TComponent*)
{
}

QList<TComponent*> TComponent::ChildComponents() const
{
    return {};
}

TNotifyEvent TComponent::MethodAddress(const QString&)
{
    return {};
}

void TComponent::InsertComponent(TComponent* component)
{
    m_Components.append(component);
    IndexName(component);
    component->m_Owner = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    // Searched from the end: an owner frees its components last first.
    m_Components.removeAt(m_Components.lastIndexOf(component));
    UnindexName(component);
    component->m_Owner = nullptr;
}

void TComponent::IndexName(TComponent* component)
{
    if (!component->m_Name.isEmpty())
        m_ComponentsByName.insert(component->m_Name.toCaseFolded(), component);
}

void TComponent::UnindexName(TComponent* component)
{
    if (!component->m_Name.isEmpty())
        m_ComponentsByName.remove(component->m_Name.toCaseFolded(), component);
}
