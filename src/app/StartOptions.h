#pragma once
// What one start of the program asks for, read from its command line before any window exists:
// run (with a calendar file to open instead of the most recent one), print the help or the
// version and end, or end with a message about a wrong command line. main() uses it.

#include <QString>
#include <QStringList>

class TStartOptions {
public:
    enum class TAction { Run, Print, Fail };

    // `arguments` as main() gets them, the program's own name first; the options Qt's GUI takes
    // ("-platform offscreen", "-style fusion") are let through for QApplication.
    static TStartOptions Parse(const QStringList& arguments);

    TAction Action = TAction::Run;
    // The calendar file to open, as an absolute path; empty when none was named.
    QString File;
    // The text to print: the help or version on standard output, or the error on standard error.
    QString Output;
    // 0 after help and version, 2 for a wrong command line.
    int ExitCode = 0;
};
