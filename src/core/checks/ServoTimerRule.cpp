#include "checks/ServoTimerRule.h"

#include "checks/CheckContext.h"
#include "checks/GreekList.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"

using namespace Qt::StringLiterals;

void ServoTimerRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    if (project.devices().typeCount(DeviceTypes::Servo) == 0)
        return;
    const BoardPins &board = project.board();
    const QList<int> timer = board.servoTimerPins();
    QList<int> others;
    for (int pin : board.pwmPins())
        if (!timer.contains(pin))
            others.append(pin);
    for (const DevicePin &d : project.devicePins()) {
        if (d.role != DevicePin::Role::Pwm || !timer.contains(d.pin))
            continue;
        findings.append(Finding::aboutDevice(
            Finding::Severity::Warning, u"servo-pwm"_s, d.deviceName,
            u"Όταν υπάρχει Servo, τα pin %1 δεν δίνουν αναλογική έξοδο (PWM). Η συσκευή %2 έχει το %3 στο pin %4, "
            u"οπότε η ταχύτητά της δεν θα ρυθμίζεται: θα είναι μόνο σταματημένη ή στο τέρμα. Σύνδεσέ το σε ένα "
            u"από τα pin %5."_s.arg(GreekList::join({QString::number(timer[0]), QString::number(timer[1])}), d.deviceName, d.label, QString::number(d.pin),
                                    BoardPins::choosePins(others))));
    }
}
