// Draws the program's SVG icon as a square PNG of the sizes given, into the icon theme folders
// under OUT ("OUT/16x16/apps/NAME.png"): desktops that do not scale SVG icons take these.
// Runs at build time.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 4) {
        err << "Usage: mervane_render_icon SVG OUT NAME SIZE...\n";
        return 2;
    }
    QSvgRenderer renderer(arguments[0]);
    if (!renderer.isValid()) {
        err << "Cannot read the SVG icon " << arguments[0] << "\n";
        return 1;
    }
    for (const QString& text : arguments.mid(3)) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            err << "Not an icon size: " << text << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString folder = QString("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString file = folder + "/" + arguments[2] + ".png";
        if (!QDir().mkpath(folder) || !image.save(file)) {
            err << "Cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
