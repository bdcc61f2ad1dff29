#pragma once

#include "checks/CheckRule.h"

// Some device connections need a pin that can do more: the robot's speed needs a
// PWM pin (elsewhere it is only full speed or standing still), its photo-interrupter
// an interrupt pin (elsewhere no distance is counted). Pins the board lacks and pins
// 0 and 1 are the board rule's concern.
class PinCapabilityRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
