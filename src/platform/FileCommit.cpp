#include "platform/FileCommit.h"

bool TWholeSaveFile::CommitWhole()
{
    // Qt 6.4 reports a failed write as "Unknown error", and a short one not at all.
    if (error() != NoError || !flush() || size() != pos()) {
        cancelWriting();
        setErrorString("Not all of the file could be written; the disk may be full");
        return false;
    }
    return commit();
}
