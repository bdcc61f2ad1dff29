#pragma once

#include "serial/PortEnvironment.h"

// The serial ports of the machine the program runs on.
class PlatformPorts {
public:
    // Linux: the system's serial ports and /dev/rfcomm*, permission checks for the
    // "dialout" group, a udev monitor. Windows: the "Ports" device class, the
    // "serialcomm" registry key and Bluetooth ports, device notifications.
    static PortEnvironment forThisMachine();
};
