#pragma once
// Replacing a file the user cares about whole or not at all. QSaveFile alone is not enough: when
// the system takes only part of a write (a full disk, a file size limit), Qt 6.4's commit() still
// reports success and puts the short file in place of the old one. Every writer of such a file
// ends with CommitWhole instead of commit().

class QSaveFile;

// Commits `file` when all that was written to it reached the disk; otherwise drops the new file,
// keeps the old one and returns false, with the reason in file.errorString().
bool CommitWhole(QSaveFile& file);
