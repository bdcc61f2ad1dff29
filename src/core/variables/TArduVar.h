#pragma once

#include <QString>

// One declared variable. While it belongs to a TArduVariables, change VarID only
// through TArduVariables::setVarID and never change VarName: the table indexes both.
class TArduVar {
public:
    QString VarName;   // exactly as the user typed it
    int VarID = 0;     // the CommndID of its value blocks, Param2 of variable commands
    QString VarValue;  // carried through the variables file, empty in practice

    // The identifier the sketch declares: GreekToLatin of VarName.
    QString getCvarname() const;
};
