#pragma once
// Pages and files for the mvtool tests: a calendar whose settings are away from their defaults,
// with filled cells and two page objects, and small file helpers.

#include "../common/FileBytes.h"
#include "ToolTestObjects.h"
#include "calendar/CalendarPanel32.h"
#include "objects/GPLabel.h"
#include "platform/MervaneError.h"
#include "richtext/WPRtfStorage.h"
#include "tools/CalendarJson.h"

#include <QFile>
#include <QJsonDocument>

// What `mvtool build` says of `json`, or nothing when it writes `fileName`.
inline QString BuildError(const QJsonObject& json, const QString& fileName)
{
    try {
        TCalendarJson::Build(json, fileName);
    } catch (const EMervaneError& error) {
        return error.Message();
    }
    return {};
}

// What `mvtool build` says of a calendar holding one object of `className` with `properties`
// (a JSON object's text), written to `fileName`.
inline QString ObjectBuildError(const char* className, const QByteArray& properties, const QString& fileName)
{
    const QByteArray json = R"({"format": "calendar", "objects": [{"class": ")" + QByteArray(className) +
                            R"(", "properties": )" + properties + "}]}";
    return BuildError(QJsonDocument::fromJson(json).object(), fileName);
}

inline void SetCellRtf(TCalendarPanel32& page, int index, const QByteArray& rtf)
{
    TWPRtfStorage cell(nullptr);
    cell.RtfText().SetRtf(rtf);
    page.SetCellRtf(index, cell);
}

inline TTestPageObject* AddTestObject(TCalendarPanel32& page, const QString& name, const QRect& bounds)
{
    auto* object = new TTestPageObject(nullptr);
    object->Loaded();
    page.PlaceObject(*object, bounds);
    object->SetName(name);
    return object;
}

// A landscape month with its look changed, a date, a start time, a user title, cells 1, 9 and
// 42 filled and two objects, one with most of its properties away from their defaults (events
// are not kept by loading, so none is set).
inline void FillPage(TCalendarPanel32& page)
{
    page.SetCalendarLayout(loFCMinisInTitleLS);
    page.SetUseA4Paper(true);
    page.SetLeftMarginInch(0.75);
    page.SetBottomMarginInch(1.5);
    page.SetCalendarLineLayout(llHeadersAndCells);
    page.SetCellBorder(cbTopBottom);
    page.SetMiniCalendarLineLayout(mllMinimal);
    page.SetTitleBGColor(TColor(0x123456));
    page.SetHeadersBGColor(clBtnFace);
    page.SetHeadersStyle(dsWhole);
    page.SetTitleShowYear(false);
    page.SetNumberPosition(cnpUpperRight);
    page.TitleFont().SetName("Arial");
    page.TitleFont().SetSize(30);
    page.TitleFont().SetStyle(FontStyleBit(fsItalic) | FontStyleBit(fsUnderline));
    page.TitleFont().SetColor(clNavy);
    page.MiniCellFont().SetColor(clRed);
    page.SetMonthName(3, "Mars");
    page.SetDayName(1, "Dimanche");
    page.SetMainCalYear(2026);
    page.SetMainCalMonth(3);
    page.SetMainCalDay(17);
    page.SetStartOfWeek(2);
    page.SetStartTime((14 * 60 + 30) / 1440.0);
    page.SetUserTitle("Spring \u2764 Term");
    SetCellRtf(page, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Exams\\b0  week\\par}");
    SetCellRtf(page, 9, "{\\rtf1\\ansi Caf\\'e9 \\u8364?5\\par}");
    SetCellRtf(page, 42, "{\\rtf1\\ansi Last\\par}");

    TTestPageObject* sign = AddTestObject(page, "Special1", QRect(300, 200, 120, 60));
    sign->Caption = "Open day";
    sign->Alignment = 2;
    sign->Color = TColor(0x00C000);
    sign->Accelerator = 'O';
    sign->Ratio = 0.375;
    sign->Font.SetName("Arial");
    sign->Font.SetHeight(-16);
    sign->Font.SetStyle(FontStyleBit(fsBold));
    sign->Font.SetColor(clMaroon);
    sign->Data = QByteArray("\x00\x01\xfe\xff binary", 11);
    sign->SetTag(7);
    sign->SetLocked(true);
    sign->SetHint("Come in");
    AddTestObject(page, "Holiday", QRect(40, 500, 80, 30))->Caption = "Second";
}

// A text label as the label tool leaves it: yellow background, single border, turned and with
// 3-D copies when asked.
inline TGPLabel* AddLabel(TCalendarPanel32& page, const QString& name, const QRect& bounds, const QString& caption)
{
    auto* label = new TGPLabel(nullptr);
    label->Loaded();
    page.PlaceObject(*label, bounds);
    label->SetName(name);
    label->SetCaption(caption);
    label->SetTransparent(false);
    label->SetBackColor(clYellow);
    label->SetBorderStyle(bsSingle);
    return label;
}
