#pragma once

#include "devices/BoardModel.h"
#include "devices/DeviceListener.h"
#include "devices/TActiveDevice.h"

#include <QList>
#include <QPair>
#include <QString>
#include <array>
#include <vector>

class UserPrompt;

// The project's device list and board model. A device is addressed by its position;
// positions 0..LastDeviceIndex are in use and contiguous, every record after them is
// all zeros, and no two devices share a name.
class ActiveDevices {
public:
    static constexpr int Capacity = 51;

    ActiveDevices();
    ActiveDevices(const ActiveDevices &) = delete;
    ActiveDevices &operator=(const ActiveDevices &) = delete;

    int LastDeviceIndex() const { return m_last; }
    int count() const { return m_last + 1; }
    // A position outside the list gives an all-zero record.
    const TActiveDevice &device(int position) const;

    // The number of devices of a type (the tile's "ADD" button tag and count label).
    int typeCount(int typeId) const;
    // Whether the tile's "ADD" button is enabled: the type is below its limit and the
    // list has room.
    bool canAdd(int typeId) const;

    // Appends a device of typeId and returns its position, or -1 when nothing was
    // added (unknown type silently; type limit or full list with a message).
    int AddDevice(int typeId, UserPrompt *prompt);
    // The same with the parameters a loader read for the device (entries 1..7).
    int AddDevice(int typeId, const std::array<int, 8> &params, UserPrompt *prompt);
    // Removes a device and tells the listeners; what closing its set-up window does.
    void KillDevice(int position);
    // Takes a record out of the list without telling anybody: the step KillDevice
    // builds on. A position outside the list (-1 included) does nothing.
    void RemoveActiveDevice(int position);
    void ClearDevices();

    // Stores parameter index1to7 of a device and refreshes the blocks of its type; a
    // new value is told as an edit. A pin the board lacks is kept as it is: the
    // checks report it, and choosing a board that has it makes it good again.
    void SetParam(int position, int index1to7, int value);
    // Tells the blocks of the device's type to re-bind, changing nothing.
    void refreshBlocks(int position);
    // Gives a device a stored name. Refused for a position outside the list, a name
    // another device bears, or a name that is not a C identifier (it becomes one in
    // the sketch).
    bool setDeviceName(int position, const QString &name);

    int FindDeviceOfType(int typeId) const;
    // (name, position) of every device of devTp in list order; devTp -1 lists all.
    QList<QPair<QString, int>> GetActiveDevicePins(int devTp) const;
    int findByName(const QString &name) const;

    int BoardTypeId() const { return m_board.typeId(); }
    void setBoardTypeId(int typeId);
    QString BoardName() const { return m_board.name(); }
    int MaxPin() const { return m_board.maxPin(); }
    QString BoardFamily() const { return m_board.family(); }
    QString pinoutPictureName() const { return m_board.pinoutPictureName(); }

    void addListener(DeviceListener *listener);
    void removeListener(DeviceListener *listener);

private:
    QString freeName(const QString &caption, int position) const;
    template<typename Call> void notify(Call call);

    std::array<TActiveDevice, Capacity> m_devices{};
    int m_last = -1;
    BoardModel m_board;
    std::vector<DeviceListener *> m_listeners;
};
