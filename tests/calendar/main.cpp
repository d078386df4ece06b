// Runs every test class of the calendar folder.

#include "../common/TestClasses.h"

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestPageGeometry();
QObject* NewTestCalendarDrawing();
QObject* NewTestCalendarPrinting();
QObject* NewTestCalendarPanel();
QObject* NewTestCalendarFile();
QObject* NewTestCalendarProperties();
QObject* NewTestPictureObjects();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RunTestClasses(argc, argv,
                          {NewTestPageGeometry(), NewTestCalendarDrawing(), NewTestCalendarPrinting(),
                           NewTestCalendarPanel(), NewTestCalendarFile(), NewTestCalendarProperties(),
                           NewTestPictureObjects()});
}
