#pragma once

#include "checks/CheckRule.h"

// A variable whose value block stands in a slot of the program although no "Βάλε
// τιμή" or "Άλλαξε κατά" block of the program writes it: it keeps the 0 every global
// starts with. Only the blocks the sketch runs count, for reading and for writing
// alike: a loose block that sets the variable never runs (the loose blocks are told
// about on their own). One finding per variable, at its first value block in program
// order; value blocks of variables that no longer exist are another rule's concern.
class UnsetVariableRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
