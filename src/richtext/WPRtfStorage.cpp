#include "richtext/WPRtfStorage.h"

#include "stream/PropertyList.h"

TWPRtfStorage::TWPRtfStorage(TComponent* owner)
    : TComponent(owner)
{
}

void TWPRtfStorage::PublishProperties(TPropertyList& list)
{
    TComponent::PublishProperties(list);
    list.AddObject("RtfText", m_RtfText);
}
