#include "checks/PinCapabilityRule.h"

#include "checks/CheckContext.h"

using namespace Qt::StringLiterals;

void PinCapabilityRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    const BoardPins &board = project.board();
    for (const DevicePin &d : project.devicePins()) {
        if (!board.hasPin(d.pin) || BoardPins::isUsbPin(d.pin))
            continue;
        if (d.role == DevicePin::Role::Pwm && !board.isPwm(d.pin)) {
            findings.append(Finding::aboutDevice(
                Finding::Severity::Warning, u"pwm-pin"_s, d.deviceName,
                u"Το pin %1 δεν δίνει αναλογική έξοδο (PWM), οπότε η ταχύτητα της συσκευής %2 (%3) δεν θα "
                u"ρυθμίζεται: θα είναι μόνο σταματημένη ή στο τέρμα. Στο %4 σύνδεσέ το σε ένα από τα pin %5."_s.arg(
                    board.pinName(d.pin), d.deviceName, d.label, board.boardName(),
                    BoardPins::choosePins(board.pwmPins()))));
        } else if (d.role == DevicePin::Role::Interrupt && !board.isInterrupt(d.pin)) {
            findings.append(Finding::aboutDevice(
                Finding::Severity::Warning, u"interrupt-pin"_s, d.deviceName,
                u"Το %1 της συσκευής %2 είναι στο pin %3, που δεν μπορεί να ειδοποιεί το πρόγραμμα (interrupt), "
                u"οπότε η απόσταση δεν θα μετριέται. Στο %4 σύνδεσέ το σε ένα από τα pin %5."_s.arg(
                    d.label, d.deviceName, board.pinName(d.pin), board.boardName(),
                    BoardPins::choosePins(board.interruptPins()))));
        }
    }
}
