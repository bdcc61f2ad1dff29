#pragma once

#include "checks/CheckRule.h"

// Variable blocks whose variable is not in the table: a "Βάλε τιμή" or "Άλλαξε κατά"
// block with no variable chosen (or one since deleted), and a variable's value block
// left from a deleted variable. The sketch then names "NoVAR", and the compile fails.
// One finding per block.
class MissingVariableRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
