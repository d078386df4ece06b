#include "platform/FileCommit.h"

#include <QSaveFile>

bool CommitWhole(QSaveFile& file)
{
    if (!file.flush() || file.size() != file.pos()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
