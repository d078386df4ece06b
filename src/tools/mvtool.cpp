// mvtool: Mervane's command-line companion for batch work on calendar files and style sheets.

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

const char* const Usage =
    "Usage: mvtool COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  info FILE                    print a calendar file (.MVF) or style sheet (.MVS) as JSON\n"
    "  build JSON OUT               write a calendar file or style sheet from such JSON\n"
    "  render FILE OUT [--zoom Z]   draw a calendar page to OUT (.png, .bmp or .pdf)\n"
    "  --help                       show this text\n";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);

    if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
        out << Usage;
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.first();
    if (command == "info" || command == "build" || command == "render") {
        err << "mvtool: '" << command << "' is not available in this build yet\n";
        return 2;
    }
    err << "mvtool: unknown command '" << command << "'\n\n" << Usage;
    return 2;
}
