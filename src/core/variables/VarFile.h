#pragma once

#include <QString>

class IniFile;
class TArduVariables;

// The project's variables file: the project file's name with the extension ".var",
// an INI file with section "Var Count" (key "Count": the number of variables) and one
// section "Var_" + i per variable in table order (keys "VarName", "VarID",
// "VarValue").

// The variables file of a project file: robot.vzl gives robot.var.
QString VarFileName(const QString &projectFileName);

// Writes the table key by key into the existing file: sections "Var_k" left from an
// earlier save of more variables stay and are ignored by LoadVars. False, with the
// reason in *error, when an existing file cannot be read (it is then left alone) or
// the file cannot be written ("Unable to write to <path>").
bool SaveVars(const TArduVariables &vars, const QString &projectFileName, QString *error = nullptr);

// Empties the table, then fills it from the file, keeping the stored ids. A missing
// file gives an empty table. False, with the reason in *error, when the file exists
// but cannot be read; the table is then empty.
bool LoadVars(TArduVariables &vars, const QString &projectFileName, QString *error = nullptr);

// The same, on an INI file in memory (snapshots of the project).
void WriteVars(const TArduVariables &vars, IniFile &ini);
void ReadVars(TArduVariables &vars, const IniFile &ini);
