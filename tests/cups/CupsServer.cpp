#include "CupsServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString Cupsd = "/usr/sbin/cupsd";
const QString Backend = "/usr/lib/cups/backend/cups-pdf";
const QString CupsPdfPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
const QString CupsPdfConf = "/etc/cups/cups-pdf.conf";

QString ReadText(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool WriteText(const QString& fileName, const QString& text)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Gives the folder and everything in it to lp, whom cupsd runs as when started by root.
bool GiveToLp(const QString& folder)
{
    QProcess chown;
    chown.start("chown", {"-R", "lp:lp", folder});
    return chown.waitForFinished(10000) && chown.exitCode() == 0;
}

} // namespace

TCupsServer::~TCupsServer()
{
    if (m_Cupsd.state() != QProcess::NotRunning) {
        m_Cupsd.terminate();
        if (!m_Cupsd.waitForFinished(10000))
            m_Cupsd.kill();
        m_Cupsd.waitForFinished(5000);
    }
}

QString TCupsServer::Start()
{
    for (const QString& needed : {Cupsd, Backend, CupsPdfPpd, QString("/usr/sbin/lpadmin")}) {
        if (!QFile::exists(needed))
            return needed + " is missing (Debian packages cups and printer-driver-cups-pdf)";
    }
    const bool root = geteuid() == 0;
    if (root && (!getpwnam("lp") || !getgrnam("lp")))
        return "there is no user and group lp for cupsd to run as";

    // A short folder name: the socket's path must fit the platform's limit.
    m_Dir = std::make_unique<QTemporaryDir>("/tmp/mvcups-XXXXXX");
    if (!m_Dir->isValid())
        return "cannot create a temporary folder in /tmp";
    QFile::setPermissions(m_Dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);
    for (const char* folder : {"spool", "cache", "state", "log", "tmp"})
        QDir(m_Dir->path()).mkdir(folder);

    const QString socket = Path("cups.sock");
    const QString conf = QString("Listen %1\n"
                                 "LogLevel warn\n"
                                 "Browsing No\n"
                                 "WebInterface No\n"
                                 "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                 "<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n</Policy>\n")
                             .arg(socket);
    QString files = QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                            "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                            "PageLog %1/log/page_log\n")
                        .arg(m_Dir->path());
    // Started by root, cupsd refuses to run filters as root: they run as lp, which must own
    // the folders.
    if (root)
        files = "User lp\nGroup lp\n" + files;
    if (!WriteText(Path("cupsd.conf"), conf) || !WriteText(Path("cups-files.conf"), files))
        return "cannot write the server's configuration in " + m_Dir->path();
    if (root && !GiveToLp(m_Dir->path()))
        return "cannot give " + m_Dir->path() + " to user lp";

    m_Cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_Cupsd.start(Cupsd, {"-f", "-c", Path("cupsd.conf"), "-s", Path("cups-files.conf")});
    if (!m_Cupsd.waitForStarted(10000))
        return "cupsd did not start: " + m_Cupsd.errorString();
    qputenv("CUPS_SERVER", socket.toLocal8Bit());

    QElapsedTimer timer;
    timer.start();
    while (!RunClient("lpstat", {"-r"}).contains("scheduler is running")) {
        if (m_Cupsd.state() == QProcess::NotRunning)
            return "cupsd ended at once: " + QString::fromLocal8Bit(m_Cupsd.readAll()) + ErrorLog();
        if (timer.elapsed() > 15000)
            return "cupsd did not answer on " + socket + ": " + ErrorLog();
        QThread::msleep(100);
    }

    for (const auto& [queue, driverCopies] : {std::pair{Copier, true}, std::pair{NoCopier, false}}) {
        const QString ppd = WritePpd(queue, driverCopies);
        if (ppd.isEmpty())
            return "cannot write the PPD of " + queue;
        QProcess lpadmin;
        lpadmin.setProcessChannelMode(QProcess::MergedChannels);
        lpadmin.start("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/", "-P", ppd});
        if (!lpadmin.waitForFinished(30000) || lpadmin.exitCode() != 0)
            return "lpadmin could not add " + queue + ": " + QString::fromLocal8Bit(lpadmin.readAll());
    }
    RunClient("lpadmin", {"-d", Copier});
    return {};
}

