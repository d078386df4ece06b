#pragma once
// The windows that live for the whole run, created in start-up order: the main window, then the
// icon tool. main() makes one; tests make one the same way for each case.

#include "app/CalendarMain.h"
#include "app/FloatingPalette.h"

class TMainForms {
public:
    TMainForms();

    // Shows the main window for the first time (its first activation); opens `fileName` when
    // given, else the most recent calendar file.
    void Start(const QString& fileName = QString());

    TCalendarMain Main;
    TFloatingPalette IconTool{&Main};
};
