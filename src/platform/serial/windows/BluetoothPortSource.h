#pragma once

#include "serial/PortSource.h"

// Bluetooth serial ports: the "PortName" of every device under
// HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\BTHENUM\<device>\<instance>\Device Parameters.
// The walk is traced in the debug list.
class BluetoothPortSource : public PortSource {
public:
    QStringList listPorts(DebugLog &log) const override;
};
