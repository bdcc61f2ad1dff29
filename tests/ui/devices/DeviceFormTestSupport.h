#pragma once

#include "devices/ActiveDevices.h"

#include <QString>
#include <array>

// The shipped pictures, so that the windows find their files as in the program.
inline QString shippedImagesDir()
{
    return QStringLiteral(RESOURCES_DIR "/images");
}

// Adds a device whose record holds the given parameters 1..7.
inline int addDevice(ActiveDevices &devices, int typeId, std::array<int, 7> params = {})
{
    std::array<int, 8> record{};
    for (std::size_t i = 0; i < params.size(); ++i)
        record[i + 1] = params[i];
    return devices.AddDevice(typeId, record, nullptr);
}
