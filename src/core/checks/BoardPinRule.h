#pragma once

#include "checks/CheckRule.h"

// Pins that must exist and be free: a pin the chosen board does not have (a Mega pin
// on an Uno, the 55 of a fresh "Εάν το pin" block; an error for a device, whose pin
// stays as chosen when a smaller board is picked), an analogue device on a pin that
// is no analogue input, and pins 0 and 1, which carry the USB link to the computer
// (what is wired there disturbs the upload and is disturbed by it). One finding per
// pin for the blocks, at the first block, and one per device.
class BoardPinRule : public CheckRule {
public:
    void check(const CheckContext &project, QList<Finding> &findings) const override;

private:
    static void checkBlocks(const CheckContext &project, QList<Finding> &findings);
    static void checkDevices(const CheckContext &project, QList<Finding> &findings);
};
