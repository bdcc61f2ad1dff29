#pragma once

#include <QStringList>
#include <optional>

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
    // With lineBlocks, it receives for every line of the sketch file (index 0 = line
    // 1) the name of the block that produced it, or an empty text, so that a
    // compiler's message can be traced back to a block.
    static std::optional<QStringList> generate(Workspace &workspace, const ActiveDevices &devices,
                                               const TArduVariables &variables, DebugLog *log,
                                               UserPrompt *prompt, QStringList *lineBlocks = nullptr);

    // The text of the sketch file: every line, the last one included, ended by CRLF.
    static QString sketchText(const QStringList &lines);
};
