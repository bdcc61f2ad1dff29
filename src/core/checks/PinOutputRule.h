#pragma once

#include "checks/CheckRule.h"

// A pin that a "Θέσε το pin" block writes must be an output by then: a "Διαμόρφωσε
// το pin … για έξοδο" block earlier in program order, or a device that makes it one.
// A pin left an input only switches its weak pull-up, so an LED barely glows. One
// finding per pin, at its first such block; pins of devices and pins the board lacks
// are the other rules' concern.
class PinOutputRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
