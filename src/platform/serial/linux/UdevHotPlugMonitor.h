#pragma once

#include "serial/HotPlugMonitor.h"

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Listens to udev for USB devices and serial ports (subsystems "usb" and "tty") on
// the user-interface thread: the monitor's socket wakes a QSocketNotifier. Machines
// without udev (containers, build servers) simply report nothing.
class UdevHotPlugMonitor : public HotPlugMonitor {
public:
    UdevHotPlugMonitor();
    ~UdevHotPlugMonitor() override;
    UdevHotPlugMonitor(const UdevHotPlugMonitor &) = delete;
    UdevHotPlugMonitor &operator=(const UdevHotPlugMonitor &) = delete;

    bool start(Handler handler) override;

private:
    void receive();
    void stop();

    udev *fUdev = nullptr;
    udev_monitor *fMonitor = nullptr;
    std::unique_ptr<QSocketNotifier> fNotifier;
    Handler fHandler;
};
