#include "toolchain/UploadEvidence.h"

#include "serial/PortPermissionHelp.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

bool UploadEvidence::confirmed(const QString &output)
{
    // avrdude says "N bytes of flash written", reads the flash back and says "N bytes of
    // flash verified", or names the first mismatch and fails. The IDE ends as soon as
    // avrdude has and often drops its last lines, the verification among them: with
    // the run's exit status 0 (avrdude's own, passed on), the write is proof enough.
    static const QRegularExpression wrote(uR"(\d+ bytes of flash (?:written|verified))"_s);
    return wrote.match(output).hasMatch() && !output.contains(u"verification error"_s)
           && !output.contains(u"verification mismatch"_s);
}

UploadEvidence::Problem UploadEvidence::problem(const QString &output, const QString &port, bool exitedWell)
{
    if (output.contains(u"Permission denied"_s))
        return Problem::PermissionDenied;
    if (output.contains(u"Device or resource busy"_s) || output.contains(u"Resource busy"_s)
        || output.contains(u"Port busy"_s))
        return Problem::PortBusy;
    const bool cannotOpen = output.contains(u"cannot open port"_s) || output.contains(u"can't open device"_s);
    if ((cannotOpen && output.contains(u"No such file or directory"_s)) || output.contains(u"is not available"_s)
        || output.contains(u"Serial port not selected"_s))
        return Problem::PortMissing;
    // A port that was open and then failed: the board was unplugged (a USB adapter
    // gives "No such device", a hung-up line "Input/output error").
    if (output.contains(u"Input/output error"_s) || output.contains(u"No such device"_s)
        || output.contains(u"read error"_s) || output.contains(u"write error"_s))
        return Problem::PortGone;
    if (output.contains(u"not in sync"_s) || output.contains(u"not responding"_s)
        || output.contains(u"stk500_getsync"_s) || output.contains(u"out of sync"_s))
        return Problem::NoAnswer;
    // When the uploader failed at once, the IDE may end before passing its words on:
    // a port that is not there says the same. After a run that ended well, the port
    // went away during it.
    if (!port.isEmpty() && !QFileInfo::exists(port))
        return exitedWell ? Problem::PortGone : Problem::PortMissing;
    return exitedWell ? Problem::NotConfirmed : Problem::Other;
}

QString UploadEvidence::explain(Problem problem, const QString &port)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::NoAnswer:
        return u"Η πλακέτα δεν απαντά. Ελέγξτε ότι είναι συνδεδεμένη, ότι διαλέξατε τη σωστή πόρτα "
               u"και το σωστό μοντέλο (στις «Συσκευές»)."_s;
    case Problem::PortMissing:
        return u"Η πόρτα «%1» δεν υπάρχει. Συνδέστε την πλακέτα και ανανεώστε τις πόρτες με διπλό "
               u"κλικ στη γραμμή κατάστασης."_s.arg(port);
    case Problem::PortBusy:
        return u"Η πόρτα «%1» χρησιμοποιείται από άλλο πρόγραμμα (για παράδειγμα το Serial Monitor). "
               u"Κλείστε το και δοκιμάστε ξανά."_s.arg(port);
    case Problem::PermissionDenied:
        return PortPermissionHelp::text();
    case Problem::PortGone:
        return u"Η σύνδεση με την πλακέτα χάθηκε στη μέση της αποστολής (η πόρτα «%1» δεν απαντά πια). "
               u"Συνδέστε ξανά την πλακέτα, ανανεώστε τις πόρτες με διπλό κλικ στη γραμμή κατάστασης και "
               u"δοκιμάστε ξανά."_s.arg(port);
    case Problem::NotConfirmed:
        return u"Η πλακέτα δεν επιβεβαίωσε ότι γράφτηκε το πρόγραμμα. Δείτε τα μηνύματα στη σελίδα "
               u"«Arduino Κώδικας» και δοκιμάστε ξανά."_s;
    case Problem::Other:
        return u"Δείτε τα μηνύματα στη σελίδα «Arduino Κώδικας»."_s;
    }
    return {};
}
