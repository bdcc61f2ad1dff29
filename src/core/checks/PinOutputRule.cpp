#include "checks/PinOutputRule.h"

#include "checks/CheckContext.h"

#include <QSet>

using namespace Qt::StringLiterals;

void PinOutputRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    QSet<int> told;
    for (const PinUse &use : project.pinUses()) {
        if (use.action != PinUse::Action::Write || use.modeBefore == PinUse::Mode::Output || told.contains(use.pin))
            continue;
        if (!project.board().hasPin(use.pin) || !project.devicePinsOn(use.pin).isEmpty())
            continue;
        told.insert(use.pin);
        const QString pin = project.board().pinName(use.pin), number = QString::number(use.pin);
        const QString text =
            use.modeBefore == PinUse::Mode::Input
                ? u"Το pin %1 έχει διαμορφωθεί για είσοδο και όχι για έξοδο, γι' αυτό ό,τι είναι συνδεδεμένο "
                  u"εκεί (ένα LED, για παράδειγμα) θα ανάβει πολύ αμυδρά ή καθόλου. Άλλαξε το block «Διαμόρφωσε "
                  u"το pin %2 για είσοδο» σε «Διαμόρφωσε το pin %2 για έξοδο»."_s.arg(pin, number)
                : u"Το pin %1 δεν έχει διαμορφωθεί για έξοδο πριν από αυτό το block, γι' αυτό ό,τι είναι "
                  u"συνδεδεμένο εκεί (ένα LED, για παράδειγμα) θα ανάβει πολύ αμυδρά ή καθόλου. Βάλε πιο πάνω "
                  u"στο πρόγραμμα το block «Διαμόρφωσε το pin %2 για έξοδο»."_s.arg(pin, number);
        findings.append(Finding::aboutBlock(Finding::Severity::Warning, u"pin-not-output"_s, use.block, text));
    }
}
