#include "TestComponents.h"

#include "platform/MervaneError.h"

void TTestRichText::DefineProperties(TPropertyList& list)
{
    list.AddBinary(
        "Data", [this] { return Data; }, [this](const QByteArray& v) { Data = v; }, [this] { return !Data.isEmpty(); });
}

void TTestCellStorage::PublishProperties(TPropertyList& list)
{
    TComponent::PublishProperties(list);
    list.AddObject("RtfText", RtfText);
}

void TTestComponent::PublishProperties(TPropertyList& list)
{
    TComponent::PublishProperties(list);
    list.AddInteger(
        "Count", [this] { return Count; }, [this](qint64 v) { Count = int(v); }, 0);
    list.AddInteger(
        "Number", [this] { return Number; }, [this](qint64 v) { Number = int(v); }, NoDefault);
    list.AddEnumeration(
        "Shape", {"tsCircle", "tsSquare", "tsTriangle"}, [this] { return Shape; },
        [this](qint64 v) { Shape = TTestShape(v); }, tsSquare);
    list.AddSet(
        "Options", {"toBold", "toFramed", "toShaded"}, [this] { return Options; }, [this](qint64 v) { Options = v; },
        0);
    list.AddBoolean(
        "Visible", [this] { return Visible; }, [this](bool v) { Visible = v; }, true);
    list.AddIdentInteger(
        "Paint", ColorIdents(), [this] { return Paint; }, [this](qint64 v) { Paint = TColor(v); }, NoDefault);
    list.AddIdentInteger(
        "Ink", ColorIdents(), [this] { return Ink; }, [this](qint64 v) { Ink = TColor(v); }, NoDefault);
    list.AddIdentInteger(
        "Cursor", CursorIdents(), [this] { return Cursor; }, [this](qint64 v) { Cursor = int(v); }, 0);
    list.AddChar(
        "Letter", [this] { return Letter; }, [this](QChar v) { Letter = v; }, std::nullopt);
    list.AddFloat(
        "Ratio", [this] { return Ratio; }, [this](double v) { Ratio = v; });
    list.AddString(
        "Caption", [this] { return Caption; }, [this](const QString& v) { Caption = v; });
    list.AddObject("Font", Font);
    list.AddEvent(
        "OnClick", [this] { return OnClickName; },
        [this](const QString& name, TNotifyEvent handler) {
            OnClickName = name;
            OnClick = std::move(handler);
        });
}

void TTestComponent::DefineProperties(TPropertyList& list)
{
    TComponent::DefineProperties(list);
    list.AddBinary(
        "Data", [this] { return Data; }, [this](const QByteArray& v) { Data = v; }, [this] { return !Data.isEmpty(); });
}

void TTestComponent::Loaded()
{
    StateAtLoaded = ComponentState();
    ++LoadedCalls;
    TComponent::Loaded();
    if (Caption == FailInLoaded)
        throw EMervaneError("Cannot finish loading");
}

void TTestComponent::SetParentComponent(TComponent* parent)
{
    Parent = parent;
    if (auto* component = dynamic_cast<TTestComponent*>(parent))
        component->Children += this;
}

QList<TComponent*> TTestComponent::ChildComponents() const
{
    return Children;
}

TNotifyEvent TTestOwner::MethodAddress(const QString& name)
{
    if (name == "ButtonClick")
        return [this](TComponent*) { ++Clicks; };
    return {};
}
