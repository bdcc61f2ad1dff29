#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the pupil is told about a project file that could not be read whole: a Greek
// message that names the file, says what was wrong in a pupil's words and what to do,
// and the reader's own technical lines to unfold under it.
struct OpenReport {
    QString text;
    QString details;
    // Whether anything of the file can be shown: a file that is no project at all
    // leaves the program on the screen as it was.
    bool usable = false;

    // readOk/error/blocksRead: how the reading went; blocksInFile: the blocks the file
    // names (its "object" lines); skipped: the reader's lines about properties and
    // links it could not use. Nothing to say when the file was read whole.
    static std::optional<OpenReport> make(const QString &fileName, bool readOk, const QString &error, int blocksRead,
                                          int blocksInFile, const QStringList &skipped);
    // The "object" lines of a program file, read without building anything.
    static int blocksInFile(const QString &fileName);
};
