// Runs every test class of the objects folder.

#include "../common/TestClasses.h"

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
    return RunTestClasses(argc, argv,
                          {NewTestObjects(), NewTestLabels(), NewTestRichLabels(), NewTestColorComboBox(),
                           NewTestZoom(), NewTestSmartImage(), NewTestGraphicPanel(), NewTestPSpeedButton()});
}
