#include "stream/Component.h"

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
    m_Name = name;
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* component : m_Components) {
        if (component->Name().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    }
    return nullptr;
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
    component->m_Owner = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    m_Components.removeOne(component);
    component->m_Owner = nullptr;
}
