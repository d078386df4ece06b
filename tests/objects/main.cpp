// Runs every test class of the objects folder.

#include <QApplication>
#include <QLocale>
#include <QtTest>

QObject* NewTestObjects();
QObject* NewTestLabels();
QObject* NewTestRichLabels();
QObject* NewTestColorComboBox();
QObject* NewTestZoom();
QObject* NewTestSmartImage();
QObject* NewTestGraphicPanel();
QObject* NewTestPSpeedButton();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int failures = 0;
    for (QObject* test : {NewTestObjects(), NewTestLabels(), NewTestRichLabels(), NewTestColorComboBox(), NewTestZoom(),
                          NewTestSmartImage(), NewTestGraphicPanel(), NewTestPSpeedButton()}) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
