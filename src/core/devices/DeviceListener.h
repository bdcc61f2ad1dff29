#pragma once

// Told about changes of the device list and the board model. The block model re-binds
// its device choosers; the window updates tiles, pages and pin bounds.
class DeviceListener {
public:
    virtual ~DeviceListener() = default;
    // Devices of typeId were added, removed, moved or edited; position is a device of
    // that type, or -1 when none is left.
    virtual void deviceRefresh(int /*typeId*/, int /*position*/) {}
    // The palette's blocks of typeId become usable (first device) or unusable (last gone).
    virtual void commandsByType(int /*typeId*/, bool /*enable*/) {}
    virtual void boardModelChanged() {}
    // A device was added, removed or renamed.
    virtual void devicesChanged() {}
    // A parameter of the device at position really changed (an edit to save).
    virtual void deviceEdited(int /*typeId*/, int /*position*/) {}
};
