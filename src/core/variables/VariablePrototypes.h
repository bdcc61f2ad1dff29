#pragma once

#include <QString>

class Workspace;
class TArduVariables;
class TKeloVarBlock;
class BlockArea;

// The value blocks of the variables panel, one per variable, and the two buttons
// of its tool bar ("Νέα", "Διαγραφή").
namespace VariablePrototypes {

QString panelName();  // "VarPanel"
BlockArea *panel(Workspace &ws);

// "Νέα": a prototype for the variable named name, below the lowest block of the
// panel. With createVariable the variable is added to the table first; otherwise it
// must exist already (re-creating the prototypes of a loaded project).
TKeloVarBlock *add(Workspace &ws, TArduVariables &vars, const QString &name, bool createVariable);
// "Διαγραφή": deletes the variables whose prototypes are ticked, their value blocks
// on the canvas and in slots, and their prototypes; the prototypes below move up.
void deleteTicked(Workspace &ws, TArduVariables &vars);
// Ticks every prototype and deletes them all.
void clear(Workspace &ws, TArduVariables &vars);
// One prototype per variable of the table, in table order.
void recreate(Workspace &ws, TArduVariables &vars);

} // namespace VariablePrototypes
