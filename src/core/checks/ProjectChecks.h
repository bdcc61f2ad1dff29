#pragma once

#include "checks/Finding.h"

#include <QList>

class Project;

// Runs every check on a project before its sketch is made: the mistakes a pupil makes
// that the compiler does not name, or names in words a pupil cannot read.
class ProjectChecks {
public:
    // Errors first, then warnings; each in the order of the rules and, within a rule,
    // in program order, then device order, then variable order.
    static QList<Finding> run(Project &project);
    static bool hasErrors(const QList<Finding> &findings);
};
