#pragma once

#include <QStringList>

struct TActiveDevice;

// The code each device contributes to a sketch, by the device code (DeviceCmdId)
// of its type. Device parameters "%dp1".."%dp7" are already substituted.
namespace DeviceCode {
QStringList includeLines(int deviceCmdId);
QStringList declarationLines(int deviceCmdId, const TActiveDevice &device);
QStringList setupLines(int deviceCmdId, const TActiveDevice &device, int motors);
QStringList interruptLines(int deviceCmdId, const TActiveDevice &device);
// Replaces "%dp1".."%dp7" by the device's parameters, in that order.
QString substituteParams(const QString &text, const TActiveDevice &device);
} // namespace DeviceCode
