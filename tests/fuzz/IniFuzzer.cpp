// libFuzzer target: any bytes as an INI file, read as a devices file and as a
// variables file. Nothing may crash, hang or leak; the file written back reads the
// same; devices and variables, once written and read, read back unchanged. (A value
// may hold what a written value cannot, a lone carriage return: the first writing
// need not be the last.)
#include "devices/ActiveDevices.h"
#include "devices/DeviceFile.h"
#include "util/IniFile.h"
#include "variables/TArduVariables.h"
#include "variables/VarFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

QStringList variableLines(const TArduVariables &vars)
{
    QStringList lines;
    for (int i = 0; i < vars.count(); ++i)
        lines.append(vars.GetArduVar(i)->VarName + u'|' + QString::number(vars.GetArduVar(i)->VarID) + u'|'
                     + vars.GetArduVar(i)->VarValue);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IniFile ini;
    ini.parse(QByteArrayView(data, qsizetype(size)));
    IniFile again;
    again.parse(ini.toBytes());
    if (again.toBytes() != ini.toBytes())
        std::abort();

    ActiveDevices devices;
    ReadDevices(devices, ini, nullptr);
    IniFile written;
    WriteDevices(devices, written);
    ActiveDevices back;
    ReadDevices(back, written, nullptr);
    if (back.LastDeviceIndex() != devices.LastDeviceIndex() || back.BoardTypeId() != devices.BoardTypeId())
        std::abort();

    TArduVariables vars;
    ReadVars(vars, ini);
    auto rewritten = [](const TArduVariables &from, TArduVariables &to) {
        IniFile written;
        WriteVars(from, written);
        ReadVars(to, written);
    };
    TArduVariables once, twice;
    rewritten(vars, once);
    rewritten(once, twice);
    if (vars.count() != once.count() || variableLines(twice) != variableLines(once))
        std::abort();
    return 0;
}
