#include "checks/LooseBlocksRule.h"

#include "blocks/TKeloCompanionBlock.h"
#include "blocks/TKeloContainerBlock.h"
#include "blocks/Workspace.h"
#include "checks/CheckContext.h"

using namespace Qt::StringLiterals;

void LooseBlocksRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    if (!project.startBlock())
        return;
    for (const TKeloBlock *b : project.workspace().canvas().children()) {
        // A chain's first block has nothing above it; end blocks and else headers
        // belong to their containers.
        if (b->prototype() || !b->Visible() || b->LinkFrom() || project.runs(b)
            || dynamic_cast<const TKeloCompanionBlock *>(b))
            continue;
        const bool alone = !b->firstBlock() && !dynamic_cast<const TKeloContainerBlock *>(b);
        findings.append(Finding::aboutBlock(
            Finding::Severity::Warning, u"loose-blocks"_s, b,
            alone ? u"Αυτό το block δεν είναι ενωμένο με το «Έναρξη προγράμματος», οπότε δεν θα εκτελεστεί. "
                    u"Ένωσέ το κάτω από ένα block του προγράμματος ή σύρε το στον κάδο."_s
                  : u"Αυτά τα blocks δεν είναι ενωμένα με το «Έναρξη προγράμματος», οπότε δεν θα εκτελεστούν. "
                    u"Ένωσέ τα κάτω από ένα block του προγράμματος ή σύρε τα στον κάδο."_s));
    }
}
