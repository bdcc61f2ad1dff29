#pragma once

#include <QString>

class ActiveDevices;
class IniFile;
class UserPrompt;

// The project's devices file: the project file's name with the extension ".adv", an
// INI file with the board model (section "ArduinoDevice", key "TypeId"), the last
// device position (section "ActiveDevices", key "Count", -1 for none) and one section
// "ADev_" + i per device in list order (keys "DeviceTypeID", "ActDevParamCount",
// "ActDevParam1" .. "ActDevParam7", "DeviceName").

// The devices file of a project file: robot.vzl gives robot.adv.
QString DevicesFileName(const QString &projectFileName);

// Writes the board and the devices key by key into the existing file: sections
// "ADev_i" left from an earlier save of more devices stay and are ignored by
// LoadDevices. False, with the reason in *error, when an existing file cannot be read
// (it is then left alone) or the file cannot be written ("Unable to write to <path>").
bool SaveDevices(const ActiveDevices &devices, const QString &projectFileName,
                 QString *error = nullptr);

// Replaces the devices and the board model with those of the file. Devices are added
// in file order, so type limits apply: each refused device shows its message through
// prompt and is dropped; unknown types are dropped silently. A missing file gives an
// Arduino Uno without devices. False, with the reason in *error, when the file exists
// but cannot be read; the project then has the same Uno without devices.
bool LoadDevices(ActiveDevices &devices, const QString &projectFileName, UserPrompt *prompt,
                 QString *error = nullptr);

// The same, on an INI file in memory (snapshots of the project).
void WriteDevices(const ActiveDevices &devices, IniFile &ini);
void ReadDevices(ActiveDevices &devices, const IniFile &ini, UserPrompt *prompt);
