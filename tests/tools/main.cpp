// Runs every test class of the tools folder.

#include "../common/TestClasses.h"

#include "ToolTestObjects.h"

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestCalendarJson();
QObject* NewTestCalendarRenderer();
QObject* NewTestMvToolProgram();
QObject* NewTestRichLabelFiles();
QObject* NewTestFlatCalendarJson();
QObject* NewTestSuperTextJson();
QObject* NewTestPictureJson();
QObject* NewTestCalendarYear();
QObject* NewTestHostileFiles();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    RegisterToolTestClasses();
    return RunTestClasses(argc, argv,
                          {NewTestCalendarJson(), NewTestCalendarRenderer(), NewTestMvToolProgram(),
                           NewTestRichLabelFiles(), NewTestFlatCalendarJson(), NewTestSuperTextJson(),
                           NewTestCalendarYear(), NewTestHostileFiles(), NewTestPictureJson()});
}
