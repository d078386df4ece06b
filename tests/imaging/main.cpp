// Runs every test class of the imaging folder.

#include "../common/TestClasses.h"

#include <QGuiApplication>
#include <QtTest>

QObject* NewTestDecoders();
QObject* NewTestWmfPlayer();
QObject* NewTestPicture();
QObject* NewTestReferenceDecoders();

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    return RunTestClasses(argc, argv,
                          {NewTestDecoders(), NewTestWmfPlayer(), NewTestPicture(), NewTestReferenceDecoders()});
}
