#pragma once

#include "serial/HotPlugMonitor.h"
#include "serial/PortAccess.h"
#include "serial/PortSource.h"

#include <memory>
#include <vector>

// What the main window needs of the machine to offer its serial ports: where ports
// are found, whether they may be opened, and news of boards plugged in. The program
// uses the platform's own (PlatformPorts::forThisMachine()); tests give fakes.
struct PortEnvironment {
    std::vector<std::unique_ptr<PortSource>> sources;
    // May be null: then no port counts as refused.
    std::unique_ptr<PortAccess> access;
    // May be null: then no hot-plug news arrive.
    std::unique_ptr<HotPlugMonitor> hotPlug;
};
