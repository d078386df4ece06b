#include "ToolTestObjects.h"

#include "platform/ScreenPpi.h"
#include "print/ReportPrinter.h"
#include "stream/ClassRegistry.h"

#include <QPainter>

void TTestPageObject::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    list.AddString(
        "Caption", [this] { return Caption; }, [this](const QString& v) { Caption = v; });
    list.AddEnumeration(
        "Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, [this] { return Alignment; },
        [this](qint64 v) { Alignment = int(v); }, 0);
    list.AddIdentInteger(
        "Color", ColorIdents(), [this] { return Color; }, [this](qint64 v) { Color = TColor(v); }, NoDefault);
    list.AddChar(
        "Accelerator", [this] { return Accelerator; }, [this](QChar v) { Accelerator = v; }, NoDefault);
    list.AddFloat(
        "Ratio", [this] { return Ratio; }, [this](double v) { Ratio = v; });
    list.AddObject("Font", Font);
    list.AddEvent(
        "OnActivate", [this] { return OnActivateName; },
        [this](const QString& name, TNotifyEvent) { OnActivateName = name; });
}

void TTestPageObject::DefineProperties(TPropertyList& list)
{
    TGGraphicControl::DefineProperties(list);
    list.AddBinary(
        "Data", [this] { return Data; }, [this](const QByteArray& v) { Data = v; }, [this] { return !Data.isEmpty(); });
}

void TTestPageObject::Paint(QPainter& painter)
{
    painter.fillRect(rect(), ColorToQColor(Color));
}

void TTestPageObject::PrintTo(TReportPrinter& report, double x, double y)
{
    const double ppi = ScreenPpi();
    report.SetFont("Arial", 12, false, false, false, Qt::black);
    report.PrintXY(x + DocumentBounds().x() / ppi, y + DocumentBounds().y() / ppi, Caption);
}

void RegisterToolTestClasses()
{
    RegisterClass<TTestPageObject>("TTestPageObject");
    RegisterClass<TTestPlainComponent>("TTestPlainComponent");
}
