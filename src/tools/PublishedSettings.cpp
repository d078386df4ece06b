#include "tools/PublishedSettings.h"

#include "calendar/CalendarSettings.h"
#include "calendar/PageGeometry.h"
#include "platform/MervaneError.h"

#include <cmath>

namespace {

const QStringList OrientationNames{"coPortrait", "coLandscape"};
const QStringList LayoutNames{"loFullCalendar",
                              "LOFullCalendarLS",
                              "loFCMinisInTitle",
                              "loFCMinisInTitleLS",
                              "loFC6Before6After",
                              "loFC6Before6AfterLS",
                              "loFC12After",
                              "loFC12AfterLS",
                              "lopMC6Month",
                              "lopMC6MonthLS",
                              "loMC12Month",
                              "loMC12MonthLS",
                              "loMC24Month",
                              "loMC24MonthLS",
                              "loMC48Month",
                              "loMC48MonthLS",
                              "loMC60Month",
                              "loMC60MonthLS",
                              "loWeek",
                              "lo2Week",
                              "loDay10",
                              "loDay15"};
const QStringList LineLayoutNames{"llFull", "llHeadersAndCells", "llCellsOnly"};
const QStringList MiniLineLayoutNames{"mllFull", "mllBoxed", "mllMinimal"};
const QStringList BorderNames{"cbNone", "cbAll", "cbTop", "cbBottom", "cbTopBottom"};
const QStringList HeadersStyleNames{"dsFirstChar", "dsThreeChars", "dsWhole"};
const QStringList NumberPositionNames{"cnpCenter", "cnpUpperRight"};

// A property bound to one enumeration field of the settings.
template <class E>
void AddEnum(TPropertyList& list, const QString& name, const QStringList& names, E& field)
{
    list.AddEnumeration(
        name, names, [&field] { return field; }, [&field](qint64 v) { field = E(v); }, NoDefault);
}

void AddColor(TPropertyList& list, const QString& name, TColor& field)
{
    list.AddIdentInteger(
        name, ColorIdents(), [&field] { return field; }, [&field](qint64 v) { field = TColor(v); }, NoDefault);
}

void AddBoolean(TPropertyList& list, const QString& name, bool& field)
{
    list.AddBoolean(
        name, [&field] { return field; }, [&field](bool v) { field = v; }, NoDefault);
}

} // namespace

TPublishedSettings::TPublishedSettings(TCalendarSettings& settings, bool withStartOfWeek)
    : m_Settings(settings)
    , m_WithStartOfWeek(withStartOfWeek)
    , m_Fonts{TFontGroup(settings.TitleFont),       TFontGroup(settings.HeadersFont),
              TFontGroup(settings.CellFont),        TFontGroup(settings.MiniTitleFont),
              TFontGroup(settings.MiniHeadersFont), TFontGroup(settings.MiniCellFont)}
{
}

void TPublishedSettings::AddMargin(TPropertyList& list, const QString& name, double TCalendarSettings::*margin)
{
    // Files hold whole hundredths of an inch: a margin read from a file is shown as the number
    // it was written as, and only such numbers are taken.
    TCalendarSettings* s = &m_Settings;
    list.AddFloat(
        name, [s, margin] { return std::round(s->*margin * 100) / 100; },
        [s, margin](double v) {
            const double hundredths = std::round(v * 100);
            if (!TCalendarSettings::IsValidMargin(v) || std::abs(v * 100 - hundredths) > 1e-6)
                throw EMervaneError(QString("%1 is not a margin in hundredths of an inch from 0 to %2")
                                        .arg(v)
                                        .arg(CalendarLimits::MaxMarginInch));
            s->*margin = hundredths / 100;
        });
}

void TPublishedSettings::PublishProperties(TPropertyList& list)
{
    TPersistent::PublishProperties(list);
    TCalendarSettings* s = &m_Settings;
    AddBoolean(list, "UseA4Paper", s->UseA4Paper);
    AddEnum(list, "CalendarLayout", LayoutNames, s->CalendarLayout);
    // The page derives the orientation from the layout; a different one cannot be kept.
    list.AddEnumeration(
        "CalendarOrientation", OrientationNames, [s] { return OrientationOfLayout(s->CalendarLayout); },
        [s](qint64 v) {
            const TCalendarOrientation orientation = OrientationOfLayout(s->CalendarLayout);
            if (v != orientation)
                throw EMervaneError(QString("the layout %1 is printed %2")
                                        .arg(LayoutNames[s->CalendarLayout], OrientationNames[orientation]));
        },
        NoDefault);
    AddMargin(list, "LeftMarginInch", &TCalendarSettings::LeftMargin);
    AddMargin(list, "TopMarginInch", &TCalendarSettings::TopMargin);
    AddMargin(list, "RightMarginInch", &TCalendarSettings::RightMargin);
    AddMargin(list, "BottomMarginInch", &TCalendarSettings::BottomMargin);
    list.AddEnumeration(
        "CalendarLineLayout", LineLayoutNames, [s] { return s->CalendarLineLayout; },
        [s](qint64 v) { s->SetCalendarLineLayout(TCalendarLineLayout(v)); }, NoDefault);
    AddEnum(list, "CalendarBorder", BorderNames, s->CalendarBorder);
    AddColor(list, "TitleBGColor", s->TitleBGColor);
    list.AddObject("TitleFont", m_Fonts[0]);
    AddBoolean(list, "TitleShowYear", s->TitleShowYear);
    list.AddObject("HeadersFont", m_Fonts[1]);
    AddEnum(list, "HeadersBorder", BorderNames, s->HeadersBorder);
    AddEnum(list, "HeadersStyle", HeadersStyleNames, s->HeadersStyle);
    AddColor(list, "HeadersBGColor", s->HeadersBGColor);
    list.AddObject("CellFont", m_Fonts[2]);
    AddEnum(list, "CellBorder", BorderNames, s->CellBorder);
    list.AddEnumeration(
        "MiniCalendarLineLayout", MiniLineLayoutNames, [s] { return s->MiniCalendarLineLayout; },
        [s](qint64 v) { s->SetMiniCalendarLineLayout(TMiniCalendarLineLayout(v)); }, NoDefault);
    AddEnum(list, "MiniCalBorder", BorderNames, s->MiniCalBorder);
    AddColor(list, "MiniCalBGColor", s->MiniCalBGColor);
    AddBoolean(list, "MiniShowYear", s->MiniShowYear);
    list.AddObject("MiniTitleFont", m_Fonts[3]);
    list.AddObject("MiniHeadersFont", m_Fonts[4]);
    AddColor(list, "MiniHeadersBGColor", s->MiniHeadersBGColor);
    AddEnum(list, "MiniHeadersStyle", HeadersStyleNames, s->MiniHeadersStyle);
    AddEnum(list, "MiniHeadersBorder", BorderNames, s->MiniHeadersBorder);
    AddEnum(list, "MiniCellBorder", BorderNames, s->MiniCellBorder);
    list.AddObject("MiniCellFont", m_Fonts[5]);
    AddEnum(list, "NumberPosition", NumberPositionNames, s->NumberPosition);
    if (m_WithStartOfWeek) {
        list.AddInteger(
            "StartOfWeek", [s] { return s->StartOfWeek; },
            [s](qint64 v) {
                if (!TCalendarSettings::IsValidStartOfWeek(int(v)))
                    throw EMervaneError(QString("%1 is not a start of the week: 1 Sunday, 2 Monday").arg(v));
                s->StartOfWeek = int(v);
            },
            NoDefault);
    }
}
