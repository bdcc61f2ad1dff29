#include "checks/MissingVariableRule.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "checks/CheckContext.h"
#include "variables/TArduVariables.h"

using namespace Qt::StringLiterals;

void MissingVariableRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    const TArduVariables &vars = project.variables();
    for (const TKeloBlock *b : project.program()) {
        if (!dynamic_cast<const TKeloCommandVarBlock *>(b) || vars.GetVarByID(b->GetParam2()))
            continue;
        findings.append(Finding::aboutBlock(
            Finding::Severity::Error, u"missing-variable"_s, b,
            u"Αυτό το block δεν έχει μεταβλητή, οπότε ο κώδικας δεν θα μεταγλωττιστεί. Διάλεξε μια μεταβλητή στη "
            u"λίστα του (αν δεν υπάρχει καμία, φτιάξε μία με το «Νέα» στις «Μεταβλητές»)."_s));
    }
    for (const TKeloBlock *b : project.values()) {
        if (!dynamic_cast<const TKeloVarBlock *>(b) || b->DeviceOnlyCommandID() != -1 || vars.GetVarByName(b->ArduCmd))
            continue;
        findings.append(Finding::aboutBlock(
            Finding::Severity::Error, u"missing-variable"_s, b,
            u"Η μεταβλητή «%1» αυτού του block δεν υπάρχει πια, οπότε ο κώδικας δεν θα μεταγλωττιστεί. Βγάλε το "
            u"block ή φτιάξε ξανά τη μεταβλητή."_s.arg(b->ArduCmd)));
    }
}
