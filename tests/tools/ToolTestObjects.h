#pragma once
// Classes for the mvtool tests: a page object that publishes a property of every kind, paints
// itself in its colour and prints its caption, and a registered component that is no page object.

#include "objects/GGraphicControl.h"
#include "platform/Color.h"
#include "stream/Font.h"

class TTestPageObject : public TGGraphicControl {
public:
    using TGGraphicControl::TGGraphicControl;

    QString ClassName() const override { return "TTestPageObject"; }
    void PublishProperties(TPropertyList& list) override;
    void DefineProperties(TPropertyList& list) override;
    void PrintTo(TReportPrinter& report, double x, double y) override;

    QString Caption;
    int Alignment = 0;       // taLeftJustify, taRightJustify, taCenter; default taLeftJustify
    TColor Color = clBlue;   // always written
    QChar Accelerator = 'A'; // always written
    double Ratio = 0;
    TFont Font;
    QString OnActivateName; // an event's method name
    QByteArray Data;        // a binary block, stored when not empty

protected:
    void Paint(QPainter& painter) override;
};

class TTestPlainComponent : public TComponent {
public:
    using TComponent::TComponent;
    QString ClassName() const override { return "TTestPlainComponent"; }
};

// Registers both classes for streaming by name.
void RegisterToolTestClasses();
