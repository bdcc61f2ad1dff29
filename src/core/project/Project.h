#pragma once

#include "blocks/Workspace.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceListener.h"
#include "codegen/SketchLineMap.h"
#include "variables/TArduVariables.h"

#include <QStringList>
#include <optional>

class DebugLog;
class TextMeasurer;
class UserPrompt;

// The program-wide state of one project: the blocks, the device list with the
// board model, and the variable table, wired so that device and variable changes
// reach the blocks.
class Project : private DeviceListener {
public:
    Project(const TextMeasurer *measurer, DebugLog *log, UserPrompt *prompt);
    ~Project() override;
    Project(const Project &) = delete;
    Project &operator=(const Project &) = delete;

    Workspace &workspace() { return fWorkspace; }
    ActiveDevices &devices() { return fDevices; }
    TArduVariables &variables() { return fVariables; }
    DebugLog *log() const { return fLog; }
    UserPrompt *prompt() const { return fPrompt; }

    // Builds every palette panel with its prototypes.
    void buildPalette();
    // The sketch of the program on the canvas, or nothing without a start block.
    // lineMap: see SketchGenerator::generate.
    std::optional<QStringList> generateSketch(SketchLineMap *lineMap = nullptr);
    // The same sketch for the code shown while the pupil works: it traces nothing in
    // the debug list and says nothing when there is no start block.
    std::optional<QStringList> sketchForView(SketchLineMap *lineMap);

private:
    void deviceRefresh(int typeId, int position) override;
    void commandsByType(int typeId, bool enable) override;

    DebugLog *fLog;
    UserPrompt *fPrompt;
    ActiveDevices fDevices;
    TArduVariables fVariables;
    Workspace fWorkspace;
    int fVarsListener = 0;
};
