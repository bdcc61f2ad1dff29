#pragma once

#include "blocks/TKeloBlock.h"

// A value block: a variable or a sensor reading that is dropped into a parameter
// slot of another block. It never joins a chain.
class TKeloVarBlock : public TKeloBlock {
public:
    static constexpr int ValueTag = 2000;
    static constexpr TColor VariableColor = KeloColor::rgb(0x08, 0x4B, 0x8A);

    explicit TKeloVarBlock(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloVarBlock"); }

    // The delete box of a variable prototype on the variables panel.
    bool hasDeleteBox() const { return fHasDelCbox; }
    void createDeleteBox();
    bool ToDelete() const { return fToDelete; }
    void SetToDelete(bool v) { fToDelete = v; }

    void Setprototype(bool v) override;
    TKeloBlock *createNewBlock() const override;
    void assignFrom(const TKeloBlock &source) override;
    QString GetArduinoCommand(int idnt) override;

private:
    bool fHasDelCbox = false;
    bool fToDelete = false;
};
