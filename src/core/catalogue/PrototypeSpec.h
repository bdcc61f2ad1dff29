#pragma once

#include "util/KeloColor.h"

#include <QString>
#include <optional>

// Which block class a prototype is built as.
enum class ProtoKind {
    Command,    // TKeloBlock
    Loop,       // TKeloLoopBlock
    Condition,  // TKeloControlElseBlock
    VarCommand, // TKeloCommandVarBlock
    Value,      // TKeloVarBlock
};

// One palette prototype as data, so the catalogue stays free of the block classes.
// Empty strings and nullopt mean "leave the block as its class constructs it".
struct PrototypeSpec {
    ProtoKind kind = ProtoKind::Command;
    int CommndID = -1;
    QString CommandText, ArduCmd;
    int TotalParams = -1;              // -1: keep the class default
    std::optional<int> Param1, Param2; // nullopt: keep the class default
    // A non-empty text parameter makes Param2 its length, as copying a prototype does;
    // rows with a text parameter therefore leave Param2 unset (see param2Value()).
    QString ParamStr;
    QString param1question, param1prompt, param2question, param2prompt, MyHint;
    std::optional<bool> IsSimple;      // conditions only
    QString EndBlockText;              // loops and conditions: text of the end block they create
    bool topNose = true, botNose = true;
    int DeviceOnlyCommandID = -1;      // device type id; -1 for general commands, always enabled
    int Left = 10;                     // position on its panel
    int Top = 0;
    TColor CommandColor = KeloColor::White;

    // Param2 the prototype must end up with, or nullopt for the class default.
    std::optional<int> param2Value() const
    {
        if (!ParamStr.isEmpty())
            return int(ParamStr.size());
        return Param2;
    }
};
