#include "app/StartOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

constexpr int WrongCommandLine = 2;

TStartOptions Failure(const QString& message, const QString& help)
{
    TStartOptions options;
    options.Action = TStartOptions::TAction::Fail;
    options.Output = "mervane: " + message + "\n\n" + help;
    options.ExitCode = WrongCommandLine;
    return options;
}

// Options QApplication takes for itself: known here so that they and their values are not taken
// for a wrong option or a FILE; hidden from the help.
void AddGuiOptions(QCommandLineParser& parser)
{
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
          "session", "display", "geometry", "style", "stylesheet", "title", "name", "qmljsdebugger"}) {
        QCommandLineOption option(name, QString(), "value");
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

TStartOptions TStartOptions::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Mervane designs and prints calendar pages.");
    // Qt's GUI options are written with one dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    AddGuiOptions(parser);
    parser.addPositionalArgument("FILE", "Calendar file (.MVF) to open instead of the most recent one.", "[FILE]");

    // The parser names the program after QCoreApplication, which may not exist yet.
    QString helpText = parser.helpText();
    helpText = "Usage: mervane [options] [FILE]" + helpText.mid(helpText.indexOf('\n'));

    const bool parsed = parser.parse(arguments);
    // --help and --version answer even beside a wrong option.
    TStartOptions options;
    if (parser.isSet(help) || parser.isSet("help-all")) {
        options.Action = TAction::Print;
        options.Output = helpText;
        return options;
    }
    if (parser.isSet(version)) {
        options.Action = TAction::Print;
        options.Output = QString("mervane %1\n").arg(MERVANE_VERSION);
        return options;
    }
    if (!parsed)
        return Failure(parser.errorText(), helpText);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Failure("only one FILE can be opened at start", helpText);
    if (!files.isEmpty()) {
        if (files.first().trimmed().isEmpty())
            return Failure("FILE is empty", helpText);
        options.File = QFileInfo(files.first()).absoluteFilePath();
    }
    return options;
}
