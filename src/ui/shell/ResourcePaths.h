#pragma once

#include <QString>

// Where the read-only data that ships with the program lives (the "images",
// "Lessons", "examples" and "Arduino" folders): beside the executable (a portable install or the
// build tree), then in the install's share folder, then in the source tree the
// program was built from.
class ResourcePaths {
public:
    // The folder named name for the running program; the source tree's folder when
    // none of the places holds it.
    static QString dataDir(const QString &name);
    static QString imagesDir();
    // The folder whose "libraries" hold the program's own Arduino device libraries,
    // given to the IDE as its sketchbook: "Arduino" beside the program or in the
    // share folder, else the source tree's "arduino".
    static QString sketchbookDir();
    // The example projects: "examples" beside the program or in the share folder, else
    // the source tree's "examples".
    static QString examplesDir();

    // The same search from a given executable folder and source resources folder.
    static QString findDataDir(const QString &name, const QString &exeDir, const QString &sourceResources);
};
