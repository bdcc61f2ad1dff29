// When VIMSEL_SCREENSHOT_DIR is set (under a real X server), saves screenshots of the
// devices page and of two device windows for the docs; otherwise it does nothing.
#include "devices/DeviceTypes.h"
#include "project/Project.h"
#include "shell/DevicesPage.h"
#include "shell/ShellTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTabWidget>

namespace {

class DevicesPageScreenshots : public ShellTest {};

TEST_F(DevicesPageScreenshots, DevicesPageAndTwoWindows)
{
    const QString dir = qEnvironmentVariable("VIMSEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "VIMSEL_SCREENSHOT_DIR is not set";

    auto window = makeWindow();
    window->resize(1280, 860);
    window->show();
    ActiveDevices &devices = window->project().devices();
    devices.AddDevice(DeviceTypes::LCD_Serial, nullptr);
    const int led = devices.AddDevice(DeviceTypes::Laser, std::array<int, 8>{0, 13, 1}, nullptr);
    devices.AddDevice(DeviceTypes::Temp, std::array<int, 8>{0, 4, 11}, nullptr);
    devices.AddDevice(DeviceTypes::Servo, std::array<int, 8>{0, 9}, nullptr);
    const int robot = devices.AddDevice(DeviceTypes::ROBOT, std::array<int, 8>{0, 5, 6, 7, 8, 2, 1, 11}, nullptr);
    ASSERT_EQ(robot, 4);
    window->notebook()->setCurrentIndex(TfrmVimsel::DevicesPageIndex);
    QTabWidget *pages = window->devicesPage()->deviceNotebook();

    const auto shoot = [&](int page, const char *name) {
        pages->setCurrentIndex(page);
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        ASSERT_TRUE(window->grab().save(QDir(dir).filePath(QLatin1String(name))));
    };
    shoot(led + 1, "devices-page.png");
    shoot(robot + 1, "device-window-robot.png");
    shoot(3, "device-window-temp.png");
}

} // namespace
