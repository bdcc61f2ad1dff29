#include "codegen/WalkChain.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "util/DebugLog.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Where the walk stands in one chain: the block, and how far its own lines are done.
struct Step {
    TKeloBlock *block;
    int depth;
    enum Stage { Line, AfterBody, AfterElse } stage = Line;
};

} // namespace

void WalkChain(QStringList &lines, TKeloBlock *first, int depth, DebugLog *log, QList<const TKeloBlock *> *origins)
{
    const auto append = [&](const QString &line, const TKeloBlock *from) {
        lines.append(line);
        if (origins)
            origins->append(from);
    };
    // The chains are walked with a stack of their own, not by recursion, so that
    // deeply nested containers cannot exhaust the stack. Each block is reached once
    // when the links form a forest, as the loader sees to; a loop made by other means
    // is cut off after as many steps as there are blocks.
    const qsizetype limit = first ? first->walkLimit() : 0;
    qsizetype walked = 0;
    std::vector<Step> stack;
    if (first)
        stack.push_back(Step{first, depth});
    while (!stack.empty()) {
        Step &s = stack.back();
        TKeloBlock *b = s.block;
        const QString indent(3 * s.depth, u' ');
        switch (s.stage) {
        case Step::Line:
            if (++walked > limit) {
                if (log)
                    log->AddDebug(u"Bug-->> the program's links run in a loop at "_s + b->Name());
                return;
            }
            append(indent + b->GetArduinoCommand(s.depth), b);
            if (log) {
                log->AddDebug(u"Sending CMD="_s + QString::number(b->CommndID) + u" Dev= "_s
                              + QString::number(b->PDevice()) + u" p_1="_s + QString::number(b->GetParam1())
                              + u" v_1=0 v_1=0 p_2="_s + QString::number(b->GetParam2()));
            }
            s.stage = Step::AfterBody;
            if (dynamic_cast<TKeloContainerBlock *>(b) && b->firstBlock()) {
                const int inner = s.depth + 1;
                stack.push_back(Step{b->firstBlock(), inner});  // s is not used after this
                continue;
            }
            break;
        case Step::AfterBody:
            if (dynamic_cast<TKeloContainerBlock *>(b))
                append(indent + u'}', b);
            s.stage = Step::AfterElse;
            if (auto *c = dynamic_cast<TKeloControlElseBlock *>(b); c && c->elsevisible() && c->ElseBlock()) {
                const int same = s.depth;
                stack.push_back(Step{c->ElseBlock(), same});
                continue;
            }
            break;
        case Step::AfterElse:
            if (auto *c = dynamic_cast<TKeloControlElseBlock *>(b); c && c->elsevisible())
                append(indent + u'}', c);
            if (TKeloBlock *next = b->GetLinkTo()) {
                s.block = next;
                s.stage = Step::Line;
            } else {
                stack.pop_back();
            }
            break;
        }
    }
}
