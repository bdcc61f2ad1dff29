#include "project/ProjectSnapshot.h"

#include "devices/DeviceFile.h"
#include "blocks/Workspace.h"
#include "project/BlockReader.h"
#include "project/BlockWriter.h"
#include "project/Project.h"
#include "util/IniFile.h"
#include "variables/VarFile.h"

ProjectSnapshot ProjectSnapshot::take(const Project &project)
{
    Project &p = const_cast<Project &>(project);
    ProjectSnapshot s;
    s.program = BlockWriter::writeProgram(p.workspace());
    IniFile devices;
    WriteDevices(p.devices(), devices);
    s.devices = devices.toBytes();
    IniFile variables;
    WriteVars(p.variables(), variables);
    s.variables = variables.toBytes();
    s.scrollX = p.workspace().canvas().scrollX;
    s.scrollY = p.workspace().canvas().scrollY;
    return s;
}

ProjectSnapshot ProjectSnapshot::take(const Project &project, int scrollX, int scrollY)
{
    Workspace &ws = const_cast<Project &>(project).workspace();
    const int keepX = ws.canvas().scrollX, keepY = ws.canvas().scrollY;
    ws.scrollCanvasTo(scrollX, scrollY);
    ProjectSnapshot s = take(project);
    ws.scrollCanvasTo(keepX, keepY);
    return s;
}

void ProjectSnapshot::restore(Project &project) const
{
    // The order of opening: variables, devices, then the blocks that refer to them.
    IniFile variables;
    variables.parse(this->variables);
    ReadVars(project.variables(), variables);
    IniFile devices;
    devices.parse(this->devices);
    ReadDevices(project.devices(), devices, project.prompt());
    // The canvas stays scrolled where it is: the blocks, stored relative to where it
    // was, are moved to match.
    Workspace &ws = project.workspace();
    const int keepX = ws.canvas().scrollX, keepY = ws.canvas().scrollY;
    BlockReader::LoadProgramText(ws, program, project.log());
    ws.canvas().scrollX = scrollX;
    ws.canvas().scrollY = scrollY;
    ws.scrollCanvasTo(keepX, keepY);
}
