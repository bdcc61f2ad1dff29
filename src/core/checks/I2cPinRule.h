#pragma once

#include "checks/CheckRule.h"

// While an I2C device is present (the LCD, the barometer, the robot's gyroscope), its
// bus owns SDA and SCL (A4 and A5 on the Uno and Nano, 20 and 21 on the Mega): a pin
// block or another device there breaks the bus. One finding per pin for the blocks,
// at the first block, and one per device.
class I2cPinRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
