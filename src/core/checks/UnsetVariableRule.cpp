#include "checks/UnsetVariableRule.h"

#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "checks/CheckContext.h"
#include "variables/TArduVariables.h"

#include <QSet>

using namespace Qt::StringLiterals;

void UnsetVariableRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    const TArduVariables &vars = project.variables();
    QSet<const TArduVar *> written;
    for (const TKeloBlock *b : project.program())
        if (dynamic_cast<const TKeloCommandVarBlock *>(b))
            if (const TArduVar *v = vars.GetVarByID(b->GetParam2()))
                written.insert(v);
    QSet<const TArduVar *> told;
    for (const TKeloBlock *b : project.values()) {
        // A sensor's value block reads a device, not a variable.
        if (!dynamic_cast<const TKeloVarBlock *>(b) || b->DeviceOnlyCommandID() != -1)
            continue;
        const TArduVar *v = vars.GetVarByName(b->ArduCmd);
        if (!v || written.contains(v) || told.contains(v))
            continue;
        told.insert(v);
        findings.append(Finding::aboutBlock(
            Finding::Severity::Warning, u"variable-never-set"_s, b,
            u"Η μεταβλητή «%1» χρησιμοποιείται εδώ αλλά δεν παίρνει πουθενά τιμή στο πρόγραμμα, οπότε είναι πάντα "
            u"0. Δώσε της μια τιμή πιο πάνω στο πρόγραμμα με ένα block «Βάλε τιμή … στην Μεταβλητή»."_s.arg(
                v->VarName)));
    }
}
