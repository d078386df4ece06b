#pragma once
// Small streamable classes for the stream tests: a component with a property of every kind, a
// day-cell-like storage with a nested binary block, and an owner that publishes one handler.

#include "platform/Color.h"
#include "stream/Component.h"
#include "stream/Font.h"

// A nested object with no published properties and one defined binary block, stored only when
// it holds data (as a day cell's rich text is).
class TTestRichText : public TPersistent {
public:
    QString ClassName() const override { return "TTestRichText"; }
    void DefineProperties(TPropertyList& list) override;
    QByteArray Data;
};

class TTestCellStorage : public TComponent {
public:
    using TComponent::TComponent;
    QString ClassName() const override { return "TWPRtfStorage"; }
    void PublishProperties(TPropertyList& list) override;
    TTestRichText RtfText;
};

enum TTestShape { tsCircle, tsSquare, tsTriangle };
enum TTestOption { toBold, toFramed, toShaded };

class TTestComponent : public TComponent {
public:
    // A caption that makes Loaded fail, as an object fails that cannot work where it was read.
    static constexpr const char* FailInLoaded = "fail in Loaded";

    using TComponent::TComponent;
    QString ClassName() const override { return "TTestComponent"; }
    void PublishProperties(TPropertyList& list) override;
    void DefineProperties(TPropertyList& list) override;
    void Loaded() override;
    void SetParentComponent(TComponent* parent) override;
    QList<TComponent*> ChildComponents() const override;

    int Count = 0;                 // default 0
    int Number = 0;                // no default: always written
    TTestShape Shape = tsSquare;   // default tsSquare
    qint64 Options = 0;            // set of TTestOption, default []
    bool Visible = true;           // default True
    TColor Paint = clRed;          // colour with a name
    TColor Ink = TColor(0x123456); // colour without one
    int Cursor = 0;                // default crDefault
    QChar Letter = 'A';            // no default
    double Ratio = 0;
    QString Caption;
    TFont Font;
    QByteArray Data;     // defined binary block, stored when not empty
    QString OnClickName; // the event's method name
    TNotifyEvent OnClick;

    TComponent* Parent = nullptr;
    QList<TComponent*> Children; // components parented to this one, written as child records
    int LoadedCalls = 0;
    int StateAtLoaded = -1;
};

// An owner that publishes the handler "ButtonClick".
class TTestOwner : public TComponent {
public:
    TTestOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TTestOwner"; }
    TNotifyEvent MethodAddress(const QString& name) override;
    int Clicks = 0;
};
