#pragma once

#include <QString>

// The name Windows gives a USB device interface in its notifications,
// "\\?\USB#VID_1A86&PID_7523#5&2a4b8c1&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}":
// the device's hardware id and instance (its registry key under Enum\USB) and the
// USB ids inside the hardware id.
struct UsbInterfaceName {
    QString hardwareId;   // "VID_1A86&PID_7523"
    QString instanceId;   // "5&2a4b8c1&0&2"
    quint16 vendorId = 0;
    quint16 productId = 0;

    // Parts that are missing stay empty (ids 0).
    static UsbInterfaceName parse(const QString &name);
};
