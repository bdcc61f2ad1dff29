#include "project/Project.h"

#include "catalogue/PaletteBuilder.h"
#include "codegen/SketchGenerator.h"

Project::Project(const TextMeasurer *measurer, DebugLog *log, UserPrompt *prompt)
    : fLog(log), fPrompt(prompt),
      fWorkspace(Workspace::Services{log, measurer, prompt, &fDevices, &fVariables})
{
    fDevices.addListener(this);
    fVarsListener = fVariables.addChangeListener([this] { fWorkspace.varsChanged(); });
}

Project::~Project()
{
    fDevices.removeListener(this);
    fVariables.removeChangeListener(fVarsListener);
    fWorkspace.FreeAllBlocks();
}

void Project::buildPalette()
{
    PaletteBuilder::build(fWorkspace);
}

std::optional<QStringList> Project::generateSketch(SketchLineMap *lineMap)
{
    return SketchGenerator::generate(fWorkspace, fDevices, fVariables, fLog, fPrompt, lineMap);
}

std::optional<QStringList> Project::sketchForView(SketchLineMap *lineMap)
{
    return SketchGenerator::generate(fWorkspace, fDevices, fVariables, nullptr, nullptr, lineMap);
}

void Project::deviceRefresh(int typeId, int)
{
    fWorkspace.deviceRefresh(typeId);
}

void Project::commandsByType(int typeId, bool enable)
{
    fWorkspace.CommandsByType(typeId, enable);
}
