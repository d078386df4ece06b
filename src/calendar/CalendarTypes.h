#pragma once
// The calendar page's enumerations. Files store their ordinals, so the order is fixed.

enum TCalendarOrientation { coPortrait, coLandscape };

enum TCalendarLayout {
    loFullCalendar,
    LOFullCalendarLS,
    loFCMinisInTitle,
    loFCMinisInTitleLS,
    loFC6Before6After,
    loFC6Before6AfterLS,
    loFC12After,
    loFC12AfterLS,
    lopMC6Month,
    lopMC6MonthLS,
    loMC12Month,
    loMC12MonthLS,
    loMC24Month,
    loMC24MonthLS,
    loMC48Month,
    loMC48MonthLS,
    loMC60Month,
    loMC60MonthLS,
    loWeek,
    lo2Week,
    loDay10,
    loDay15,
};
constexpr int CalendarLayoutCount = 22;

enum TCalendarLineLayout { llFull, llHeadersAndCells, llCellsOnly };
enum TMiniCalendarLineLayout { mllFull, mllBoxed, mllMinimal };
enum TCalBorderStyle { cbNone, cbAll, cbTop, cbBottom, cbTopBottom };
enum TCalHeadersStyle { dsFirstChar, dsThreeChars, dsWhole };
enum TCalendarNumberPosition { cnpCenter, cnpUpperRight };
enum TLPanelState { psPointing, psLabel, psImage, psRichLabel, psSuperText, psFlatCalendar };
