#include "BigProgram.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloContainerBlockEnd.h"
#include "blocks/TKeloControlBlockELSE.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "devices/DeviceTypes.h"
#include "project/ProgramBuilder.h"

BigProgram::BigProgram(int target)
{
    project.buildPalette();
    ActiveDevices &d = project.devices();
    d.AddDevice(DeviceTypes::Laser, &prompt);
    d.AddDevice(DeviceTypes::UltraSonic, &prompt);
    d.AddDevice(DeviceTypes::Servo, &prompt);
    d.AddDevice(DeviceTypes::ROBOT, &prompt);
    for (const char16_t *n : {u"Μετρητής", u"Θέση Χ", u"Ταχύτητα"})
        project.variables().Newvar(QString::fromUtf16(n));

    ProgramBuilder pb(project);
    pb.setLayout(false);
    auto place = [&](const char16_t *text) {
        ++blocks;
        return pb.place(QString::fromUtf16(text));
    };
    TKeloBlock *tail = place(u"Έναρξη προγράμματος");
    while (blocks < target) {
        // One unit: a loop holding a loop and an if/else, 17 blocks with companions.
        auto *outer = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"));
        ++blocks;  // end block
        pb.below(tail, outer);
        auto *inner = static_cast<TKeloLoopBlock *>(place(u"Επανάλαβε %p1 φορές"));
        ++blocks;
        pb.below(outer, inner);
        TKeloBlock *x = pb.below(inner, place(u"%pd → Ενεργοποίησε το Laser/LED "));
        x->DeviceComboChange(0);
        x = pb.below(x, place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"));
        x = pb.below(x, place(u"%pd → Μετακίνησε %p1 μοίρες Δεξιά"));
        x->DeviceComboChange(0);
        auto *cond = static_cast<TKeloControlElseBlock *>(place(u"%pd → Εάν απόσταση %p1 %p2 εκατοστά"));
        blocks += 2;  // end block and else header
        cond->DeviceComboChange(0);
        pb.below(inner->EndBlock(), cond);
        auto *set = static_cast<TKeloCommandVarBlock *>(place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"));
        set->VarComboChange(blocks % 3);
        TKeloBlock *reading = place(u"%pd → Απόσταση");
        reading->DeviceComboChange(0);
        set->SetVarParam1(reading);
        pb.below(cond, set);
        cond->ElsebutClick(true, &prompt);
        x = pb.below(cond->ElseBlock(), place(u"%pd → Robot Μπροστά"));
        x->DeviceComboChange(0);
        pb.below(x, place(u"Άλλαξε κατά %p1 την Μεταβλητή %p2"));
        tail = outer->EndBlock();
    }
    pb.below(tail, place(u"Τερματισμός προγράμματος"));
}
