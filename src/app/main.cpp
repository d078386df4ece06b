// Mervane: a calendar page designer.

#include "app/MainForms.h"
#include "app/SingleInstance.h"
#include "app/StartOptions.h"
#include "calendar/CalendarPanel32.h"
#include "platform/ProgramFolders.h"
#include "platformui/HelpWindow.h"
#include "platformui/ScriptedUiServices.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace {

QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// For the test of an installed program only (MERVANE_CHECK_START set): tells where the started
// program found its files, as the help contents and the calendar open, and the messages it
// showed (answered without a box), then closes the window as the user does, which writes MV.ini.
int CheckStart(TMainForms& forms, const TScriptedUiServices& messages)
{
    ShowHelpContents();
    QTextStream out(stdout);
    out << "shipped: " << ResourceFolder() << "\n"
        << "data: " << DataFolder() << "\n"
        << "help: " << THelpWindow::Instance().CurrentFile() << "\n"
        << "open: " << forms.Main.CurrentFileName() << "\n";
    for (const TScriptedUiServices::TShownMessage& message : messages.Messages)
        out << "message: " << message.Text.simplified() << "\n";
    return forms.Main.close() ? 0 : 1;
}

// For the start-up benchmark only (MERVANE_REPORT_FIRST_PAINT set): once the page has been painted
// for the first time, says so on standard output and ends the program.
class TFirstPaintReport : public QObject {
public:
    explicit TFirstPaintReport(QWidget& page)
        : QObject(&page)
    {
        page.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: it runs once this paint has reached the screen.
            QTimer::singleShot(0, [] {
                QTextStream(stdout) << "first paint" << Qt::endl;
                QCoreApplication::quit();
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // The command line is read before the GUI starts: --help, --version and a wrong command line
    // need no display.
    const TStartOptions options = TStartOptions::Parse(Arguments(argc, argv));
    if (options.Action == TStartOptions::TAction::Print) {
        QTextStream(stdout) << options.Output;
        return options.ExitCode;
    }
    if (options.Action == TStartOptions::TAction::Fail) {
        QTextStream(stderr) << options.Output;
        return options.ExitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Mervane");

    // A second start brings the running window forward, hands it the file, and ends.
    TSingleInstance instance(TSingleInstance::DefaultServerName());
    if (!instance.BecomeFirstInstance(options.File)) {
        QTextStream out(stdout);
        if (options.File.isEmpty())
            out << "Mervane is already running: its window was brought forward.\n";
        else
            out << "Mervane is already running: " << options.File << " was handed to its window.\n";
        return 0;
    }

    std::unique_ptr<TScriptedUiServices> checkStart;
    if (qEnvironmentVariableIsSet("MERVANE_CHECK_START"))
        checkStart = std::make_unique<TScriptedUiServices>();

    TMainForms forms;
    if (qEnvironmentVariableIsSet("MERVANE_REPORT_FIRST_PAINT"))
        new TFirstPaintReport(forms.Main.CalendarPanel());
    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &forms.Main, &TCalendarMain::ComeForward);
    // Queued: the question and messages of the opening run after the socket was read.
    QObject::connect(&instance, &TSingleInstance::OpenRequested, &forms.Main, &TCalendarMain::OpenFromAnotherStart,
                     Qt::QueuedConnection);
    forms.Start(options.File);
    if (checkStart)
        return CheckStart(forms, *checkStart);
    return QApplication::exec();
}
