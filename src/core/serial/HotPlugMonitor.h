#pragma once

#include "serial/UsbDeviceEvent.h"

#include <functional>

// Tells about USB devices being plugged in and pulled out while the program runs.
// On Linux a libudev monitor, on Windows device notifications; tests inject events.
class HotPlugMonitor {
public:
    using Handler = std::function<void(const UsbDeviceEvent &)>;
    virtual ~HotPlugMonitor() = default;
    // From now on every event goes to handler, on the user-interface thread. False
    // when the machine offers no such notifications; the program then works without.
    virtual bool start(Handler handler) = 0;
};

// For platforms without notifications: never reports anything.
class NullHotPlugMonitor : public HotPlugMonitor {
public:
    bool start(Handler) override { return false; }
};
