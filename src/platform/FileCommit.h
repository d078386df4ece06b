#pragma once
// Replacing a file the user cares about whole or not at all. QSaveFile alone is not enough: when
// the system takes only part of a write (a full disk, a file size limit), Qt 6.4's commit() still
// reports success and puts the short file in place of the old one. Every writer of such a file
// uses TWholeSaveFile and ends with CommitWhole() instead of commit().

#include <QSaveFile>

class TWholeSaveFile : public QSaveFile {
public:
    using QSaveFile::QSaveFile;

    // Commits the file when all that was written to it reached the disk; otherwise drops the new
    // file, keeps the old one and returns false, with the reason in errorString(). A write that
    // failed earlier fails the commit too.
    bool CommitWhole();
};
