#pragma once

#include <QString>

// A USB device plugged in or pulled out, as the hot-plug monitor reports it.
struct UsbDeviceEvent {
    bool inserted = false;
    // The device's description (the Windows device description, or on Linux the
    // model name of the USB id database or the device's product string).
    QString description;
    // USB vendor and product ids; 0 when the platform did not give them.
    quint16 vendorId = 0;
    quint16 productId = 0;
};
