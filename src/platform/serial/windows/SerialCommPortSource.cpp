#include "serial/windows/SerialCommPortSource.h"

#include "serial/windows/RegistryKey.h"

using namespace Qt::StringLiterals;

QStringList SerialCommPortSource::listPorts(DebugLog &) const
{
    QStringList ports;
    const RegistryKey key(HKEY_LOCAL_MACHINE, u"HARDWARE\\DEVICEMAP\\SERIALCOMM"_s);
    for (const QString &name : key.valueNames()) {
        if (const std::optional<QString> port = key.stringValue(name))
            ports << *port;
    }
    return ports;
}
