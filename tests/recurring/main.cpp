// Runs every test class of the recurring dates folder.

#include "../common/TestClasses.h"

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestRecurringRecord();
QObject* NewTestRecurringDatesFile();
QObject* NewTestRecurringDialogs();
QObject* NewTestIcsEvents();
QObject* NewTestHolidayCatalogues();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RunTestClasses(argc, argv,
                          {NewTestRecurringRecord(), NewTestRecurringDatesFile(), NewTestRecurringDialogs(),
                           NewTestIcsEvents(), NewTestHolidayCatalogues()});
}
