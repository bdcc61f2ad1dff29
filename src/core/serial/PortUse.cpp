#include "serial/PortUse.h"

using namespace Qt::StringLiterals;

QString portInUseMessage(PortUse holder, const QString &port)
{
    switch (holder) {
    case PortUse::Live:
        return u"Η πόρτα «%1» είναι απασχολημένη: η ζωντανή λειτουργία στέλνει ένα πρόγραμμα. Περιμένετε να "
               u"τελειώσει και δοκιμάστε ξανά."_s.arg(port);
    case PortUse::Upload:
        return u"Η πόρτα «%1» είναι απασχολημένη: ένα πρόγραμμα στέλνεται στο Arduino. Περιμένετε να τελειώσει "
               u"ή πατήστε «Ακύρωση»."_s.arg(port);
    case PortUse::Burn:
        return u"Η πόρτα «%1» είναι απασχολημένη: γράφεται το λογισμικό στο Arduino. Περιμένετε να τελειώσει "
               u"ή πατήστε «Ακύρωση»."_s.arg(port);
    }
    return {};
}
