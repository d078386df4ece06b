// Runs every test class of the application folder.

#include "../common/TestClasses.h"

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestMRUFileList();
QObject* NewTestPreferences();
QObject* NewTestCalendarMain();
QObject* NewTestSingleInstance();
QObject* NewTestStartOptions();
QObject* NewTestRichLabelTool();
QObject* NewTestPrinting();
QObject* NewTestFlatCalendarMain();
QObject* NewTestRecurringDatesMain();
QObject* NewTestIcsImportMain();
QObject* NewTestSuperTextMain();
QObject* NewTestPictureMain();
QObject* NewTestIconToolMain();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RunTestClasses(argc, argv,
                          {NewTestMRUFileList(), NewTestPreferences(), NewTestCalendarMain(), NewTestSingleInstance(),
                           NewTestStartOptions(), NewTestRichLabelTool(), NewTestPrinting(), NewTestFlatCalendarMain(),
                           NewTestRecurringDatesMain(), NewTestIcsImportMain(), NewTestSuperTextMain(),
                           NewTestPictureMain(), NewTestIconToolMain()});
}
