#include "project/ProjectFiles.h"

#include "devices/DeviceFile.h"
#include "project/BlockReader.h"
#include "project/BlockWriter.h"
#include "project/Project.h"
#include "variables/VarFile.h"

#include <QSaveFile>

namespace ProjectFiles {

bool saveProject(Project &project, const QString &fileName, QString *error)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(BlockWriter::writeProgram(project.workspace())) < 0 || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (!SaveDevices(project.devices(), fileName, error))
        return false;
    return SaveVars(project.variables(), fileName, error);
}

LoadResult loadProject(Project &project, const QString &fileName)
{
    LoadResult result;
    QString error;
    if (!LoadVars(project.variables(), fileName, &error)) {
        result.ok = false;
        result.error = error;
    }
    if (!LoadDevices(project.devices(), fileName, project.prompt(), &error)) {
        result.ok = false;
        result.error = error;
    }
    const BlockReader::Result blocks = BlockReader::LoadProgramFile(project.workspace(), fileName, project.log());
    if (!blocks.ok) {
        result.ok = false;
        result.error = blocks.error;
    }
    return result;
}

} // namespace ProjectFiles
