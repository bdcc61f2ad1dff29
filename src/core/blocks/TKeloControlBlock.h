#pragma once

#include "blocks/TKeloContainerBlock.h"

// A condition with a comparison choice in parameter 1. In yes/no mode (IsSimple)
// the list holds the empty entry and the negation word; in comparison mode five
// comparisons. The list index is stored; GetParam1 reports the index into
// ArduCheck (index + 2 in comparison mode).
class TKeloControlBlock : public TKeloContainerBlock {
public:
    explicit TKeloControlBlock(Workspace *owner);
    QString className() const override { return QStringLiteral("TKeloControlBlock"); }

    static QString operators() { return QStringLiteral("==,!=,>,<,==,>=,<="); }
    static QStringList feminineList();
    static QStringList masculineList();

    bool IsSimple() const { return fIsSimple; }
    void SetIsSimple(bool v);
    bool isMale() const { return fIsMale; }
    void SetisMale(bool v);

    // The comparison list shown in place of the parameter-1 editor.
    ChoiceList compareList;
    // Text colour of the list: red while the negation is chosen.
    TColor compareColor() const { return GetParam1() == 1 ? KeloColor::Red : KeloColor::Black; }
    void FillCompareList();
    // A click on an entry of the list.
    void CompareListChange(int index);

    int GetParam1() const override;
    void SetParam1(int v) override;
    QString GetParam1Text() const override;
    QRect GetParam1Rect() const override { return QRect(); }
    bool Param1Visible() const override { return false; }
    void Loaded() override;
    TKeloBlock *createNewBlock() const override;

protected:
    int PlaceParam1(int x, int y) override;
    void parentChanged() override;
    bool fIsSimple = true;
    bool fIsMale = false;
    bool fLoadedDone = false;
};
