#include "serial/FirmwareLine.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kResend = u" Πατήστε ξανά «Αποστολή»."_s;
const QString kBurnAgain = u" Ίσως το λογισμικό της πλακέτας είναι παλιό: γράψτε το ξανά με το κουμπί «Φόρτωση "
                           u"Λογισμικού στο Arduino» στη σελίδα «Συσκευές»."_s;

// The firmware's own words after "Morvane: ", and what they mean.
const std::pair<const char16_t *, QString> kProblems[] = {
    {u"program too big for this board",
     u"Το πρόγραμμα δεν χωράει σε αυτή την πλακέτα. Κάντε το μικρότερο ή χρησιμοποιήστε Arduino Mega."_s},
    {u"transfer timed out",
     u"Η αποστολή του προγράμματος σταμάτησε στη μέση: το Arduino περίμενε κι άλλα δεδομένα."_s + kResend},
    {u"no checksum", u"Το πρόγραμμα δεν έφτασε ολόκληρο στο Arduino και δεν ξεκίνησε."_s + kResend},
    {u"checksum error, program not run",
     u"Το πρόγραμμα έφτασε αλλοιωμένο στο Arduino και δεν ξεκίνησε."_s + kResend},
    {u"unknown device set-up record", u"Το Arduino δεν γνωρίζει μια συσκευή του προγράμματος."_s + kBurnAgain},
    {u"too many devices", u"Το πρόγραμμα έχει περισσότερες συσκευές από όσες χωρούν στο Arduino."_s},
    {u"unreadable text in a block",
     u"Ένα κείμενο του προγράμματος δεν έφτασε σωστά στο Arduino."_s + kResend},
    {u"misplaced else",
     u"Το Arduino βρήκε ένα «Αλλιώς» έξω από τη θέση του. Ελέγξτε τα blocks του προγράμματος."_s},
    {u"unmatched end block",
     u"Το Arduino βρήκε ένα τέλος επανάληψης ή συνθήκης χωρίς την αρχή του. Ελέγξτε τα blocks του "
     u"προγράμματος."_s},
    {u"container without end block",
     u"Το Arduino βρήκε μια επανάληψη ή συνθήκη χωρίς το τέλος της. Ελέγξτε τα blocks του προγράμματος."_s},
    {u"blocks nested too deep",
     u"Το πρόγραμμα έχει πάρα πολλές επαναλήψεις ή συνθήκες τη μία μέσα στην άλλη για το Arduino."_s},
    {u"unknown comparison", u"Το Arduino δεν γνωρίζει μια σύγκριση του προγράμματος."_s + kBurnAgain},
    {u"too many variables", u"Το πρόγραμμα έχει περισσότερες μεταβλητές από όσες χωρούν στο Arduino."_s},
    {u"variable id out of range",
     u"Το πρόγραμμα έχει περισσότερες μεταβλητές από όσες χωρούν στο Arduino."_s},
};

} // namespace

std::optional<FirmwareLine> FirmwareLine::read(const QString &line)
{
    const QString l = line.trimmed();
    if (l == u"Morvane ready"_s)
        return FirmwareLine{u"Το Arduino είναι έτοιμο για ζωντανή λειτουργία."_s, false};
    if (l == u"Program start"_s)
        return FirmwareLine{u"Το πρόγραμμα τρέχει στο Arduino."_s, false};
    if (l == u"Program stopped"_s)
        return FirmwareLine{u"Το πρόγραμμα σταμάτησε στο Arduino."_s, false};
    const QString prefix = u"Morvane: "_s;
    if (!l.startsWith(prefix))
        return std::nullopt;
    const QString words = l.mid(prefix.size());
    for (const auto &[english, greek] : kProblems)
        if (words == QString::fromUtf16(english))
            return FirmwareLine{greek, true};
    return FirmwareLine{u"Το Arduino ανέφερε πρόβλημα: «%1»."_s.arg(words), true};
}
