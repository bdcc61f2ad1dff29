#pragma once

#include "blocks/TKeloBlock.h"

class TKeloContainerBlockEnd;

// A block with a body: fLinkTo is the first block of the body, GetLinkTo the end
// block, whose successor continues the chain.
class TKeloContainerBlock : public TKeloBlock {
public:
    explicit TKeloContainerBlock(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloContainerBlock"); }

    TKeloContainerBlockEnd *EndBlock() const { return fEndBlock; }
    void SetEndBlock(TKeloContainerBlockEnd *e);
    QString EndBlockName() const;
    void SetEndBlockName(const QString &name);
    QString EndBlockText = QStringLiteral("Τέλος");

    TKeloBlock *GetLinkTo() const override;
    int Getblocksize() const override { return getContainersize(); }
    int getContainersize() const;

    void SetNewlyCreated(bool v) override;
    virtual void CreateEndBlock();
    void SetBounds(int left, int top, int width, int height) override;
    void FollowLinkFrom(TKeloBlock *origin) override;
    void ChainChanged() override;
    TKeloBlock *createNewBlock() const override;
    void assignFrom(const TKeloBlock &source) override;

protected:
    // Moving re-lays the companions.
    bool followsPlainly() const override { return false; }
    TKeloBlock *lastStep(TKeloBlock *caller, bool *done) override;
    const TKeloBlock *countedBody(int *count) const override;
    // The step to the last block of the body: its first block to go on from, or the
    // container itself when the body is empty.
    TKeloBlock *stepIntoBody(bool *done);
    void parentChanged() override;
    virtual void relayCompanions(bool onlyVisibleElse);
    void collectOwned(std::vector<TKeloBlock *> &out) const override;
    void clearReferencesTo(const QSet<TKeloBlock *> &doomed) override;

    TKeloContainerBlockEnd *fEndBlock = nullptr;
};
