#pragma once

#include <QStringList>
#include <optional>

#include "codegen/SketchLineMap.h"

class Workspace;
class ActiveDevices;
class TArduVariables;
class DebugLog;
class UserPrompt;

// Turns a whole project into the lines of one Arduino sketch: includes,
// declarations, interrupt routines, variables, setup() and loop().
class SketchGenerator {
public:
    static QString missingStartBlockMessage();

    // The lines of the sketch, or nothing (after telling the user) when the canvas
    // has no start block. A line may itself hold line breaks (templates with "%nl").
    // With lineMap, the same run records which lines of the sketch file each block
    // became and which block each line came from, so that a compiler's message can be
    // traced back to a block and the code shown beside the blocks can follow them.
    // Without a log nothing is traced; without a prompt a missing start block is
    // only the empty result.
    static std::optional<QStringList> generate(Workspace &workspace, const ActiveDevices &devices,
                                               const TArduVariables &variables, DebugLog *log,
                                               UserPrompt *prompt, SketchLineMap *lineMap = nullptr);

    // The text of the sketch file: every line, the last one included, ended by CRLF.
    static QString sketchText(const QStringList &lines);
    // The lines of the sketch file, without their line ends: entries that hold line
    // breaks of their own are split (index i is line i + 1 of the file).
    static QStringList fileLines(const QStringList &lines);
};
