#pragma once

#include <QString>

class StringPool;
class TKeloBlock;
class TKeloContainerBlock;
class TKeloControlBlock;
class TKeloControlElseBlock;
class TKeloCompanionBlock;
struct ObjectTextSpan;
struct ObjectTextValueView;

// The stored properties of blocks as a program file names them, and how a value read
// from the file is given to a block.
namespace BlockProperties {

enum class Id {
    Unknown,
    Tag, Left, Top, Width, Height, Hint, MarginsLeft, MarginsTop, MarginsRight, MarginsBottom,
    Color, Param1Attaching, Param2Attaching, CtrlAttachUp, CtrlAttachDn, CommandText, NewlyCreated,
    CommndID, Param1, Param2, ParamStr, ParamD, PDevice, TopNose, BotNose, TotalParams,
    Param1Question, Param1Prompt, Param2Question, Param2Prompt, BlockId, BorderColor, CommandColor,
    LinkToName, LinkFromName, MyHint, Prototype, DeviceOnlyCommandID, VarParam1Name, VarParam2Name,
    ArduCmd, ArduCheck, EndBlockName, IsSimple, IsMale, ElseBlockName, ElseButChecked,
    ContainerBlockName,
    // Block references ("frmVimsel.keloBlock__7"): resolved after the block is read.
    LinkTo, LinkFrom, VarParam1, VarParam2, EndBlock, ElseBlock, ContainerBlock,
};

// The property of that name (letter case ignored).
Id idOf(const ObjectTextSpan &name);
inline bool isReference(Id id) { return id >= Id::LinkTo; }

// A block of the named class without owner, or nullptr for a class that is not a block.
TKeloBlock *createBlockOfClass(const ObjectTextSpan &className);

// The classes a block has beyond TKeloBlock, found once per block read rather than
// once per property.
struct Kind {
    Kind() = default;
    explicit Kind(TKeloBlock *b);
    TKeloContainerBlock *container = nullptr;
    TKeloControlBlock *control = nullptr;
    TKeloControlElseBlock *withElse = nullptr;
    TKeloCompanionBlock *companion = nullptr;
};

// Gives a property that is not a reference, nor one of the four link names (which
// the loader keeps for itself), its value through the block's setter;
// false with the reason when the block has no such property or the value does not
// fit (no reason: no such property). Texts come from pool, so that blocks share
// equal texts.
bool apply(TKeloBlock &block, const Kind &kind, Id id, const ObjectTextValueView &value, StringPool &pool,
           QString *reason);

} // namespace BlockProperties
