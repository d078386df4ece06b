#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString g_DataFolderOverride;

QString WithTrailingSlash(QString folder)
{
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

// A folder counts as writable only when a file can really be created in it; permission bits
// alone do not tell (read-only mounts, root).
bool CanCreateFilesIn(const QString& folder)
{
    QTemporaryFile probe(folder + "mv-write-probe-XXXXXX");
    return probe.open();
}

} // namespace

QString ProgramFolder()
{
    return WithTrailingSlash(QCoreApplication::applicationDirPath());
}

QString DataFolder()
{
    if (!g_DataFolderOverride.isEmpty())
        return WithTrailingSlash(g_DataFolderOverride);

    static const QString chosen = [] {
        const QString program = ProgramFolder();
        if (CanCreateFilesIn(program))
            return program;
        QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (user.isEmpty())
            user = QDir::homePath() + "/.mervane";
        QDir().mkpath(user);
        return WithTrailingSlash(user);
    }();
    return chosen;
}

QString UserFilesFolder()
{
    return DataFolder();
}

QString IniFileName()
{
    return DataFolder() + "MV.ini";
}

void OverrideDataFolder(const QString& folder)
{
    g_DataFolderOverride = folder;
    if (!folder.isEmpty())
        QDir().mkpath(folder);
}
