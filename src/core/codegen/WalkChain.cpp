#include "codegen/WalkChain.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "util/DebugLog.h"

using namespace Qt::StringLiterals;

void WalkChain(QStringList &lines, TKeloBlock *b, int depth, DebugLog *log, QList<const TKeloBlock *> *origins)
{
    const auto append = [&](const QString &line, const TKeloBlock *from) {
        lines.append(line);
        if (origins)
            origins->append(from);
    };
    const QString indent(3 * depth, u' ');
    // Bounded by the number of blocks, so that a loop in the links (only a damaged
    // file can make one) cannot make the walk endless.
    for (int guard = 0; b && guard < (1 << 24); ++guard) {
        append(indent + b->GetArduinoCommand(depth), b);
        if (log) {
            log->AddDebug(u"Sending CMD="_s + QString::number(b->CommndID) + u" Dev= "_s
                          + QString::number(b->PDevice()) + u" p_1="_s + QString::number(b->GetParam1())
                          + u" v_1=0 v_1=0 p_2="_s + QString::number(b->GetParam2()));
        }
        if (dynamic_cast<TKeloContainerBlock *>(b)) {
            WalkChain(lines, b->firstBlock(), depth + 1, log, origins);
            append(indent + u'}', b);
        }
        if (auto *c = dynamic_cast<TKeloControlElseBlock *>(b); c && c->elsevisible()) {
            WalkChain(lines, c->ElseBlock(), depth, log, origins);
            append(indent + u'}', c);
        }
        b = b->GetLinkTo();
    }
}
