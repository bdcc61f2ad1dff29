#pragma once

#include "blocks/TKeloBlock.h"

class TKeloContainerBlock;

// Common base of the blocks a container creates for itself: its end block and a
// condition's else header. They cannot be dragged; they keep to the container's
// left edge and 10 pixels under the last block of the branch before them.
class TKeloCompanionBlock : public TKeloBlock {
public:
    explicit TKeloCompanionBlock(Workspace *owner);

    TKeloContainerBlock *ContainerBlock() const { return fContainer; }
    void SetContainerBlock(TKeloContainerBlock *c) { fContainer = c; }
    QString ContainerBlockName() const;
    void SetContainerBlockName(const QString &name);

    void SetBounds(int left, int top, int width, int height) override;
    void FollowLinkFrom(TKeloBlock *origin) override;
    // Re-applies the position rule (what setting Top to itself does).
    void relay() { SetTop(Top()); }

protected:
    // Moving re-lays the companions.
    bool followsPlainly() const override { return false; }
    void clearReferencesTo(const QSet<TKeloBlock *> &doomed) override;
    TKeloContainerBlock *fContainer = nullptr;
};
