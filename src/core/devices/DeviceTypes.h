#pragma once

#include "devices/TDevice.h"

// The fixed table of device types.
class DeviceTypes {
public:
    // Type ids: rows of the table, stored as plain integers in blocks and files.
    enum DeviceTypeId : int {
        LCD_Serial = 0,
        Laser,
        Sound,
        UltraSonic,
        Servo,
        Switch,
        Temp,
        BMP,
        ANIN,
        DCMOTOR,
        ROBOT,
    };

    static int count();
    static bool valid(int typeId);
    // An id outside the table gives an empty row (no name, no devices allowed), so
    // callers that hold a stale or unknown id read harmless values.
    static const TDevice &at(int typeId);
};
