#include "blocks/TKeloControlBlock.h"

#include "blocks/Workspace.h"
#include "util/TextMeasurer.h"

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

TKeloControlBlock::TKeloControlBlock(Workspace *owner) : TKeloContainerBlock(owner)
{
    fParam1 = 0;
    fParam2 = 5;
    fTotalParams = 1;
}

TKeloBlock *TKeloControlBlock::createNewBlock() const
{
    return fOwner ? fOwner->createFloat<TKeloControlBlock>() : nullptr;
}

QStringList TKeloControlBlock::feminineList()
{
    return {u"μεγαλύτερη από"_s, u"μικρότερη από"_s, u"ίση με"_s, u"μεγαλύτερη ή ίση από"_s,
            u"μικρότερη ή ίση από"_s};
}

QStringList TKeloControlBlock::masculineList()
{
    return {u"μεγαλύτερο από"_s, u"μικρότερο από"_s, u"ίσο με"_s, u"μεγαλύτερο ή ίσο από"_s,
            u"μικρότερο ή ίσο από"_s};
}

static QStringList choicesFor(bool simple, bool male, const QString &prompt)
{
    if (simple)
        return {QString(), prompt.isEmpty() ? u"όχι"_s : prompt};
    return male ? TKeloControlBlock::masculineList() : TKeloControlBlock::feminineList();
}

void TKeloControlBlock::FillCompareList()
{
    compareList.items = choicesFor(fIsSimple, fIsMale, param1prompt);
    compareList.data.clear();
    if (compareList.itemIndex >= compareList.count())
        compareList.itemIndex = -1;
    else if (compareList.itemIndex >= 0)
        compareList.text = compareList.items.at(compareList.itemIndex);
    ArduCheck = operators();
    if (compareList.text.isEmpty() || compareList.text == u"0"_s) {
        compareList.select(0);
        RefreshHint();
        SetParam1(0);
    }
}

void TKeloControlBlock::SetParam1(int v)
{
    // Filling an empty list resets the parameter, so fill before storing.
    if (compareList.count() == 0)
        FillCompareList();
    fParam1 = v;
    if (v >= 0 && v < compareList.count())
        compareList.select(v);
    UpdateWidth();
    RefreshHint();
}

int TKeloControlBlock::GetParam1() const
{
    // The stored form is the operator's place in ArduCheck: two more than the list's.
    if (fIsSimple)
        return fParam1;
    return fParam1 > INT_MAX - 2 ? INT_MAX : fParam1 + 2;
}

QString TKeloControlBlock::GetParam1Text() const
{
    return compareList.text;
}

void TKeloControlBlock::CompareListChange(int index)
{
    SetParam1(index);
}

void TKeloControlBlock::SetIsSimple(bool v)
{
    fIsSimple = v;
    if (!hasParent() || fReading)
        return;
    const int current = compareList.itemIndex;
    FillCompareList();
    if (current >= 0 && current < compareList.count()) {
        compareList.select(current);
        SetParam1(current);
    }
}

void TKeloControlBlock::SetisMale(bool v)
{
    fIsMale = v;
    if (!fReading)
        FillCompareList();
}

void TKeloControlBlock::parentChanged()
{
    TKeloContainerBlock::parentChanged();
    // A block read from a file gets its list from Loaded, which turns the stored
    // operator index back into the list index; refilling first would reset it.
    if (fWasRead && !fLoadedDone)
        return;
    FillCompareList();
}

void TKeloControlBlock::Loaded()
{
    if (!hasParent() || fLoadedDone)
        return;
    fLoadedDone = true;
    compareList.items = choicesFor(fIsSimple, fIsMale, param1prompt);
    ArduCheck = operators();
    if (!fIsSimple)
        fParam1 = fParam1 < INT_MIN + 2 ? INT_MIN : fParam1 - 2;
    compareList.select(fParam1);
    RefreshHint();
}

int TKeloControlBlock::PlaceParam1(int x, int y)
{
    if (fPrototype) {
        compareList.visible = false;
        return x;
    }
    if (!compareList.visible) {
        compareList.visible = true;
        const int keep = compareList.itemIndex;
        FillCompareList();
        if (keep >= 0)
            compareList.select(keep);
    }
    const TextMeasurer *m = fOwner ? fOwner->services().measurer : nullptr;
    const int w = m ? std::max(m->textWidth(u"0"_s, BlockFont::Command), m->textWidth(compareList.text, BlockFont::Command)) + 8
                    : 45;
    compareList.rect = QRect(x, y, w, 16);
    compareList.visible = true;
    return x + w;
}
