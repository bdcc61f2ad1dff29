#pragma once

#include "serial/PortSource.h"

// The present devices of the device set-up class "Ports" whose "PortName" begins with
// "COM" (USB adapters, built-in ports; printer ports "LPT" are left out).
class SetupApiPortSource : public PortSource {
public:
    QStringList listPorts(DebugLog &log) const override;
};
