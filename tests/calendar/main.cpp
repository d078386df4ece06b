// Runs every test class of the calendar folder.

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
    int failures = 0;
    for (QObject* test :
         {NewTestPageGeometry(), NewTestCalendarDrawing(), NewTestCalendarPrinting(), NewTestCalendarPanel(),
          NewTestCalendarFile(), NewTestCalendarProperties(), NewTestPictureObjects()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
