#include "project/ExampleProject.h"

#include "blocks/TKeloLoopBlock.h"
#include "devices/DeviceTypes.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"

using namespace Qt::StringLiterals;

void buildBlinkExample(Project &project)
{
    ActiveDevices &devices = project.devices();
    const int laser = devices.AddDevice(DeviceTypes::Laser, project.prompt());
    devices.SetParam(laser, 1, 13);
    project.variables().Newvar(u"Μετρητής"_s);

    ProgramBuilder pb(project);
    TKeloBlock *start = pb.place(u"Έναρξη προγράμματος"_s);
    start->SetBounds(90, 70, start->Width(), start->Height());
    auto *loop = static_cast<TKeloLoopBlock *>(pb.below(start, pb.place(u"Επανάλαβε συνεχώς"_s)));
    const struct {
        const char16_t *text;
        int param;
    } body[] = {{u"Θέσε το pin %p1 σε 1 (high=5 Volt)", 13},
                {u"Περίμενε %p1 χιλιοστά δευτερολέπτου", 500},
                {u"Θέσε το pin %p1 σε 0 (low=0 Volt)", 13},
                {u"Περίμενε %p1 χιλιοστά δευτερολέπτου", 500}};
    for (const auto &step : body) {
        TKeloBlock *b = pb.intoBody(loop, pb.place(QString::fromUtf16(step.text)));
        b->SetParam1(step.param);
    }
}
