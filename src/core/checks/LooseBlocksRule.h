#pragma once

#include "checks/CheckRule.h"

// Blocks on the canvas that the start block does not reach are left out of the
// sketch. One finding per loose chain (or loose value block), at its first block.
// Without any start block the sketch is not made at all, which the pupil is told
// then; nothing is found here.
class LooseBlocksRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
