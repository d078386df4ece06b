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

QString ResourceFolderFor(const QString& programFolder)
{
    // The layout `cmake --install` makes (GNUInstallDirs): "../share/mervane" for bin/ and share/
    // side by side under one prefix.
    const QString installed = QDir::cleanPath(programFolder + MERVANE_SHIPPED_FROM_BIN);
    if (QFileInfo(installed).isDir())
        return WithTrailingSlash(installed);
    return programFolder;
}

QString ResourceFolder()
{
    static const QString folder = ResourceFolderFor(ProgramFolder());
    return folder;
}

QString DataFolderFor(const QString& programFolder, const QString& userFolder)
{
    // An installed program's folder is shared by all users (and often read-only); a writable one
    // would still get files no other user should see.
    if (ResourceFolderFor(programFolder) == programFolder && CanCreateFilesIn(programFolder))
        return programFolder;
    return userFolder;
}

QString DataFolder()
{
    if (!g_DataFolderOverride.isEmpty())
        return WithTrailingSlash(g_DataFolderOverride);

    static const QString chosen = [] {
        QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (user.isEmpty())
            user = QDir::homePath() + "/.mervane";
        const QString folder = DataFolderFor(ProgramFolder(), WithTrailingSlash(user));
        QDir().mkpath(folder);
        return folder;
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
