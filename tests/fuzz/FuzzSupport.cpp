#include "FuzzSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

void EnsureFuzzApplication()
{
    if (QCoreApplication::instance())
        return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    // Held for the life of the process: destroying it at exit would race the readers' statics.
    static QApplication* application = new QApplication(argc, argv);
    Q_UNUSED(application);
}

QString WriteFuzzInput(const uint8_t* data, size_t size, const QString& fileName)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        qFatal("Cannot write the fuzz input to %s", qPrintable(path));
    return path;
}
