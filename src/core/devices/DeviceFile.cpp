#include "devices/DeviceFile.h"

#include "devices/ActiveDevices.h"
#include "util/IniFile.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
const QString BoardSection = u"ArduinoDevice"_s;
const QString BoardKey = u"TypeId"_s;
const QString ListSection = u"ActiveDevices"_s;
const QString CountKey = u"Count"_s;
const QString TypeKey = u"DeviceTypeID"_s;
const QString ParamCountKey = u"ActDevParamCount"_s;
const QString NameKey = u"DeviceName"_s;
const QString SectionPrefix = u"ADev_"_s;

// The board list has three entries: a larger index selects the last one, a negative
// index none.
constexpr int LastBoard = 2;

QString deviceSection(int position)
{
    return SectionPrefix + QString::number(position);
}

QString paramKey(int j)
{
    return u"ActDevParam"_s + QString::number(j);
}

// The positions up to last that have a section of their own, in ascending order. A
// missing section creates no device, so only these need reading: a damaged file's
// "Count" of two thousand million then costs nothing.
std::vector<int> storedPositions(const IniFile &ini, int last)
{
    std::vector<int> positions;
    for (const QString &name : ini.sectionNames()) {
        if (!name.startsWith(SectionPrefix, Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const QString digits = name.mid(SectionPrefix.size());
        const int position = digits.toInt(&ok);
        // Only the spelling deviceSection() looks up: no sign, no leading zeros.
        if (ok && position >= 0 && position <= last && QString::number(position) == digits)
            positions.push_back(position);
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}
} // namespace

QString DevicesFileName(const QString &projectFileName)
{
    return IniFile::changeFileExt(projectFileName, u".adv"_s);
}

void WriteDevices(const ActiveDevices &devices, IniFile &ini)
{
    ini.writeInteger(BoardSection, BoardKey, devices.BoardTypeId());
    ini.writeInteger(ListSection, CountKey, devices.LastDeviceIndex());
    for (int i = 0; i <= devices.LastDeviceIndex(); ++i) {
        const TActiveDevice &d = devices.device(i);
        const QString section = deviceSection(i);
        ini.writeInteger(section, TypeKey, d.DeviceTypeID);
        ini.writeInteger(section, ParamCountKey, d.ActDevParamCount);
        for (int j = 1; j <= 7; ++j)
            ini.writeInteger(section, paramKey(j), d.ActDevParams[std::size_t(j)]);
        // Blocks refer to their device by name; storing it keeps a device that moved
        // up after a removal under the name its blocks carry.
        ini.writeString(section, NameKey, d.Name);
    }
}

void ReadDevices(ActiveDevices &devices, const IniFile &ini, UserPrompt *prompt)
{
    devices.ClearDevices();

    const int board = ini.readInteger(BoardSection, BoardKey, 0);
    devices.setBoardTypeId(board < 0 ? -1 : std::min(board, LastBoard));

    for (const int i : storedPositions(ini, ini.readInteger(ListSection, CountKey, -1))) {
        const QString section = deviceSection(i);
        // The stored "ActDevParamCount" is not read: the type table has the true count.
        std::array<int, 8> params{};
        for (int j = 1; j <= 7; ++j)
            params[std::size_t(j)] = ini.readInteger(section, paramKey(j), 0);
        const int position = devices.AddDevice(ini.readInteger(section, TypeKey, -1), params, prompt);
        if (position < 0)
            continue;
        // A name that is taken or no identifier is refused; the device then keeps the
        // name it was given when added.
        const QString name = ini.readString(section, NameKey);
        if (!name.isEmpty())
            devices.setDeviceName(position, name);
    }
}

bool SaveDevices(const ActiveDevices &devices, const QString &projectFileName, QString *error)
{
    IniFile ini(DevicesFileName(projectFileName));
    if (!ini.load(error))
        return false;
    WriteDevices(devices, ini);
    return ini.save(error);
}

bool LoadDevices(ActiveDevices &devices, const QString &projectFileName, UserPrompt *prompt,
                 QString *error)
{
    IniFile ini(DevicesFileName(projectFileName));
    const bool ok = ini.load(error);
    ReadDevices(devices, ini, prompt);
    return ok;
}
