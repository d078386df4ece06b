#include "tools/CalendarSettings.h"

#include "calendar/CalendarPanel32.h"
#include "tools/ToolError.h"

#include <cmath>

namespace {

const QStringList OrientationNames{"coPortrait", "coLandscape"};
const QStringList LayoutNames{
    "loFullCalendar", "LOFullCalendarLS", "loFCMinisInTitle", "loFCMinisInTitleLS", "loFC6Before6After",
    "loFC6Before6AfterLS", "loFC12After", "loFC12AfterLS", "lopMC6Month", "lopMC6MonthLS", "loMC12Month",
    "loMC12MonthLS", "loMC24Month", "loMC24MonthLS", "loMC48Month", "loMC48MonthLS", "loMC60Month",
    "loMC60MonthLS", "loWeek", "lo2Week", "loDay10", "loDay15"};
const QStringList LineLayoutNames{"llFull", "llHeadersAndCells", "llCellsOnly"};
const QStringList MiniLineLayoutNames{"mllFull", "mllBoxed", "mllMinimal"};
const QStringList BorderNames{"cbNone", "cbAll", "cbTop", "cbBottom", "cbTopBottom"};
const QStringList HeadersStyleNames{"dsFirstChar", "dsThreeChars", "dsWhole"};
const QStringList NumberPositionNames{"cnpCenter", "cnpUpperRight"};

// Wider margins leave no room for the calendar on any paper.
constexpr double MaxMarginInch = 4.0;

} // namespace

TCalendarSettings::TCalendarSettings(TCalendarPanel32& page, bool withStartOfWeek)
    : m_Page(page)
    , m_WithStartOfWeek(withStartOfWeek)
    , m_Fonts{TFontGroup(page.TitleFont()), TFontGroup(page.HeadersFont()), TFontGroup(page.CellFont()),
              TFontGroup(page.MiniTitleFont()), TFontGroup(page.MiniHeadersFont()), TFontGroup(page.MiniCellFont())}
{
}

void TCalendarSettings::AddMargin(TPropertyList& list, const QString& name, double (TCalendarPanel32::*get)() const,
                                  void (TCalendarPanel32::*set)(double))
{
    // Files hold whole hundredths of an inch: a margin read from a file is shown as the number
    // it was written as, and only such numbers are taken.
    list.AddFloat(name, [this, get] { return std::round((m_Page.*get)() * 100) / 100; },
                  [this, set](double v) {
                      const double hundredths = std::round(v * 100);
                      if (!(v >= 0 && v <= MaxMarginInch) || std::abs(v * 100 - hundredths) > 1e-6)
                          throw EToolError(QString("%1 is not a margin in hundredths of an inch from 0 to %2")
                                               .arg(v)
                                               .arg(MaxMarginInch));
                      (m_Page.*set)(hundredths / 100);
                  });
}

