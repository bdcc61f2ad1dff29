// The program: the main window over one project.
#include "shell/MainWindowBuilder.h"
#include "shell/TfrmVimsel.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<TfrmVimsel> window = buildMainWindow();
    window->show();
    return app.exec();
}
