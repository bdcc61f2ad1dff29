#include "serial/windows/BluetoothPortSource.h"

#include "serial/windows/RegistryKey.h"
#include "util/DebugLog.h"

using namespace Qt::StringLiterals;

QStringList BluetoothPortSource::listPorts(DebugLog &log) const
{
    QStringList ports;
    const QString base = u"SYSTEM\\CurrentControlSet\\Enum\\BTHENUM\\"_s;
    log.AddDebug(u"Key: \\"_s + base);
    const RegistryKey root(HKEY_LOCAL_MACHINE, base);
    if (!root.isOpen()) {
        log.AddDebug(u"Error finding Bluetooth"_s);
        return ports;
    }
    for (const QString &device : root.subkeys()) {
        const RegistryKey deviceKey(HKEY_LOCAL_MACHINE, base + device);
        for (const QString &instance : deviceKey.subkeys()) {
            const QString path = base + device + u'\\' + instance + u"\\Device Parameters"_s;
            const RegistryKey parameters(HKEY_LOCAL_MACHINE, path);
            const std::optional<QString> port = parameters.stringValue(u"PortName"_s);
            if (!port) {
                log.AddDebug(u"Bluetooth Port NOT Added: \\"_s + path);
            } else if (!port->isEmpty()) {
                ports << *port;
                log.AddDebug(u"Bluetooth Port Added: "_s + *port);
            }
        }
    }
    return ports;
}
