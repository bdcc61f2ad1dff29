// The checks before sending on a pupil's program grown large: pin blocks writing and
// reading many pins, loops, conditions with else branches, device blocks, variable
// blocks with values in their slots, and a few loose blocks, over devices on many
// pins. The checks run on every press of "Αποστολή στο Arduino", so a program of
// 1,000 blocks must take well under 5 ms.
#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "checks/ProjectChecks.h"
#include "devices/DeviceTypes.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

struct PinProgram {
    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project{&measurer, &log, &prompt};
    int blocks = 0;

    explicit PinProgram(int target)
    {
        project.buildPalette();
        ActiveDevices &d = project.devices();
        const auto add = [&](int type, std::initializer_list<int> params) {
            const int k = d.AddDevice(type, &prompt);
            int i = 1;
            for (int p : params)
                d.SetParam(k, i++, p);
        };
        add(DeviceTypes::Laser, {13});
        add(DeviceTypes::Switch, {2});
        add(DeviceTypes::Servo, {9});
        add(DeviceTypes::UltraSonic, {6, 7});
        add(DeviceTypes::ROBOT, {3, 4, 5, 8, 2, 1, 10});
        add(DeviceTypes::LCD_Serial, {});
        for (const char16_t *n : {u"Μετρητής", u"Θέση Χ", u"Ταχύτητα", u"Φως", u"Φος"})
            project.variables().Newvar(QString::fromUtf16(n));

        ProgramBuilder pb(project);
        pb.setLayout(false);
        const auto place = [&](const char16_t *text, int param = -1) {
            ++blocks;
            TKeloBlock *b = pb.place(QString::fromUtf16(text));
            if (param >= 0)
                b->SetParam1(param);
            return b;
        };
        TKeloBlock *tail = place(u"Έναρξη προγράμματος");
        int unit = 0;
        while (blocks < target) {
            // One unit, 16 blocks with the companions: a loop holding pin blocks on a
            // pin of its own, a condition with an else branch and device blocks.
            const int pin = 14 + unit % 6;
            ++unit;
            auto *loop = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές", 5));
            ++blocks;  // end block
            pb.below(tail, loop);
            TKeloBlock *x = pb.below(loop, place(u"Διαμόρφωσε το pin %p1 για έξοδο", pin));
            x = pb.below(x, place(u"Θέσε το pin %p1 σε 1 (high=5 Volt)", pin));
            x = pb.below(x, place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου", 100));
            x = pb.below(x, place(u"Θέσε το pin %p1 σε 0 (low=0 Volt)", unit % 20));
            auto *cond = static_cast<TKeloControlElseBlock *>(place(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"));
            blocks += 2;  // end block and else header
            cond->SetParam2(unit % 2 ? 2 : pin);
            pb.below(x, cond);
            auto *set = static_cast<TKeloCommandVarBlock *>(place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"));
            set->VarComboChange(unit % 5);
            TKeloBlock *reading = place(u"%pd → Απόσταση");
            reading->DeviceComboChange(0);
            set->SetVarParam1(reading);
            pb.below(cond, set);
            cond->ElsebutClick(true, &prompt);
            x = pb.below(cond->ElseBlock(), place(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά", 30));
            x->DeviceComboChange(0);
            pb.below(x, place(u"%pd → Ενεργοποίησε το Laser/LED "))->DeviceComboChange(0);
            if (unit % 20 == 0)
                place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου", -1);  // loose
            tail = loop->EndBlock();
        }
    }
};

void BM_Checks(benchmark::State &state)
{
    PinProgram program(int(state.range(0)));
    qsizetype findings = 0;
    for (auto _ : state) {
        const QList<Finding> found = ProjectChecks::run(program.project);
        findings = found.size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["blocks"] = program.blocks;
    state.counters["findings"] = double(findings);
    state.SetComplexityN(program.blocks);
}

BENCHMARK(BM_Checks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
