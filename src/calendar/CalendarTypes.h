#pragma once
// The calendar page's enumerations and counts. Files store the ordinals, so the order is fixed.

// The day cells of a page: six weeks of seven days, numbered from 1.
constexpr int CellCount = 42;

// Calendar files are read from version 1 on and written in the last; style sheets have one.
// The second number of a file's header tells the two kinds apart.
constexpr int FirstCalendarFileVersion = 1;
constexpr int CalendarFileVersion = 3;
constexpr int CalendarFileKind = 1;
constexpr int StyleSheetVersion = 1;
constexpr int StyleSheetKind = 2;

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

// Layouts that share their kind of day cells; changing between families empties the cells.
enum TLayoutFamily { lfMonth, lfMultiMonth, lfWeek, lfTwoWeek, lfTenDay, lfFifteenDay };

enum TCalendarLineLayout { llFull, llHeadersAndCells, llCellsOnly };
enum TMiniCalendarLineLayout { mllFull, mllBoxed, mllMinimal };
enum TCalBorderStyle { cbNone, cbAll, cbTop, cbBottom, cbTopBottom };
enum TCalHeadersStyle { dsFirstChar, dsThreeChars, dsWhole };
enum TCalendarNumberPosition { cnpCenter, cnpUpperRight };
enum TLPanelState { psPointing, psLabel, psImage, psRichLabel, psSuperText, psFlatCalendar };
