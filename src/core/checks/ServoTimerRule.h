#pragma once

#include "checks/CheckRule.h"

// The servo library takes a timer whose PWM pins (9 and 10 on the Uno and Nano, 11
// and 12 on the Mega) then give no analogue output: the robot's speed on such a pin
// is only full speed or standing still. One finding per device.
class ServoTimerRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
