// Runs every test class of the recurring dates folder.

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestRecurringRecord();
QObject* NewTestRecurringDatesFile();
QObject* NewTestRecurringDialogs();
QObject* NewTestIcsEvents();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failures = 0;
    for (QObject* test :
         {NewTestRecurringRecord(), NewTestRecurringDatesFile(), NewTestRecurringDialogs(), NewTestIcsEvents()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
