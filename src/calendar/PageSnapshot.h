#pragma once
// What a calendar page holds, as the undo history records it: the settings value, the RTF of
// each day cell and the stream record of each page object in z-order (bottom first). Taken
// after every change and restored by undo and redo. The byte arrays are shared: a snapshot
// taken after a change reuses the arrays of the one before for every part that did not change,
// so a step costs only the memory of what it changed.

#include "calendar/CalendarSettings.h"

#include <QByteArray>
#include <QList>

struct TPageSnapshot {
    TCalendarSettings Settings;
    QList<QByteArray> Cells;
    QList<QByteArray> Objects;

    bool operator==(const TPageSnapshot& other) const = default;
    // Takes `older`'s arrays for the parts equal in both, so that equal parts share memory.
    void ShareWith(const TPageSnapshot& older);
};
