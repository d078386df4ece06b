// Runs every test class of the effects folder.

#include "../common/TestClasses.h"

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
    return RunTestClasses(
        argc, argv,
        {NewTestFlatCalendar(), NewTestFlatCalendarEditor(), NewTestSuperText(), NewTestSuperTextDialogs()});
}
