// The yardstick for the program's start-up: a bare Qt main window with one label,
// started the same way.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Vimsel"), &window));
    window.resize(1000, 750);
    window.show();
    return app.exec();
}
