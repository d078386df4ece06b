#pragma once
// mvtool's commands behind its command line: info, build, render and the usage text. Output
// goes to `out`, messages to `err`; the result is the exit code: 0 done, 1 failed (a damaged
// file, a wrong field, an output that cannot be written), 2 a wrong command line.

#include <QStringList>

class QTextStream;

class TMvTool {
public:
    static int Run(const QStringList& arguments, QTextStream& out, QTextStream& err);
    // Drops Qt's warning that XDG_RUNTIME_DIR is not set (every run would print it where that
    // variable is unset, and the tool uses no runtime folder); every other message passes on to
    // the message handler installed before.
    static void QuietenRuntimeFolderWarning();
};
