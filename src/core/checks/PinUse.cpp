#include "checks/PinUse.h"

#include "blocks/TKeloBlock.h"

bool PinUse::of(const TKeloBlock *block, PinUse *use)
{
    // The command numbers of the pin blocks; device blocks reuse no general number.
    if (block->DeviceOnlyCommandID() != -1)
        return false;
    Action action;
    bool pinInSlot2 = false;
    switch (block->CommndID) {
    case 200:
        action = Action::ConfigureOutput;
        break;
    case 201:
        action = Action::ConfigureInput;
        break;
    case 202:
    case 203:
        action = Action::Write;
        break;
    case 94:
    case 95:
        action = Action::Read;
        pinInSlot2 = true;
        break;
    default:
        return false;
    }
    if (pinInSlot2 ? block->VarParam2() != nullptr : block->VarParam1() != nullptr)
        return false;
    *use = {block, pinInSlot2 ? block->GetParam2() : block->GetParam1(), action};
    return true;
}
