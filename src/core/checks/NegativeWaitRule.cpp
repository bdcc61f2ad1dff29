#include "checks/NegativeWaitRule.h"

#include "blocks/TKeloBlock.h"
#include "checks/CheckContext.h"

using namespace Qt::StringLiterals;

void NegativeWaitRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    for (const TKeloBlock *b : project.program()) {
        int wait = 0;
        if (b->ArduCmd.contains(u"delay(%p1)"_s) && !b->VarParam1())
            wait = b->GetParam1();
        else if (b->ArduCmd.contains(u"delay(%p2)"_s) && !b->VarParam2())
            wait = b->GetParam2();
        if (wait >= 0)
            continue;
        findings.append(Finding::aboutBlock(
            Finding::Severity::Warning, u"negative-wait"_s, b,
            u"Ο χρόνος αναμονής είναι αρνητικός (%1). Το Arduino θα τον καταλάβει σαν έναν τεράστιο αριθμό και θα "
            u"περιμένει περίπου 49 μέρες! Γράψε έναν θετικό αριθμό."_s.arg(wait)));
    }
}
