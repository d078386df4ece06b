// Runs the test classes that start the mvtool program: its commands, and the hostile files it must
// get through within its limits. They are a program of their own so that a parallel test run
// can run them beside the other tools tests.

#include "../common/TestClasses.h"

#include "ToolTestObjects.h"

#include <QApplication>
#include <QLocale>

QObject* NewTestMvToolProgram();
QObject* NewTestHostileFiles();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    RegisterToolTestClasses();
    return RunTestClasses(argc, argv, {NewTestMvToolProgram(), NewTestHostileFiles()});
}
