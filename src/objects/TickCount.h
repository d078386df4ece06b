#pragma once
// The millisecond tick count that the handle's quick-click and drag-start rules and the host's
// paste throttle measure. Tests step it by hand instead of waiting.

#include <QtGlobal>

// Milliseconds since the first call, plus one so that a real tick is never 0 (0 means "no tick").
quint32 TickCount();

// Makes TickCount() answer `tick`; 0 returns to the real clock.
void OverrideTickCount(quint32 tick);
