#pragma once

#include "blocks/TKeloBlock.h"

// A command that sets or changes a variable chosen from a list (parameter 2).
class TKeloCommandVarBlock : public TKeloBlock {
public:
    explicit TKeloCommandVarBlock(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloCommandVarBlock"); }

    // The variable list shown in place of the parameter-2 editor.
    ChoiceList varCombo;
    void FillVarCombo();
    void VarComboChange(int index);

    int GetParam2() const override;
    void SetParam2(int v) override;
    // The chosen variable's name; empty when none is chosen.
    QString GetParam2Text() const override;
    bool Param2Visible() const override { return false; }
    QRect GetParam2Rect() const override { return QRect(); }
    void onVarsChanged() override;
    void finishLoading() override;
    QString GetArduinoCommand(int idnt) override;
    TKeloBlock *createNewBlock() const override;

protected:
    int PlaceParam2(int x, int y) override;
    void parentChanged() override;
};
