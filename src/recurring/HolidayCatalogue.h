#pragma once
// The predefined holidays the holiday dialog offers, as full records in their fixed order.

#include <QStringList>

// 26 records: event text padded to 120 columns, then the formula padded to 10; the three `#`
// records end right after their tag.
QStringList HolidayCatalogue();
