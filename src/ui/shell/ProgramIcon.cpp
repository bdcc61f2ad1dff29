#include "shell/ProgramIcon.h"

#include <QGuiApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

void setProgramIcon()
{
    static bool set = false;
    if (set || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    set = true;
    QGuiApplication::setWindowIcon(QIcon::fromTheme(u"gr.ombrinex.vimsel"_s));
}
