#pragma once

#include "blocks/TKeloCompanionBlock.h"

// The end marker of a container; the block after the whole container follows it.
class TKeloContainerBlockEnd : public TKeloCompanionBlock {
public:
    explicit TKeloContainerBlockEnd(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloContainerBlockEnd"); }
    TKeloBlock *createNewBlock() const override;
};
