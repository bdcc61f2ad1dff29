// The program: the main window over one project.
#include "shell/FontTextMeasurer.h"
#include "shell/TfrmVimsel.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(u"Ombrinex"_s);
    QApplication::setApplicationName(u"Έλεγχος συσκευών Arduino"_s);

    FontTextMeasurer measurer;
    TfrmVimsel window(measurer);
    window.show();
    return app.exec();
}
