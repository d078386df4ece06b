#include "TestPageObjects.h"

#include <QPainter>

void TTestObject::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    list.AddString(
        "Caption", [this] { return Caption; }, [this](const QString& v) { Caption = v; });
}

void TTestObject::ApplyFont(const TFont& font)
{
    AppliedFont.Assign(font);
    ++FontsApplied;
}

void TTestObject::Paint(QPainter& painter)
{
    painter.fillRect(rect(), QColor(0, 0, 255));
}

void TTestHost::CreateObjectInRect(const QRect& rect)
{
    CreatedIn += rect;
    auto* object = new TTestObject(Owner());
    object->Loaded();
    PlaceObject(*object, rect);
}
