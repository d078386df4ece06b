// Prints the file type Qt's MIME database gives each file named, one "FILE: TYPE" line each;
// the install test points the database at a copy of the installed types (XDG_DATA_DIRS).

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList files = QCoreApplication::arguments().mid(1);
    if (files.isEmpty()) {
        QTextStream(stderr) << "Usage: mime_lookup FILE...\n";
        return 2;
    }
    QTextStream out(stdout);
    const QMimeDatabase database;
    for (const QString& file : files)
        out << file << ": " << database.mimeTypeForFile(file).name() << "\n";
    return 0;
}
