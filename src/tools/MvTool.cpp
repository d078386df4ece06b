#include "tools/MvTool.h"

#include "objects/GBasePanel.h"
#include "platform/MervaneError.h"
#include "recurring/HolidayCatalogue.h"
#include "recurring/RecurringDatesFile.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarJson.h"
#include "tools/CalendarRenderer.h"
#include "tools/CalendarYear.h"
#include "tools/ToolPage.h"

#include <QFile>
#include <QJsonDocument>
#include <QtGlobal>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

const char* const UsageTemplate =
    "Usage: mvtool COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  info FILE                    print a calendar file (.MVF) or style sheet (.MVS) as JSON\n"
    "  build JSON OUT               write a calendar file or style sheet from such JSON\n"
    "                               (fields left out take a new page's defaults; a cell may\n"
    "                               give \"text\" instead of \"rtf\"; files are written in the\n"
    "                               current version)\n"
    "  render FILE OUT [--zoom Z]   draw a calendar page to OUT: .png as shown on screen,\n"
    "                               .bmp as \"Save As Bitmap\" writes it, .pdf as printed;\n"
    "                               Z is the zoom of .png and .bmp, 0.2 to 1.0 (default 1.0)\n"
    "  year SOURCE YEAR OUT.pdf [--from MONTH] [--months N] [--recurring FILE]\n"
    "       [--events FILE.ics]... [--png DIR]\n"
    "                               one printed page per month (12 from January by\n"
    "                               default) with the look of SOURCE (.MVS or .MVF), the\n"
    "                               days filled from the recurring dates file (the user's\n"
    "                               MVRECUR.DAX when it exists) and from iCalendar files;\n"
    "                               --png also writes DIR/YYYY-MM.png per month\n"
    "  holidays COUNTRY             print a country's holidays as recurring dates, the\n"
    "                               lines of MVRECUR.DAX in its encoding:\n"
    "                               mvtool holidays DE > MVRECUR.DAX\n"
    "  holidays --list              list the countries that have holidays\n"
    "  --help                       show this text\n"
    "  --version                    show the version\n"
    "\n"
    "Objects a file holds that cannot be read (of a kind this version does not know, damaged,\n"
    "or beyond the %1 a page holds) are left out of what info and render show; a line on\n"
    "standard error names their kinds.\n";

QString Usage()
{
    return QString(UsageTemplate).arg(TGBasePanel::MaxObjectCount);
}

QtMessageHandler PreviousMessageHandler = nullptr;

void FilterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set"))
        return;
    PreviousMessageHandler(type, context, message);
}

constexpr int Failed = 1;
constexpr int WrongCommandLine = 2;

int UsageError(QTextStream& err, const QString& message)
{
    err << "mvtool: " << message << "\n\n" << Usage();
    return WrongCommandLine;
}

// Objects of a kind this build does not read, or damaged, are left out of what mvtool shows or
// draws (the program says so too): the user is told which.
void WarnObjectsLeftOut(const QString& fileName, const TObjectsLeftOut& leftOut, QTextStream& err)
{
    if (leftOut.Classes.isEmpty())
        return;
    QStringList classes = leftOut.Classes;
    classes.removeAll(QString());
    classes.removeDuplicates();
    err << "mvtool: " << fileName << ": some objects could not be read and are left out"
        << (classes.isEmpty() ? QString() : ": " + classes.join(", ")) << " (" << leftOut.Reason << ")\n";
}

int Info(const QString& fileName, QTextStream& out, QTextStream& err)
{
    TToolPage page;
    const TCalendarFileHeader header = TCalendarFile::Load(page, fileName);
    out << QJsonDocument(TCalendarJson::PageToJson(page, header)).toJson(QJsonDocument::Indented);
    WarnObjectsLeftOut(fileName, TObjectsLeftOut::Of(page), err);
    return 0;
}

int Build(const QString& jsonFile, const QString& outFile)
{
    QFile file(jsonFile);
    if (!file.open(QIODevice::ReadOnly))
        throw EMervaneError(QString("Cannot open file %1").arg(jsonFile));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        throw EMervaneError(
            QString("%1: not JSON: %2 at offset %3").arg(jsonFile, error.errorString()).arg(error.offset));
    if (!document.isObject())
        throw EMervaneError(QString("%1: expected a JSON object").arg(jsonFile));
    TCalendarJson::Build(document.object(), outFile);
    return 0;
}

