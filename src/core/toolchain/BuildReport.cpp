#include "toolchain/BuildReport.h"

#include "serial/PortPermissionHelp.h"
#include "toolchain/UploadEvidence.h"

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

} // namespace

BuildReport BuildReport::analyse(bool uploadRequested, bool started, int exitCode, const QString &output,
                                 const QStringList &lineBlocks, const QString &port)
{
    WatchedRun::End end;
    end.started = started;
    end.exitCode = exitCode;
    return analyse(uploadRequested, end, output, lineBlocks, port);
}

BuildReport BuildReport::analyse(bool uploadRequested, const WatchedRun::End &end, const QString &output,
                                 const QStringList &lineBlocks, const QString &port)
{
    BuildReport r;
    r.port = port;
    if (!end.started) {
        r.outcome = Outcome::NotStarted;
        return r;
    }
    // A run that was ended says so, whatever it printed before.
    if (end.stop == WatchedRun::Stop::Cancelled) {
        r.outcome = Outcome::Cancelled;
        return r;
    }
    if (end.stop == WatchedRun::Stop::Stalled) {
        r.outcome = Outcome::Stalled;
        r.stallSeconds = (end.stallLimitMs + 999) / 1000;
        // An uploader waits without a word on a board that has gone away.
        const UploadProblem p = UploadEvidence::problem(output, port, false);
        if (uploadRequested && (p == UploadProblem::PortGone || p == UploadProblem::PortMissing))
            r.problem = UploadProblem::PortGone;
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
    if (r.error) {
        r.outcome = Outcome::CompileFailed;
        return r;
    }
    // The IDE says "Uploading..." once the sketch has compiled.
    const bool uploadBegan = output.contains(u"Uploading..."_s) || output.contains(u"avrdude"_s);
    if (!uploadRequested) {
        r.outcome = end.exitCode == 0 ? Outcome::CompiledOnly : Outcome::IdeFailed;
        return r;
    }
    if (end.exitCode == 0 && UploadEvidence::confirmed(output)) {
        r.outcome = Outcome::Uploaded;
        return r;
    }
    if (!uploadBegan || output.contains(u"Error compiling"_s)) {
        r.outcome = Outcome::IdeFailed;
        return r;
    }
    r.outcome = Outcome::UploadFailed;
    r.problem = UploadEvidence::problem(output, port, end.exitCode == 0);
    return r;
}

QString BuildReport::permissionHint()
{
    return PortPermissionHelp::text();
}

QString BuildReport::headline() const
{
    if (checkOnly) {
        switch (outcome) {
        case Outcome::Uploaded:
        case Outcome::CompiledOnly:
            return u"Έλεγχος: το πρόγραμμα είναι σωστό."_s;
        case Outcome::CompileFailed:
            return u"Έλεγχος: το πρόγραμμα έχει λάθος."_s;
        case Outcome::IdeFailed:
        case Outcome::UploadFailed:
            return u"Έλεγχος: το Arduino IDE δεν ολοκλήρωσε τη μεταγλώττιση."_s;
        case Outcome::Cancelled:
            return u"Ο έλεγχος ακυρώθηκε."_s;
        case Outcome::Stalled:
            return u"Ο έλεγχος σταμάτησε γιατί δεν προχωρούσε."_s;
        case Outcome::NotStarted:
            break;
        }
    }
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
    case Outcome::IdeFailed:
        return u"Το Arduino IDE δεν ολοκλήρωσε τη μεταγλώττιση και το πρόγραμμα δεν στάλθηκε."_s;
    case Outcome::Cancelled:
        return u"Η αποστολή ακυρώθηκε: το πρόγραμμα δεν στάλθηκε στο Arduino."_s;
    case Outcome::Stalled:
        return u"Η αποστολή σταμάτησε γιατί δεν προχωρούσε: το πρόγραμμα δεν στάλθηκε στο Arduino."_s;
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
        if (checkOnly) {
            text += u"\nΓια να σταλεί στο Arduino, πατήστε «Αποστολή στο Arduino» (Ctrl+U)."_s;
            break;
        }
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
        if (!checkOnly)
            text += u'\n' + UploadEvidence::explain(problem, port);
        break;
    case Outcome::IdeFailed:
        text += u"\nΤο λάθος δεν βρέθηκε σε κάποια εντολή του προγράμματος. Δείτε τα μηνύματα στη σελίδα "
                u"«Arduino Κώδικας»."_s;
        break;
    case Outcome::Cancelled:
        text += checkOnly ? u"\nΤο Arduino IDE και ό,τι είχε ξεκινήσει σταμάτησαν."_s
                          : u"\nΤο Arduino IDE και ό,τι είχε ξεκινήσει σταμάτησαν. Πατήστε ξανά «Αποστολή στο Arduino» "
                            u"όταν θέλετε."_s;
        break;
    case Outcome::Stalled:
        text += u"\nΓια %1 δευτερόλεπτα δεν ήρθε κανένα νέο από το Arduino IDE, οπότε σταμάτησε."_s.arg(stallSeconds);
        if (checkOnly)
            break;
        text += problem == UploadProblem::PortGone
                    ? u'\n' + UploadEvidence::explain(problem, port)
                    : u" Ελέγξτε ότι η πλακέτα είναι συνδεδεμένη και ότι διαλέξατε τη σωστή πόρτα, και δοκιμάστε ξανά."_s;
        break;
    case Outcome::NotStarted:
        text += u"\nΕλέγξτε τη θέση του στο «Αρχείο» → «Επιλογές»."_s;
        break;
    }
    return text;
}
