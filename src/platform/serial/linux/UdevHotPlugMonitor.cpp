#include "serial/linux/UdevHotPlugMonitor.h"

#include "serial/linux/UdevEventTranslator.h"

#include <QSocketNotifier>

#include <libudev.h>

namespace {

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

UdevEvent readEvent(udev_device *dev)
{
    UdevEvent e;
    e.action = text(udev_device_get_action(dev));
    e.subsystem = text(udev_device_get_subsystem(dev));
    e.devType = text(udev_device_get_devtype(dev));
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_device_get_properties_list_entry(dev))
        e.properties.insert(text(udev_list_entry_get_name(entry)), text(udev_list_entry_get_value(entry)));
    // The parent belongs to dev and goes with it. A port that is being removed has
    // no parent to ask any more.
    if (udev_device *usb = udev_device_get_parent_with_subsystem_devtype(dev, "usb", "usb_device")) {
        for (const char *attr : {"idVendor", "idProduct", "product"})
            e.usbDevice.insert(QString::fromLatin1(attr), text(udev_device_get_sysattr_value(usb, attr)));
    }
    return e;
}

} // namespace

UdevHotPlugMonitor::UdevHotPlugMonitor() = default;

UdevHotPlugMonitor::~UdevHotPlugMonitor()
{
    stop();
}

bool UdevHotPlugMonitor::start(Handler handler)
{
    stop();
    fHandler = std::move(handler);
    fUdev = udev_new();
    if (fUdev)
        fMonitor = udev_monitor_new_from_netlink(fUdev, "udev");
    if (!fMonitor || udev_monitor_filter_add_match_subsystem_devtype(fMonitor, "usb", "usb_device") < 0
        || udev_monitor_filter_add_match_subsystem_devtype(fMonitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(fMonitor) < 0) {
        stop();
        return false;
    }
    const int fd = udev_monitor_get_fd(fMonitor);
    if (fd < 0) {
        stop();
        return false;
    }
    fNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(fNotifier.get(), &QSocketNotifier::activated, fNotifier.get(), [this] { receive(); });
    return true;
}

void UdevHotPlugMonitor::receive()
{
    udev_device *dev = udev_monitor_receive_device(fMonitor);
    if (!dev)
        return;
    const std::optional<UsbDeviceEvent> event = UdevEventTranslator::translate(readEvent(dev));
    udev_device_unref(dev);
    if (event && fHandler)
        fHandler(*event);
}

void UdevHotPlugMonitor::stop()
{
    fNotifier.reset();
    if (fMonitor)
        udev_monitor_unref(fMonitor);
    if (fUdev)
        udev_unref(fUdev);
    fMonitor = nullptr;
    fUdev = nullptr;
}
