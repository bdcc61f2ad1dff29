#pragma once

#include <QList>
#include <QStringList>

class TKeloBlock;
class DebugLog;

// Appends the code lines of the chain that starts at first, indented by depth, and
// one trace line per block to the log. Container bodies follow at depth + 1 and are
// closed by "}"; a ticked else branch follows at the condition's own depth. With
// origins, the block each appended entry comes from is appended there as well (a
// closing brace belongs to its container).
void WalkChain(QStringList &lines, TKeloBlock *first, int depth, DebugLog *log,
               QList<const TKeloBlock *> *origins = nullptr);
