#pragma once

#include "checks/CheckRule.h"

// An "Εάν το pin" condition that reads an output reads back what the program itself
// wrote, not a switch or a sensor: the pin was made an output by a "Διαμόρφωσε …
// για έξοδο" block earlier in program order, or it is a laser/LED's pin. One finding
// per pin, at its first such condition. Pins that other devices drive are the shared
// pins' concern.
class PinReadRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
