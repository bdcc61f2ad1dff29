#include "shell/MainWindowBuilder.h"

#include "shell/QtGreekTexts.h"
#include "shell/TfrmVimsel.h"

#include <QApplication>

using namespace Qt::StringLiterals;

void setApplicationNames()
{
    QCoreApplication::setOrganizationName(u"Ombrinex"_s);
    QCoreApplication::setApplicationName(u"Έλεγχος συσκευών Arduino"_s);
    // The installed desktop entry and icon (packaging/), so that the desktop shows the
    // window under the program's own name and icon.
    QGuiApplication::setDesktopFileName(u"gr.ombrinex.vimsel"_s);
}

std::unique_ptr<TfrmVimsel> buildMainWindow(UserPrompt *prompt, const QString &writableFolder, PortEnvironment ports)
{
    setApplicationNames();
    // Qt has no Greek texts of its own; every button and dialog asks this table.
    if (QCoreApplication *app = QCoreApplication::instance())
        QtGreekTexts::install(*app);
    return std::make_unique<TfrmVimsel>(prompt, writableFolder, std::move(ports));
}
