// Runs the test classes of the tools folder that work in this process (MvToolMain.cpp runs those
// that start the mvtool program).

#include "../common/TestClasses.h"

#include "ToolTestObjects.h"

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestCalendarJson();
QObject* NewTestCalendarRenderer();
QObject* NewTestRichLabelFiles();
QObject* NewTestFlatCalendarJson();
QObject* NewTestSuperTextJson();
QObject* NewTestPictureJson();
QObject* NewTestCalendarYear();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    RegisterToolTestClasses();
    return RunTestClasses(argc, argv,
                          {NewTestCalendarJson(), NewTestCalendarRenderer(), NewTestRichLabelFiles(),
                           NewTestFlatCalendarJson(), NewTestSuperTextJson(), NewTestCalendarYear(),
                           NewTestPictureJson()});
}
