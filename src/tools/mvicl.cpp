// mvicl: writes an icon library (.icl) from icon files.
//   mvicl LIBRARY.icl ICON.ico...   the icons in the order given
//   mvicl LIBRARY.icl FOLDER        every .ico file of the folder, by name
// The library is written whole or not at all; a file that is not an icon stops it with a message.

#include "platform/FileCommit.h"
#include "platform/IconLibraryWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "mvicl: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2)
        return Fail("usage: mvicl LIBRARY.icl ICON.ico... | mvicl LIBRARY.icl FOLDER");
    const QString output = arguments.takeFirst();
    if (arguments.size() == 1 && QFileInfo(arguments[0]).isDir()) {
        const QDir folder(arguments[0]);
        arguments.clear();
        for (const QString& name : folder.entryList({"*.ico"}, QDir::Files, QDir::Name))
            arguments.append(folder.filePath(name));
        if (arguments.isEmpty())
            return Fail(folder.path() + ": no .ico files");
    }
    QList<QByteArray> icons;
    for (const QString& name : arguments) {
        // A device or a pipe could be read without end.
        const QFileInfo info(name);
        if (info.exists() && !info.isFile())
            return Fail(name + ": not a regular file");
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(name + ": " + file.errorString());
        if (file.size() > MaxIconLibrarySize)
            return Fail(name + ": too large for an icon library");
        icons.append(file.readAll());
    }
    const TIconLibraryResult result = MakeIconLibrary(icons, arguments);
    if (!result.Error.isEmpty())
        return Fail(result.Error);
    TWholeSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(result.Library) != result.Library.size() || !file.CommitWhole())
        return Fail(output + ": " + file.errorString());
    return 0;
}
