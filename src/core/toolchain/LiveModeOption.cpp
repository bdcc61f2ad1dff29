#include "toolchain/LiveModeOption.h"

#include "util/IniFile.h"

bool LiveModeOption::read(const QString &optionsFile)
{
    IniFile ini(optionsFile);
    ini.load();
    return ini.readInteger(section(), key(), 0) != 0;
}

bool LiveModeOption::write(const QString &optionsFile, bool on, QString *error)
{
    IniFile ini(optionsFile);
    ini.load();
    ini.writeInteger(section(), key(), on ? 1 : 0);
    return ini.save(error);
}
