#pragma once

#include "checks/CheckRule.h"

// Every variable becomes "int <identifier>;" with its Greek name transliterated. The
// compile fails when that is no identifier (a leading digit, a letter the table does
// not transliterate such as Ή, no name at all), when it is a C++ keyword or a name
// the Arduino core, a device library or a device already has, and when two variables
// give the same identifier (ο and ω both become "o"). One finding per variable, the
// later of two that collide.
class VariableNameRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;
};
