#pragma once

#include "blocks/TKeloContainerBlock.h"

// The repeat blocks. Parameter 2 reports the container size.
class TKeloLoopBlock : public TKeloContainerBlock {
public:
    explicit TKeloLoopBlock(Workspace *owner) : TKeloContainerBlock(owner) {}
    QString className() const override { return QStringLiteral("TKeloLoopBlock"); }
    int GetParam2() const override { return getContainersize(); }
    TKeloBlock *createNewBlock() const override;
};
