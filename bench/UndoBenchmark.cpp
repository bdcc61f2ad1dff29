// Undo and redo of one step in a 1,000-block program: the state before the change is
// restored from its compressed snapshot by loading it, and again forward. Each must
// stay under 50 ms; the memory of a hundred steps is reported beside.
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloLoopBlock.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "shell/ProjectSession.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_UndoRedoStep(benchmark::State &state)
{
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project(&measurer, &log, &prompt);
    project.buildPalette();
    ProgramBuilder pb(project);
    pb.setLayout(false);
    int blocks = 1;
    TKeloBlock *tail = pb.place(u"Έναρξη προγράμματος"_s);
    while (blocks < state.range(0)) {
        auto *loop = static_cast<TKeloLoopBlock *>(pb.place(u"Επανάλαβε %p1 φορές"_s));
        pb.below(tail, loop);
        pb.intoBody(loop, pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s));
        tail = loop->EndBlock();
        blocks += 3;
    }
    ProjectSession session(project, &prompt);
    // A hundred steps of history, each a changed number somewhere.
    for (int i = 0; i < 100; ++i) {
        pb.place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s)->SetParam1(i);
        session.markModified();
    }
    // Each iteration is one step: back, then forward on the next.
    bool back = true;
    for (auto _ : state) {
        if (back)
            session.undo();
        else
            session.redo();
        back = !back;
    }
    state.counters["blocks"] = blocks;
    state.counters["history_MB"] = double(session.history().memoryUse()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_UndoRedoStep)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
