// Mervane: a calendar page designer.

#include "app/MainForms.h"
#include "app/SingleInstance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mervane");

    // A second start brings the running window forward and ends.
    TSingleInstance instance(TSingleInstance::DefaultServerName());
    if (!instance.BecomeFirstInstance())
        return 0;

    TMainForms forms;
    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &forms.Main, &TCalendarMain::ComeForward);
    forms.Start();
    return QApplication::exec();
}
