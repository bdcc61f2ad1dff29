#include "checks/VariableNameRule.h"

#include "checks/CheckContext.h"
#include "checks/GreekList.h"
#include "checks/ReservedNames.h"
#include "variables/GreekToLatin.h"
#include "variables/TArduVariables.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

bool isIdentifierChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// Why an identifier is none, for a sentence; empty when it is one.
QString notAnIdentifier(const QString &identifier)
{
    QStringList why;
    if (identifier.front().isDigit())
        why.append(u"αρχίζει από αριθμό"_s);
    QStringList bad;
    for (QChar c : identifier)
        if (!isIdentifierChar(c) && !bad.contains(u'«' + QString(c) + u'»'))
            bad.append(u'«' + QString(c) + u'»');
    if (bad.size() == 1)
        why.append(u"έχει το "_s + bad[0] + u", που δεν μπορεί να μπει σε όνομα"_s);
    else if (bad.size() > 1)
        why.append(u"έχει τα "_s + GreekList::join(bad) + u", που δεν μπορούν να μπουν σε όνομα"_s);
    return GreekList::join(why);
}

const QString kRename = u"Σβήσε τη και φτιάξε μια μεταβλητή με άλλο όνομα."_s;

} // namespace

void VariableNameRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    const ReservedNames reserved(project.devices());
    const TArduVariables &vars = project.variables();
    QHash<QString, QString> firstWith;  // identifier -> name of the first variable giving it
    const auto error = [&findings](const QString &name, const QString &text) {
        findings.append(Finding::aboutVariable(Finding::Severity::Error, u"variable-name"_s, name, text));
    };
    for (int i = 0; i < vars.count(); ++i) {
        const QString name = vars.GetArduVar(i)->VarName;
        const QString id = GreekToLatin(name);
        if (id.isEmpty()) {
            error(name, u"Μια μεταβλητή δεν έχει όνομα, οπότε ο κώδικας δεν θα μεταγλωττιστεί. "_s + kRename);
            continue;
        }
        if (const QString why = notAnIdentifier(id); !why.isEmpty()) {
            error(name, u"Η μεταβλητή «%1» γίνεται «%2» στον κώδικα του Arduino, που δεν είναι σωστό όνομα: %3. "
                        u"Ο κώδικας δεν θα μεταγλωττιστεί. "_s.arg(name, id, why)
                            + u"Ένα όνομα αρχίζει με γράμμα και έχει μόνο γράμματα, αριθμούς και κενά. "_s + kRename);
            continue;
        }
        if (reserved.contains(id)) {
            error(name, u"Η μεταβλητή «%1» γίνεται «%2» στον κώδικα του Arduino, αλλά αυτό το όνομα το έχει ήδη %3, "
                        u"οπότε ο κώδικας δεν θα μεταγλωττιστεί. "_s.arg(name, id, reserved.holder(id))
                            + kRename);
            continue;
        }
        const auto earlier = firstWith.constFind(id);
        if (earlier == firstWith.constEnd()) {
            firstWith.insert(id, name);
        } else if (*earlier == name) {
            error(name, u"Υπάρχουν δύο μεταβλητές με το όνομα «%1», οπότε ο κώδικας δεν θα μεταγλωττιστεί. "
                        u"Σβήσε τη μία."_s.arg(name));
        } else {
            error(name, u"Οι μεταβλητές «%1» και «%2» γίνονται και οι δύο «%3» στον κώδικα του Arduino, οπότε ο "
                        u"κώδικας δεν θα μεταγλωττιστεί. Σβήσε τη μία και φτιάξε τη με άλλο όνομα."_s.arg(
                            *earlier, name, id));
        }
    }
}
