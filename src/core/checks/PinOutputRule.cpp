#include "checks/PinOutputRule.h"

#include "checks/CheckContext.h"

#include <QHash>

using namespace Qt::StringLiterals;

void PinOutputRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    using A = PinUse::Action;
    QHash<int, A> mode;  // the last "Διαμόρφωσε" block of each pin so far
    QSet<int> told;
    for (const PinUse &use : project.pinUses()) {
        if (use.action == A::ConfigureOutput || use.action == A::ConfigureInput) {
            mode.insert(use.pin, use.action);
            continue;
        }
        if (use.action != A::Write || told.contains(use.pin) || mode.value(use.pin, A::Read) == A::ConfigureOutput)
            continue;
        if (!project.board().hasPin(use.pin) || !project.devicePinsOn(use.pin).isEmpty())
            continue;
        told.insert(use.pin);
        const QString pin = project.board().pinName(use.pin), number = QString::number(use.pin);
        const QString text =
            mode.value(use.pin, A::Read) == A::ConfigureInput
                ? u"Το pin %1 έχει διαμορφωθεί για είσοδο και όχι για έξοδο, γι' αυτό ό,τι είναι συνδεδεμένο "
                  u"εκεί (ένα LED, για παράδειγμα) θα ανάβει πολύ αμυδρά ή καθόλου. Άλλαξε το block «Διαμόρφωσε "
                  u"το pin %2 για είσοδο» σε «Διαμόρφωσε το pin %2 για έξοδο»."_s.arg(pin, number)
                : u"Το pin %1 δεν έχει διαμορφωθεί για έξοδο πριν από αυτό το block, γι' αυτό ό,τι είναι "
                  u"συνδεδεμένο εκεί (ένα LED, για παράδειγμα) θα ανάβει πολύ αμυδρά ή καθόλου. Βάλε πιο πάνω "
                  u"στο πρόγραμμα το block «Διαμόρφωσε το pin %2 για έξοδο»."_s.arg(pin, number);
        findings.append(Finding::aboutBlock(Finding::Severity::Warning, u"pin-not-output"_s, use.block, text));
    }
}
