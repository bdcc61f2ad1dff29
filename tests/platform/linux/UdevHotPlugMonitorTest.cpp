#include "serial/linux/UdevHotPlugMonitor.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// Machines without udev (containers, build servers) get no news, and the program
// runs on; where udev answers, the monitor starts again after a start and stops with
// the object. Nothing may arrive unasked.
TEST(UdevHotPlugMonitor, StartsAgainAndStopsCleanly)
{
    int events = 0;
    {
        UdevHotPlugMonitor monitor;
        const bool first = monitor.start([&](const UsbDeviceEvent &) { ++events; });
        const bool second = monitor.start([&](const UsbDeviceEvent &) { ++events; });
        EXPECT_EQ(first, second);
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(events, 0);
}

} // namespace
