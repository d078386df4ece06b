#pragma once
// Small classes for the page-object tests: an owner standing in for the main window, a page
// object that draws a blue rectangle and publishes one extra property, and a host that creates
// such objects from a dragged rectangle as the calendar page does.

#include "objects/GBasePanel.h"
#include "objects/GGraphicControl.h"
#include "stream/Font.h"

class TTestOwner : public TComponent {
public:
    TTestOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TTestOwner"; }
};

class TTestObject : public TGGraphicControl {
public:
    using TGGraphicControl::TGGraphicControl;
    QString ClassName() const override { return "TTestObject"; }
    void PublishProperties(TPropertyList& list) override;
    void ApplyFont(const TFont& font) override;

    QString Caption;
    TFont AppliedFont;
    int FontsApplied = 0;

protected:
    void Paint(QPainter& painter) override;
};

class TTestHost : public TGBasePanel {
public:
    using TGBasePanel::TGBasePanel;
    void CreateObjectInRect(const QRect& rect) override;

    QList<QRect> CreatedIn;
};
