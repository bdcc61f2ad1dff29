#include "variables/VarFile.h"

#include "util/IniFile.h"
#include "variables/TArduVariables.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString CountSection = u"Var Count"_s;
const QString CountKey = u"Count"_s;
const QString NameKey = u"VarName"_s;
const QString IdKey = u"VarID"_s;
const QString ValueKey = u"VarValue"_s;

QString varSection(int i)
{
    return u"Var_"_s + QString::number(i);
}
} // namespace

QString VarFileName(const QString &projectFileName)
{
    return IniFile::changeFileExt(projectFileName, u".var"_s);
}

void WriteVars(const TArduVariables &vars, IniFile &ini)
{
    ini.writeInteger(CountSection, CountKey, vars.count());
    for (int i = 0; i < vars.count(); ++i) {
        const TArduVar *v = vars.GetArduVar(i);
        const QString section = varSection(i);
        ini.writeString(section, NameKey, v->VarName);
        ini.writeInteger(section, IdKey, v->VarID);
        ini.writeString(section, ValueKey, v->VarValue);
    }
}

void ReadVars(TArduVariables &vars, const IniFile &ini)
{
    vars.EmptyVars();
    int n = 0;
    if (!ini.readIntegerStrict(CountSection, CountKey, n))
        n = 0;
    // A file written here has a section per variable besides "Var Count": a larger
    // count can only come from a damaged file, and must not make loading run away
    // creating millions of nameless variables.
    n = std::min(n, int(ini.sectionNames().size()));
    for (int i = 0; i < n; ++i) {
        const QString section = varSection(i);
        TArduVar *v = vars.Newvar(ini.readString(section, NameKey));
        int id = 0;
        if (ini.readIntegerStrict(section, IdKey, id))
            vars.setVarID(v, id);
        v->VarValue = ini.readString(section, ValueKey);
    }
}

bool SaveVars(const TArduVariables &vars, const QString &projectFileName, QString *error)
{
    IniFile ini(VarFileName(projectFileName));
    if (!ini.load(error))
        return false;
    WriteVars(vars, ini);
    return ini.save(error);
}

bool LoadVars(TArduVariables &vars, const QString &projectFileName, QString *error)
{
    IniFile ini(VarFileName(projectFileName));
    const bool ok = ini.load(error);
    ReadVars(vars, ini);
    return ok;
}
