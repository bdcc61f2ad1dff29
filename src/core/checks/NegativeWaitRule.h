#pragma once

#include "checks/CheckRule.h"

// delay() takes an unsigned number: a negative wait becomes a wait of about 49 days.
// Any block whose template waits for one of its own numbers counts (the wait block,
// the robot's timed turns); a value block in the slot is known only when it runs.
class NegativeWaitRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
