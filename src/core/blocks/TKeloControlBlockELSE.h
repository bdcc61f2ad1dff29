#pragma once

#include "blocks/TKeloCompanionBlock.h"

// The "else" header of a condition: its successor is the first block of the else
// branch. Visible only while the condition's else box is ticked.
class TKeloControlBlockELSE : public TKeloCompanionBlock {
public:
    explicit TKeloControlBlockELSE(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloControlBlockELSE"); }
    TKeloBlock *createNewBlock() const override;
};
