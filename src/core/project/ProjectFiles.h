#pragma once

#include <QString>

class Project;

// A project is three files with one base name: the program (".vzl"), the devices
// (".adv") and the variables (".var").
namespace ProjectFiles {

// Writes the program file, then the devices file, then the variables file. A program
// file that cannot be written stops the save before the other two.
bool saveProject(Project &project, const QString &fileName, QString *error = nullptr);

struct LoadResult {
    bool ok = true;
    QString error;
    int blocksRead = 0;  // placed blocks read from the program file
};
// Reads the variables, then the devices, then the blocks, and re-links the blocks.
// A program file that does not exist leaves the blocks as they are.
LoadResult loadProject(Project &project, const QString &fileName);

} // namespace ProjectFiles
