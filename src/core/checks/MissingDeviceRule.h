#pragma once

#include "checks/CheckRule.h"

// Device blocks whose device type the project no longer has: their device name and
// pins are gone. Blocks that name the device's object ("%dn") make the compile fail;
// the laser, switch and analogue blocks compile with pin -1 and do nothing. One
// finding per device type, at its first block.
class MissingDeviceRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
