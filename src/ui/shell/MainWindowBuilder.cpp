#include "shell/MainWindowBuilder.h"

#include "shell/TfrmVimsel.h"

#include <QApplication>

using namespace Qt::StringLiterals;

std::unique_ptr<TfrmVimsel> buildMainWindow(UserPrompt *prompt)
{
    QApplication::setOrganizationName(u"Ombrinex"_s);
    QApplication::setApplicationName(u"Έλεγχος συσκευών Arduino"_s);
    return std::make_unique<TfrmVimsel>(prompt);
}
