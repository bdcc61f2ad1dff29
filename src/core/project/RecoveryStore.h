#pragma once

#include "project/ProjectSnapshot.h"

#include <QDateTime>
#include <QString>
#include <optional>

class Project;

// A copy of the project with unsaved changes, written now and then and when the
// program is closed without saving, so that a crash, a power cut or a wrong answer
// loses nothing. One copy at a time, in a folder of the program's own.
class RecoveryStore {
public:
    explicit RecoveryStore(QString folder) : fFolder(std::move(folder)) {}

    struct Copy {
        QString programFile;   // the copy's program file, to open
        QString originalFile;  // the project's own file; empty for a project never saved
        QDateTime written;
    };

    // projectFile: the project's file, empty when it has none yet.
    bool write(const ProjectSnapshot &state, const QString &projectFile, QString *error = nullptr) const;
    // The copy, when there is one that is newer than the project's own file.
    std::optional<Copy> newerCopy() const;
    void clear() const;

    static QString offerText(const Copy &copy);

private:
    QString file(const QString &name) const;
    QString fFolder;
};
