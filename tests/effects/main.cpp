// Runs every test class of the effects folder.

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestFlatCalendar();
QObject* NewTestFlatCalendarEditor();
QObject* NewTestSuperText();
QObject* NewTestSuperTextDialogs();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failures = 0;
    for (QObject* test :
         {NewTestFlatCalendar(), NewTestFlatCalendarEditor(), NewTestSuperText(), NewTestSuperTextDialogs()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