void TCalendarSettings::PublishProperties(TPropertyList& list)
{
    TPersistent::PublishProperties(list);
    TCalendarPanel32* p = &m_Page;
    const auto border = [&list, p](const QString& name, TCalBorderStyle (TCalendarPanel32::*get)() const,
                                    void (TCalendarPanel32::*set)(TCalBorderStyle)) {
        list.AddEnumeration(name, BorderNames, [p, get] { return (p->*get)(); },
                            [p, set](qint64 v) { (p->*set)(TCalBorderStyle(v)); }, NoDefault);
    };
    const auto color = [&list, p](const QString& name, TColor (TCalendarPanel32::*get)() const,
                                   void (TCalendarPanel32::*set)(TColor)) {
        list.AddIdentInteger(name, ColorIdents(), [p, get] { return (p->*get)(); },
                             [p, set](qint64 v) { (p->*set)(TColor(v)); }, NoDefault);
    };
    const auto headersStyle = [&list, p](const QString& name, TCalHeadersStyle (TCalendarPanel32::*get)() const,
                                          void (TCalendarPanel32::*set)(TCalHeadersStyle)) {
        list.AddEnumeration(name, HeadersStyleNames, [p, get] { return (p->*get)(); },
                            [p, set](qint64 v) { (p->*set)(TCalHeadersStyle(v)); }, NoDefault);
    };
    const auto showYear = [&list, p](const QString& name, bool (TCalendarPanel32::*get)() const,
                                      void (TCalendarPanel32::*set)(bool)) {
        list.AddBoolean(name, [p, get] { return (p->*get)(); }, [p, set](bool v) { (p->*set)(v); }, NoDefault);
    };

    list.AddBoolean("UseA4Paper", [p] { return p->UseA4Paper(); }, [p](bool v) { p->SetUseA4Paper(v); },
                    NoDefault);
    list.AddEnumeration("CalendarLayout", LayoutNames, [p] { return p->CalendarLayout(); },
                        [p](qint64 v) { p->SetCalendarLayout(TCalendarLayout(v)); }, NoDefault);
    // The page derives the orientation from the layout; a different one cannot be kept.
    list.AddEnumeration("CalendarOrientation", OrientationNames, [p] { return p->CalendarOrientation(); },
                        [p](qint64 v) {
                            if (v != p->CalendarOrientation())
                                throw EToolError(QString("the layout %1 is printed %2")
                                                     .arg(LayoutNames[p->CalendarLayout()],
                                                          OrientationNames[p->CalendarOrientation()]));
                        },
                        NoDefault);
    AddMargin(list, "LeftMarginInch", &TCalendarPanel32::LeftMarginInch, &TCalendarPanel32::SetLeftMarginInch);
    AddMargin(list, "TopMarginInch", &TCalendarPanel32::TopMarginInch, &TCalendarPanel32::SetTopMarginInch);
    AddMargin(list, "RightMarginInch", &TCalendarPanel32::RightMarginInch, &TCalendarPanel32::SetRightMarginInch);
    AddMargin(list, "BottomMarginInch", &TCalendarPanel32::BottomMarginInch,
              &TCalendarPanel32::SetBottomMarginInch);
    list.AddEnumeration("CalendarLineLayout", LineLayoutNames, [p] { return p->CalendarLineLayout(); },
                        [p](qint64 v) { p->SetCalendarLineLayout(TCalendarLineLayout(v)); }, NoDefault);
    border("CalendarBorder", &TCalendarPanel32::CalendarBorder, &TCalendarPanel32::SetCalendarBorder);
    color("TitleBGColor", &TCalendarPanel32::TitleBGColor, &TCalendarPanel32::SetTitleBGColor);
    list.AddObject("TitleFont", m_Fonts[0]);
    showYear("TitleShowYear", &TCalendarPanel32::TitleShowYear, &TCalendarPanel32::SetTitleShowYear);
    list.AddObject("HeadersFont", m_Fonts[1]);
    border("HeadersBorder", &TCalendarPanel32::HeadersBorder, &TCalendarPanel32::SetHeadersBorder);
    headersStyle("HeadersStyle", &TCalendarPanel32::HeadersStyle, &TCalendarPanel32::SetHeadersStyle);
    color("HeadersBGColor", &TCalendarPanel32::HeadersBGColor, &TCalendarPanel32::SetHeadersBGColor);
    list.AddObject("CellFont", m_Fonts[2]);
    border("CellBorder", &TCalendarPanel32::CellBorder, &TCalendarPanel32::SetCellBorder);
    list.AddEnumeration("MiniCalendarLineLayout", MiniLineLayoutNames, [p] { return p->MiniCalendarLineLayout(); },
                        [p](qint64 v) { p->SetMiniCalendarLineLayout(TMiniCalendarLineLayout(v)); }, NoDefault);
    border("MiniCalBorder", &TCalendarPanel32::MiniCalBorder, &TCalendarPanel32::SetMiniCalBorder);
    color("MiniCalBGColor", &TCalendarPanel32::MiniCalBGColor, &TCalendarPanel32::SetMiniCalBGColor);
    showYear("MiniShowYear", &TCalendarPanel32::MiniShowYear, &TCalendarPanel32::SetMiniShowYear);
    list.AddObject("MiniTitleFont", m_Fonts[3]);
    list.AddObject("MiniHeadersFont", m_Fonts[4]);
    color("MiniHeadersBGColor", &TCalendarPanel32::MiniHeadersBGColor, &TCalendarPanel32::SetMiniHeadersBGColor);
    headersStyle("MiniHeadersStyle", &TCalendarPanel32::MiniHeadersStyle, &TCalendarPanel32::SetMiniHeadersStyle);
    border("MiniHeadersBorder", &TCalendarPanel32::MiniHeadersBorder, &TCalendarPanel32::SetMiniHeadersBorder);
    border("MiniCellBorder", &TCalendarPanel32::MiniCellBorder, &TCalendarPanel32::SetMiniCellBorder);
    list.AddObject("MiniCellFont", m_Fonts[5]);
    list.AddEnumeration("NumberPosition", NumberPositionNames, [p] { return p->NumberPosition(); },
                        [p](qint64 v) { p->SetNumberPosition(TCalendarNumberPosition(v)); }, NoDefault);
    if (m_WithStartOfWeek) {
        // 1 starts the weeks on Sunday, any other value on Monday.
        list.AddInteger("StartOfWeek", [p] { return p->StartOfWeek(); }, [p](qint64 v) { p->SetStartOfWeek(int(v)); },
                        NoDefault);
    }
}
