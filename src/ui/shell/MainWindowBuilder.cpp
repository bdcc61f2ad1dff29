#include "shell/MainWindowBuilder.h"

#include "shell/QtGreekTexts.h"
#include "shell/TfrmVimsel.h"

#include <QApplication>

using namespace Qt::StringLiterals;

std::unique_ptr<TfrmVimsel> buildMainWindow(UserPrompt *prompt, const QString &writableFolder, PortEnvironment ports)
{
    QApplication::setOrganizationName(u"Ombrinex"_s);
    QApplication::setApplicationName(u"Έλεγχος συσκευών Arduino"_s);
    // Qt has no Greek texts of its own; every button and dialog asks this table.
    if (QCoreApplication *app = QCoreApplication::instance())
        QtGreekTexts::install(*app);
    return std::make_unique<TfrmVimsel>(prompt, writableFolder, std::move(ports));
}
