#pragma once

#include "checks/CheckRule.h"

// One pin, one job. Two devices on the same pin (or two connections of one device)
// fight over it; a pin block that changes, or reads, a pin a device's code uses gets
// in the device's way. A laser/LED's pin may still be switched by the pin blocks, and
// a switch's or an analogue sensor's pin read by them: those devices are a plain
// output and plain inputs.
class SharedPinRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;

private:
    static void checkDevices(const CheckContext &project, QList<Finding> &findings);
    static void checkBlocks(const CheckContext &project, QList<Finding> &findings);
};
