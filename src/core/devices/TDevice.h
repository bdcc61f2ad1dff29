#pragma once

#include <QString>

// One row of the device type table. The row's index is the type id that blocks,
// the device list and the devices file store.
struct TDevice {
    QString DeviceName;       // the type key; also the first caption of a new device page
    QString FormCaption;      // the set-up window's caption: the stem of every device name
    int DeviceCmdId = 0;      // set-up command number that sketch assembly switches on
    int DeviceParamCount = 0; // copied into ActDevParamCount; bounds the legacy transfer
    int DeviceMax = 0;        // how many devices of the type one project may hold
};