int Render(QStringList arguments, QTextStream& err)
{
    float zoom = 1;
    const qsizetype option = arguments.indexOf("--zoom");
    if (option >= 0) {
        bool ok = false;
        zoom = arguments.value(option + 1).toFloat(&ok);
        if (!ok)
            return UsageError(err, "--zoom needs a number, such as 0.5");
        arguments.remove(option, 2);
    }
    if (arguments.size() != 2)
        return UsageError(err, "render needs FILE and OUT");
    WarnObjectsLeftOut(arguments[0], TCalendarRenderer::Render(arguments[0], arguments[1], zoom), err);
    return 0;
}

// A whole number, or nothing when `text` is not one.
std::optional<int> Number(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int Year(const QStringList& arguments, QTextStream& err)
{
    TYearJob job;
    QStringList positional;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        const QString& argument = arguments[k];
        if (!argument.startsWith("--")) {
            positional += argument;
            continue;
        }
        if (k + 1 >= arguments.size())
            return UsageError(err, argument + " needs a value");
        const QString value = arguments[++k];
        if (argument == "--from" || argument == "--months") {
            const std::optional<int> number = Number(value);
            if (!number)
                return UsageError(err, argument + " needs a whole number");
            (argument == "--from" ? job.FromMonth : job.Months) = *number;
        } else if (argument == "--recurring") {
            job.RecurringFile = value;
        } else if (argument == "--events") {
            job.EventFiles += value;
        } else if (argument == "--png") {
            job.PngFolder = value;
        } else {
            return UsageError(err, QString("year: unknown option '%1'").arg(argument));
        }
    }
    if (positional.size() != 3)
        return UsageError(err, "year needs SOURCE, YEAR and OUT.pdf");
    const std::optional<int> year = Number(positional[1]);
    if (!year)
        return UsageError(err, "YEAR needs a whole number, such as 2027");
    job.Source = positional[0];
    job.Year = *year;
    job.PdfFile = positional[2];
    std::function<void(const QString&)> progress;
    if (isatty(fileno(stderr))) {
        progress = [&err](const QString& line) {
            err << line << "\n";
            err.flush();
        };
    }
    TCalendarYear::Make(job, progress);
    return 0;
}

// The records go out as the bytes of a recurring dates file, which may be UTF-8 or
// Windows-1252: past the text stream, straight to its device.
int Holidays(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() != 1)
        return UsageError(err, "holidays needs COUNTRY or --list");
    if (arguments[0] == "--list") {
        for (const THolidayCountry& country : HolidayCountries())
            out << country.Code << "  " << country.Name << "\n";
        return 0;
    }
    const QStringList records = HolidayCatalogue(arguments[0]);
    if (records.isEmpty()) {
        QStringList codes;
        for (const THolidayCountry& country : HolidayCountries())
            codes += country.Code;
        return UsageError(err, QString("no holidays for country '%1' (known: %2)").arg(arguments[0], codes.join(", ")));
    }
    const QByteArray bytes = EncodeRecurringDates(records);
    out.flush();
    QIODevice* device = out.device();
    if (!device || device->write(bytes) != bytes.size())
        throw EMervaneError("Cannot write the holidays: " + (device ? device->errorString() : QString("no output")));
    return 0;
}

} // namespace

int TMvTool::Run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty())
        return UsageError(err, "no command given");
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == "--help" || command == "-h") {
        out << Usage();
        return 0;
    }
    if (command == "--version") {
        out << "mvtool " << MERVANE_VERSION << "\n";
        return 0;
    }
    try {
        if (command == "info") {
            if (rest.size() != 1)
                return UsageError(err, "info needs FILE");
            return Info(rest[0], out, err);
        }
        if (command == "build") {
            if (rest.size() != 2)
                return UsageError(err, "build needs JSON and OUT");
            return Build(rest[0], rest[1]);
        }
        if (command == "render")
            return Render(rest, err);
        if (command == "year")
            return Year(rest, err);
        if (command == "holidays")
            return Holidays(rest, out, err);
    } catch (const EMervaneError& error) {
        err << "mvtool: " << error.Message() << "\n";
        return Failed;
    } catch (const std::exception& error) {
        err << "mvtool: " << error.what() << "\n";
        return Failed;
    }
    return UsageError(err, QString("unknown command '%1'").arg(command));
}

void TMvTool::QuietenRuntimeFolderWarning()
{
    if (!PreviousMessageHandler) // once: a second filter would pass messages on to itself
        PreviousMessageHandler = qInstallMessageHandler(FilterMessage);
}
