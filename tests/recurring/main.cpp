// Runs every test class of the recurring dates folder.

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestRecurringRecord();
QObject* NewTestRecurringDatesFile();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failures = 0;
    for (QObject* test : {NewTestRecurringRecord(), NewTestRecurringDatesFile()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
