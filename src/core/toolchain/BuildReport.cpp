#include "toolchain/BuildReport.h"

#include "serial/PortPermissionHelp.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// "Output.ino:14:19: error: …" as the compiler reports it, also from the IDE's
// temporary copy of the sketch and in the IDE's shortened form "Output:14:19:".
const QRegularExpression &errorLine()
{
    static const QRegularExpression re(
        uR"((?:^|[\s/\\])Output(?:\.ino)?:(\d+):(\d+):\s*(?:fatal\s+)?error:\s*(.+?)\s*$)"_s,
        QRegularExpression::MultilineOption);
    return re;
}

QString quotedName(const QString &message)
{
    static const QRegularExpression re(uR"([‘'`"]([^’'`"]+)[’'`"])"_s);
    const QRegularExpressionMatch m = re.match(message);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString compileHint(const QString &message)
{
    if (message.contains(u"was not declared in this scope"_s) || message.contains(u"undeclared"_s))
        return u"Το όνομα «%1» δεν είναι γνωστό στο πρόγραμμα. Μήπως η μεταβλητή ή η συσκευή "
               u"διαγράφηκε ή γράφτηκε αλλιώς; Ελέγξτε τις «Μεταβλητές» και τις «Συσκευές»."_s
            .arg(quotedName(message));
    if (message.contains(u"No such file or directory"_s)) {
        static const QRegularExpression header(uR"(([\w./-]+\.h)\s*:\s*No such file)"_s);
        const QRegularExpressionMatch m = header.match(message);
        return u"Λείπει η βιβλιοθήκη «%1» από το Arduino IDE. Εγκαταστήστε τις βιβλιοθήκες που "
               u"συνοδεύουν το πρόγραμμα."_s
            .arg(m.hasMatch() ? m.captured(1) : message);
    }
    if (message.contains(u"invalid conversion"_s) || message.contains(u"cannot convert"_s)
        || message.contains(u"too long"_s) || message.contains(u"overflow"_s) || message.contains(u"truncated"_s)
        || message.contains(u"out of range"_s))
        return u"Η τιμή δεν χωράει ή δεν ταιριάζει εκεί που μπήκε (για παράδειγμα κείμενο στη θέση "
               u"αριθμού, ή αριθμός πολύ μεγάλος)."_s;
    return u"Το Arduino βρήκε λάθος στον κώδικα αυτής της εντολής."_s;
}

BuildReport::UploadProblem uploadProblem(const QString &output)
{
    using P = BuildReport::UploadProblem;
    if (output.contains(u"Permission denied"_s))
        return P::PermissionDenied;
    if (output.contains(u"Device or resource busy"_s) || output.contains(u"Resource busy"_s)
        || output.contains(u"Port busy"_s))
        return P::PortBusy;
    const bool cannotOpen = output.contains(u"cannot open port"_s) || output.contains(u"can't open device"_s);
    if ((cannotOpen && output.contains(u"No such file or directory"_s)) || output.contains(u"is not available"_s)
        || output.contains(u"Serial port not selected"_s))
        return P::PortMissing;
    if (output.contains(u"not in sync"_s) || output.contains(u"not responding"_s)
        || output.contains(u"stk500_getsync"_s) || output.contains(u"out of sync"_s))
        return P::NoAnswer;
    return P::Other;
}

} // namespace

BuildReport BuildReport::analyse(bool uploadRequested, bool started, int exitCode, const QString &output,
                                 const QStringList &lineBlocks, const QString &port)
{
    BuildReport r;
    r.port = port;
    if (!started) {
        r.outcome = Outcome::NotStarted;
        return r;
    }
    const QRegularExpressionMatch m = errorLine().match(output);
    if (m.hasMatch()) {
        CompileError e;
        e.line = m.captured(1).toInt();
        e.column = m.captured(2).toInt();
        e.message = m.captured(3);
        if (e.line >= 1 && e.line <= lineBlocks.size())
            e.blockName = lineBlocks.at(e.line - 1);
        e.hint = compileHint(e.message);
        r.error = e;
    }
    if (exitCode == 0 && !r.error) {
        r.outcome = uploadRequested ? Outcome::Uploaded : Outcome::CompiledOnly;
        return r;
    }
    const bool compileFailed = r.error || output.contains(u"Error compiling"_s) || !uploadRequested;
    if (compileFailed) {
        r.outcome = Outcome::CompileFailed;
        return r;
    }
    r.outcome = Outcome::UploadFailed;
    r.problem = uploadProblem(output);
    // When the uploader failed at once, the IDE may end before passing its words on:
    // a port that is not there says the same.
    if (r.problem == UploadProblem::Other && !port.isEmpty() && !QFileInfo::exists(port))
        r.problem = UploadProblem::PortMissing;
    return r;
}

QString BuildReport::permissionHint()
{
    return PortPermissionHelp::text();
}

QString BuildReport::headline() const
{
    switch (outcome) {
    case Outcome::Uploaded:
        return u"Το πρόγραμμα στάλθηκε στο Arduino."_s;
    case Outcome::CompiledOnly:
        return u"Το πρόγραμμα είναι σωστό αλλά δεν στάλθηκε: δεν έχει επιλεγεί πόρτα."_s;
    case Outcome::CompileFailed:
        return u"Το πρόγραμμα έχει λάθος και δεν στάλθηκε στο Arduino."_s;
    case Outcome::UploadFailed:
        return u"Το πρόγραμμα είναι σωστό αλλά δεν στάλθηκε στο Arduino."_s;
    case Outcome::NotStarted:
        return u"Το Arduino IDE δεν ξεκίνησε."_s;
    }
    return {};
}

QString BuildReport::message(const QString &blockText) const
{
    QString text = headline();
    switch (outcome) {
    case Outcome::Uploaded:
        break;
    case Outcome::CompiledOnly:
        text += u"\nΣυνδέστε το Arduino στον υπολογιστή και διαλέξτε την πόρτα του κάτω αριστερά "
                u"(«Port:»), και μετά πατήστε ξανά «Αποστολή στο Arduino»."_s;
        break;
    case Outcome::CompileFailed:
        if (error) {
            if (!blockText.isEmpty())
                text += u"\nΤο λάθος είναι στην εντολή «%1»."_s.arg(blockText);
            text += u'\n' + error->hint;
            text += u"\n(Γραμμή %1 του κώδικα: %2)"_s.arg(error->line).arg(error->message);
        } else {
            text += u"\nΔείτε τα μηνύματα στη σελίδα «Arduino Κώδικας»."_s;
        }
        break;
    case Outcome::UploadFailed:
        switch (problem) {
        case UploadProblem::NoAnswer:
            text += u"\nΗ πλακέτα δεν απαντά. Ελέγξτε ότι είναι συνδεδεμένη, ότι διαλέξατε τη σωστή πόρτα "
                    u"και το σωστό μοντέλο (στις «Συσκευές»)."_s;
            break;
        case UploadProblem::PortMissing:
            text += u"\nΗ πόρτα «%1» δεν υπάρχει. Συνδέστε την πλακέτα και ανανεώστε τις πόρτες με διπλό "
                    u"κλικ στη γραμμή κατάστασης."_s.arg(port);
            break;
        case UploadProblem::PortBusy:
            text += u"\nΗ πόρτα «%1» χρησιμοποιείται από άλλο πρόγραμμα (για παράδειγμα το Serial Monitor). "
                    u"Κλείστε το και δοκιμάστε ξανά."_s.arg(port);
            break;
        case UploadProblem::PermissionDenied:
            text += u'\n' + permissionHint();
            break;
        case UploadProblem::Other:
        case UploadProblem::None:
            text += u"\nΔείτε τα μηνύματα στη σελίδα «Arduino Κώδικας»."_s;
            break;
        }
        break;
    case Outcome::NotStarted:
        text += u"\nΕλέγξτε τη θέση του στο «Αρχείο» → «Επιλογές»."_s;
        break;
    }
    return text;
}