QString TCupsServer::WritePpd(const QString& name, bool driverCopies) const
{
    QString ppd = ReadText(CupsPdfPpd);
    // PPD areas run from the paper's bottom-left corner: left 18 pt, bottom 72, right 54, top 36.
    const int replaced = int(ppd.count("*ImageableArea A4/A4: \"0 0 595 842\"") +
                             ppd.count("*ImageableArea Letter/US Letter: \"0 0 612 792\""));
    ppd.replace("*ImageableArea A4/A4: \"0 0 595 842\"", "*ImageableArea A4/A4: \"18 72 541 806\"");
    ppd.replace("*ImageableArea Letter/US Letter: \"0 0 612 792\"",
                "*ImageableArea Letter/US Letter: \"18 72 558 756\"");
    if (replaced != 2)
        return {};
    if (!driverCopies)
        ppd.replace("*DefaultPageSize:", "*cupsManualCopies: True\n*DefaultPageSize:");
    const QString fileName = Path(name + ".ppd");
    return WriteText(fileName, ppd) ? fileName : QString();
}

QString TCupsServer::RunClient(const QString& program, const QStringList& arguments) const
{
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(program, arguments);
    if (!client.waitForFinished(30000))
        return {};
    return QString::fromLocal8Bit(client.readAll());
}

int TCupsServer::LastJob(const QString& queue) const
{
    cups_job_t* jobs = nullptr;
    const QByteArray name = queue.toUtf8();
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ALL);
    int last = 0;
    for (int i = 0; i < count; ++i)
        last = std::max(last, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return last;
}

bool TCupsServer::WaitForJob(int id) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        bool active = false;
        for (int i = 0; i < count; ++i)
            active = active || jobs[i].id == id;
        cupsFreeJobs(count, jobs);
        if (!active)
            return true;
        QThread::msleep(200);
    }
    return false;
}

int TCupsServer::JobCopies(int id) const
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QString("ipp://localhost/jobs/%1").arg(id).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "copies");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response || ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        ippDelete(response);
        return 0;
    }
    // A job that asked for no copy count prints one.
    int copies = 1;
    if (ipp_attribute_t* attribute = ippFindAttribute(response, "copies", IPP_TAG_INTEGER))
        copies = ippGetInteger(attribute, 0);
    ippDelete(response);
    return copies;
}

QString TCupsServer::JobOutput(int id, const QString& titleWord) const
{
    // cups-pdf's output folder, as its configuration names it for this user.
    QString out = "/var/spool/cups-pdf/${USER}";
    const QRegularExpressionMatch match =
        QRegularExpression("^Out\\s+(\\S.*)$", QRegularExpression::MultilineOption).match(ReadText(CupsPdfConf));
    if (match.hasMatch())
        out = match.captured(1).trimmed();
    const passwd* user = getpwuid(geteuid());
    if (!user)
        return {};
    out.replace("${HOME}", QString::fromLocal8Bit(user->pw_dir))
        .replace("${USER}", QString::fromLocal8Bit(user->pw_name));
    const QRegularExpression job(QString("(^|[^0-9])job_%1([^0-9]|$)").arg(id));
    for (const QFileInfo& file : QDir(out).entryInfoList({"*.pdf"}, QDir::Files)) {
        const QString name = file.fileName();
        if (name.contains(titleWord, Qt::CaseInsensitive) && name.contains(job))
            return file.filePath();
    }
    return {};
}

QString TCupsServer::ErrorLog() const
{
    return m_Dir ? ReadText(Path("log/error_log")) : QString();
}
