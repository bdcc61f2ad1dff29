#include "lessons/LessonBrowserModule.h"

#include "util/ProgramModule.h"

#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

using Factory = QWidget *(*)(QWidget *parent);

// The browser engine refuses to start as root unless its sandbox is off; a school
// machine's single account sometimes is root.
void allowBrowserAsRoot()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

} // namespace

QWidget *LessonBrowserModule::createBrowser(QWidget *parent, QString *error)
{
    allowBrowserAsRoot();
    const auto factory =
        reinterpret_cast<Factory>(ProgramModule::resolve(u"vimsel_browser"_s, "vimselCreateLessonBrowser", error));
    return factory ? factory(parent) : nullptr;
}
