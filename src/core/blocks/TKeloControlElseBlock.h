#pragma once

#include "blocks/TKeloControlBlock.h"

class TKeloControlBlockELSE;
class UserPrompt;

// The condition of the catalogue: a TKeloControlBlock with an optional else branch
// behind an else header, switched by a check box on the block.
class TKeloControlElseBlock : public TKeloControlBlock {
public:
    explicit TKeloControlElseBlock(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloControlElseBlock"); }

    TKeloControlBlockELSE *ElseBlock() const { return fElseBlock; }
    void SetElseBlock(TKeloControlBlockELSE *e);
    QString ElseBlockName() const;
    void SetElseBlockName(const QString &name);

    // The else check box.
    struct CheckBox {
        bool visible = false;
        bool checked = false;
        QRect rect{0, 12, 25, 17};
    } Elsebut;
    bool Elsebutchecked() const { return Elsebut.checked; }
    void SetElsebutchecked(bool v) { Elsebut.checked = v; }
    bool elsevisible() const { return Elsebut.checked; }
    // The user ticked or unticked the box; asks before an else branch is thrown away.
    void ElsebutClick(bool checked, UserPrompt *prompt);

    void CreateEndBlock() override;
    void SetNewWidth(int nw) override;
    QString GetArduinoCommand(int idnt) override;
    TKeloBlock *createNewBlock() const override;
    void assignFrom(const TKeloBlock &source) override;

protected:
    TKeloBlock *lastStep(TKeloBlock *caller, bool *done) override;
    void parentChanged() override;
    void relayCompanions(bool onlyVisibleElse) override;
    void collectOwned(std::vector<TKeloBlock *> &out) const override;
    void clearReferencesTo(const QSet<TKeloBlock *> &doomed) override;

    TKeloControlBlockELSE *fElseBlock = nullptr;
};
