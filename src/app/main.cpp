// Mervane: a calendar page designer.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mervane");
    QApplication::setApplicationDisplayName("Mervane");

    QMainWindow window;
    window.setWindowTitle("Mervane");
    window.resize(635, 378);
    window.show();
    return QApplication::exec();
}
