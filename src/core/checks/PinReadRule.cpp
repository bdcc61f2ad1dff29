#include "checks/PinReadRule.h"

#include "checks/CheckContext.h"

#include <QSet>

using namespace Qt::StringLiterals;

void PinReadRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    QSet<int> told;
    for (const PinUse &use : project.pinUses()) {
        if (use.action != PinUse::Action::Read || told.contains(use.pin))
            continue;
        const QString pin = project.board().pinName(use.pin);
        QString text;
        if (use.modeBefore == PinUse::Mode::Output) {
            text = u"Το pin %1 είναι διαμορφωμένο για έξοδο, οπότε αυτός ο έλεγχος διαβάζει ό,τι γράφει το ίδιο "
                   u"το πρόγραμμα και όχι κάποιον διακόπτη ή αισθητήρα. Για να διαβάσεις μια συσκευή, σύνδεσέ τη "
                   u"σε ένα άλλο pin και διαμόρφωσέ το για είσοδο."_s.arg(pin);
        } else if (use.modeBefore == PinUse::Mode::Unset) {
            for (const DevicePin &d : project.devicePinsOn(use.pin)) {
                if (d.role != DevicePin::Role::Output)
                    continue;
                text = u"Στο pin %1 είναι η συσκευή %2, που είναι έξοδος, οπότε αυτός ο έλεγχος διαβάζει αν την "
                       u"άναψε το ίδιο το πρόγραμμα και όχι κάποιον διακόπτη ή αισθητήρα. Για να διαβάσεις μια "
                       u"συσκευή, σύνδεσέ τη σε ένα άλλο pin."_s.arg(pin, d.deviceName);
                break;
            }
        }
        if (text.isEmpty())
            continue;
        told.insert(use.pin);
        findings.append(Finding::aboutBlock(Finding::Severity::Warning, u"pin-read-output"_s, use.block, text));
    }
}
