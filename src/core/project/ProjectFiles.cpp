#include "project/ProjectFiles.h"

#include "devices/DeviceFile.h"
#include "project/BlockReader.h"
#include "project/BlockWriter.h"
#include "project/Project.h"
#include "variables/VarFile.h"

#include "util/IniFile.h"

#include <QSaveFile>
#include <memory>
#include <utility>
#include <vector>

namespace ProjectFiles {

bool saveProject(Project &project, const QString &fileName, QString *error)
{
    // The side files are updated in place (other sections and keys stay), so they
    // start from what the files hold.
    IniFile devices(DevicesFileName(fileName));
    IniFile variables(VarFileName(fileName));
    if (!devices.load(error) || !variables.load(error))
        return false;
    WriteDevices(project.devices(), devices);
    WriteVars(project.variables(), variables);
    const std::pair<QString, QByteArray> files[] = {
        {fileName, BlockWriter::writeProgram(project.workspace())},
        {devices.path(), devices.toBytes()},
        {variables.path(), variables.toBytes()},
    };
    // All three are written to temporary files first and only then put in place, so
    // that a full disk or a missing permission leaves the old project whole.
    std::vector<std::unique_ptr<QSaveFile>> out;
    for (const auto &[name, bytes] : files) {
        auto f = std::make_unique<QSaveFile>(name);
        if (!f->open(QIODevice::WriteOnly) || f->write(bytes) != bytes.size() || !f->flush()) {
            if (error)
                *error = f->errorString();
            for (auto &written : out)
                written->cancelWriting();
            f->cancelWriting();
            return false;
        }
        out.push_back(std::move(f));
    }
    for (auto &f : out) {
        if (!f->commit()) {
            if (error)
                *error = f->errorString();
            return false;
        }
    }
    return true;
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
    result.blocksRead = blocks.blocksRead;
    if (!blocks.ok) {
        result.ok = false;
        result.error = blocks.error;
    }
    return result;
}

} // namespace ProjectFiles
