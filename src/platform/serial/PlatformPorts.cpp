#include "serial/PlatformPorts.h"

#include "serial/SerialPortInfoSource.h"

#if defined(Q_OS_WIN)
#include "serial/windows/BluetoothPortSource.h"
#include "serial/windows/SerialCommPortSource.h"
#include "serial/windows/SetupApiPortSource.h"
#include "serial/windows/WindowsUsbNotifier.h"
#elif defined(Q_OS_LINUX)
#include "serial/linux/FilePortAccess.h"
#include "serial/linux/RfcommPortSource.h"
#include "serial/linux/UdevHotPlugMonitor.h"
#endif

PortEnvironment PlatformPorts::forThisMachine()
{
    PortEnvironment env;
#if defined(Q_OS_WIN)
    env.sources.push_back(std::make_unique<SetupApiPortSource>());
    env.sources.push_back(std::make_unique<SerialCommPortSource>());
    env.sources.push_back(std::make_unique<BluetoothPortSource>());
    env.hotPlug = std::make_unique<WindowsUsbNotifier>();
#elif defined(Q_OS_LINUX)
    env.sources.push_back(std::make_unique<SerialPortInfoSource>());
    env.sources.push_back(std::make_unique<RfcommPortSource>());
    env.access = std::make_unique<FilePortAccess>();
    env.hotPlug = std::make_unique<UdevHotPlugMonitor>();
#else
    env.sources.push_back(std::make_unique<SerialPortInfoSource>());
    env.hotPlug = std::make_unique<NullHotPlugMonitor>();
#endif
    return env;
}
