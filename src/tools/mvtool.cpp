// mvtool: Mervane's command-line companion for batch work on calendar files and style sheets.

#include "tools/MvTool.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // The page is a widget and draws through Qt's GUI; without a display it draws off screen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TMvTool::QuietenRuntimeFolderWarning();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return TMvTool::Run(QCoreApplication::arguments().mid(1), out, err);
}
