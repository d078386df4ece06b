// Runs every test class of the imaging folder.

#include <QGuiApplication>
#include <QtTest>

QObject* NewTestDecoders();
QObject* NewTestWmfPlayer();
QObject* NewTestPicture();
QObject* NewTestReferenceDecoders();

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    int failures = 0;
    for (QObject* test : {NewTestDecoders(), NewTestWmfPlayer(), NewTestPicture(), NewTestReferenceDecoders()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
