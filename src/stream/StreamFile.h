#pragma once
// Component stream files. Writing goes to a temporary file in the same folder that replaces the
// old file only when everything was written, so a failed save never destroys the previous file.

#include <QString>
#include <functional>

class TReader;
class TWriter;

// Creates (or replaces) `fileName` with what `write` writes. Fails with "Cannot create file %s"
// when the file cannot be created and "Stream write error" when it cannot be completed; the old
// file is then untouched.
void WriteStreamFile(const QString& fileName, const std::function<void(TWriter&)>& write);

// Opens `fileName` read-only for `read`; fails with "Cannot open file %s" when it cannot.
void ReadStreamFile(const QString& fileName, const std::function<void(TReader&)>& read);
