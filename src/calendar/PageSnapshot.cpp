#include "calendar/PageSnapshot.h"

namespace {

void ShareEqual(QList<QByteArray>& newer, const QList<QByteArray>& older)
{
    // Objects keep their place unless one was added, removed or restacked; matching by position
    // covers the common steps and costs one comparison per record.
    const qsizetype count = std::min(newer.size(), older.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (newer[i] == older[i])
            newer[i] = older[i];
    }
}

} // namespace

void TPageSnapshot::ShareWith(const TPageSnapshot& older)
{
    ShareEqual(Cells, older.Cells);
    ShareEqual(Objects, older.Objects);
}
