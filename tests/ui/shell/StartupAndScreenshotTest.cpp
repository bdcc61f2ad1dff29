// Reports the start-up time of the main window and, when VIMSEL_SCREENSHOT_DIR is
// set (under a real X server), saves screenshots of the program page for the docs.
#include "program/ProgramPage.h"
#include "project/Project.h"
#include "shell/ShellTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <cstdio>

namespace {

class StartupAndScreenshots : public ShellTest {};

TEST_F(StartupAndScreenshots, WindowStartsAndShowsTheProgramPage)
{
    QElapsedTimer timer;
    timer.start();
    auto window = makeWindow();
    window->show();
    QCoreApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("[ timing   ] %.1f ms from construction to a shown main window\n", ms);
    RecordProperty("startup_ms", std::to_string(ms));
    EXPECT_TRUE(window->isVisible());

    const QString dir = qEnvironmentVariable("VIMSEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    window->resize(1280, 860);
    openName = QStringLiteral(EXAMPLES_DIR "/blink/blink.vzl");
    window->acopen()->trigger();
    auto *palette = window->programPage()->findChild<QTabWidget *>();
    ASSERT_NE(palette, nullptr);
    const char *names[] = {"program-page-general.png", "program-page-devices.png", "program-page-variables.png"};
    for (int tab = 0; tab < 3; ++tab) {
        palette->setCurrentIndex(tab);
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        ASSERT_TRUE(window->grab().save(QDir(dir).filePath(QLatin1String(names[tab]))));
    }
}

} // namespace
