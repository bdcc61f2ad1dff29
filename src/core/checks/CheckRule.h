#pragma once

#include "checks/Finding.h"

#include <QList>

class CheckContext;

// One check of a project: reads what the context collected and appends its findings.
class CheckRule {
public:
    virtual ~CheckRule() = default;
    virtual void check(const CheckContext &project, QList<Finding> &findings) const = 0;
};
