#pragma once

#include "checks/BoardPins.h"
#include "checks/DevicePin.h"
#include "checks/PinUse.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <vector>

class ActiveDevices;
class TArduVariables;
class TKeloBlock;
class Workspace;

// What the rules read, collected once per check: the blocks the sketch is made of in
// program order (from the start block, as sketch generation walks them), the value
// blocks in their slots, the pin blocks' uses, and the pins of every device.
class CheckContext {
public:
    CheckContext(Workspace &workspace, const ActiveDevices &devices, const TArduVariables &variables);
    CheckContext(const CheckContext &) = delete;
    CheckContext &operator=(const CheckContext &) = delete;

    Workspace &workspace() const { return fWorkspace; }
    const ActiveDevices &devices() const { return fDevices; }
    const TArduVariables &variables() const { return fVariables; }
    const BoardPins &board() const { return fBoard; }

    // Null when the canvas has no start block: then nothing runs.
    const TKeloBlock *startBlock() const { return fStart; }
    // The blocks the sketch runs, in program order: containers before their bodies,
    // end blocks and else headers included, value blocks not.
    const std::vector<const TKeloBlock *> &program() const { return fProgram; }
    // The value blocks standing in the slots of the program's blocks.
    const std::vector<const TKeloBlock *> &values() const { return fValues; }
    bool runs(const TKeloBlock *block) const { return fReached.contains(block); }

    // The pin blocks' uses in program order.
    const std::vector<PinUse> &pinUses() const { return fPinUses; }
    // Every pin of every device, in device order.
    const QList<DevicePin> &devicePins() const { return fDevicePins; }
    // The device pins on a pin.
    QList<DevicePin> devicePinsOn(int pin) const { return fByPin.value(pin); }
    // The names of the devices on the I2C bus, in device order.
    const QStringList &i2cDevices() const { return fI2cDevices; }

private:
    void walk(const TKeloBlock *first);
    void addValue(const TKeloBlock *value);

    Workspace &fWorkspace;
    const ActiveDevices &fDevices;
    const TArduVariables &fVariables;
    BoardPins fBoard;
    const TKeloBlock *fStart = nullptr;
    std::vector<const TKeloBlock *> fProgram;
    std::vector<const TKeloBlock *> fValues;
    QSet<const TKeloBlock *> fReached;
    std::vector<PinUse> fPinUses;
    QList<DevicePin> fDevicePins;
    QHash<int, QList<DevicePin>> fByPin;
    QStringList fI2cDevices;
};
