#include "checks/ProjectChecks.h"

#include "checks/BoardPinRule.h"
#include "checks/CheckContext.h"
#include "checks/I2cPinRule.h"
#include "checks/LooseBlocksRule.h"
#include "checks/MissingDeviceRule.h"
#include "checks/MissingVariableRule.h"
#include "checks/NegativeWaitRule.h"
#include "checks/PinCapabilityRule.h"
#include "checks/PinOutputRule.h"
#include "checks/PinReadRule.h"
#include "checks/ServoTimerRule.h"
#include "checks/SharedPinRule.h"
#include "checks/UnsetVariableRule.h"
#include "checks/VariableNameRule.h"
#include "project/Project.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const std::vector<std::unique_ptr<CheckRule>> &rules()
{
    static const std::vector<std::unique_ptr<CheckRule>> all = [] {
        std::vector<std::unique_ptr<CheckRule>> r;
        r.push_back(std::make_unique<VariableNameRule>());
        r.push_back(std::make_unique<MissingVariableRule>());
        r.push_back(std::make_unique<UnsetVariableRule>());
        r.push_back(std::make_unique<MissingDeviceRule>());
        r.push_back(std::make_unique<BoardPinRule>());
        r.push_back(std::make_unique<PinOutputRule>());
        r.push_back(std::make_unique<PinReadRule>());
        r.push_back(std::make_unique<SharedPinRule>());
        r.push_back(std::make_unique<I2cPinRule>());
        r.push_back(std::make_unique<ServoTimerRule>());
        r.push_back(std::make_unique<PinCapabilityRule>());
        r.push_back(std::make_unique<NegativeWaitRule>());
        r.push_back(std::make_unique<LooseBlocksRule>());
        return r;
    }();
    return all;
}

} // namespace

QList<Finding> ProjectChecks::run(Project &project)
{
    const CheckContext context(project.workspace(), project.devices(), project.variables());
    QList<Finding> findings;
    for (const auto &rule : rules())
        rule->check(context, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.isError() && !b.isError(); });
    return findings;
}

bool ProjectChecks::hasErrors(const QList<Finding> &findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const Finding &f) { return f.isError(); });
}
