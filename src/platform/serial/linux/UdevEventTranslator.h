#pragma once

#include "serial/UsbDeviceEvent.h"

#include <QHash>
#include <QString>
#include <optional>

// The parts of a udev event the hot-plug monitor looks at.
struct UdevEvent {
    QString action;     // "add", "remove", "bind", ...
    QString subsystem;  // "tty", "usb"
    QString devType;    // "usb_device", "usb_interface"; empty for a tty
    // The event's properties (PRODUCT, ID_VENDOR_ID, ID_MODEL_ID, ID_MODEL_FROM_DATABASE, ...).
    QHash<QString, QString> properties;
    // For a tty: the attributes of the USB device it belongs to (idVendor, idProduct,
    // product); empty for a tty that is not on USB.
    QHash<QString, QString> usbDevice;
};

// Turns udev events into board arrivals and removals. A board arrives when its serial
// port appears (the tty event: the USB device comes first, before its driver made the
// port, and a refresh then would not find it); it leaves when the USB device leaves
// (whose event always carries the ids, as PRODUCT "vendor/product/version" in hex).
// Every other event tells nothing.
class UdevEventTranslator {
public:
    static std::optional<UsbDeviceEvent> translate(const UdevEvent &event);
    // A USB id written in hex ("7523", "43"); 0 when it is not one.
    static quint16 hexId(const QString &text);
};
