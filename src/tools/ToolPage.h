#pragma once
// The page mvtool reads, draws and writes: a window of its own that carries, as the program's
// main window does, the hidden master editor through which rich-text labels draw.

#include "calendar/CalendarPanel32.h"
#include "objects/GPRichBaseLabel.h"

class TToolPage : public TCalendarPanel32 {
public:
    TToolPage()
        : TCalendarPanel32(nullptr)
    {
        CreateMasterRichText(*this);
    }
};
