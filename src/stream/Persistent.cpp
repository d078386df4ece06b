#include "stream/Persistent.h"

void TPersistent::PublishProperties(TPropertyList&)
{
}

void TPersistent::DefineProperties(TPropertyList&)
{
}

TPropertyList TPersistent::Properties()
{
    TPropertyList list;
    PublishProperties(list);
    DefineProperties(list);
    return list;
}
