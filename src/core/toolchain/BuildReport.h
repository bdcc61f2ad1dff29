#pragma once

#include "toolchain/UploadEvidence.h"
#include "toolchain/WatchedRun.h"

#include <QString>
#include <QStringList>
#include <optional>

// What a run of the IDE came to, read from its exit code and its output, in words a
// pupil understands: uploaded, only compiled (no port), a mistake in the program
// (pointing at the block that produced the line), or an upload that failed, with
// what to do about it.
class BuildReport {
public:
    // IdeFailed: the IDE failed before uploading without naming a line of the sketch
    // (a broken installation, a library that does not compile): not the pupil's fault.
    enum class Outcome { Uploaded, CompiledOnly, CompileFailed, UploadFailed, NotStarted, IdeFailed, Cancelled, Stalled };
    using UploadProblem = UploadEvidence::Problem;

    struct CompileError {
        int line = 0;  // in Output.ino, from 1
        int column = 0;
        QString message;    // the compiler's own words
        QString blockName;  // the block that produced the line, empty when none did
        QString hint;       // what it means, in Greek
    };

    // lineBlocks: for every line of the sketch file (index 0 = line 1) the name of the
    // block that produced it, or an empty text.
    // Uploaded only when the run exited with 0 and avrdude confirmed the write.
    static BuildReport analyse(bool uploadRequested, const WatchedRun::End &end, const QString &output,
                               const QStringList &lineBlocks, const QString &port = {});
    static BuildReport analyse(bool uploadRequested, bool started, int exitCode, const QString &output,
                               const QStringList &lineBlocks, const QString &port = {});

    Outcome outcome = Outcome::NotStarted;
    UploadProblem problem = UploadProblem::None;
    std::optional<CompileError> error;
    QString port;
    int stallSeconds = 0;  // Stalled: the time without progress that ended the run
    // The pupil asked only for a check ("Έλεγχος"): nothing was to be uploaded, and
    // the texts say what came of the check.
    bool checkOnly = false;

    bool succeeded() const { return outcome == Outcome::Uploaded || outcome == Outcome::CompiledOnly; }
    // One line for the status bar.
    QString headline() const;
    // The whole explanation; blockText is the command text of the block the error
    // points at, as the pupil sees it.
    QString message(const QString &blockText = {}) const;
    // What a port that cannot be opened for lack of permission needs on this system.
    static QString permissionHint();
    // Whether trying again as a Nano with the old bootloader could help.
    bool mayBeOldNano() const { return problem == UploadProblem::NoAnswer; }
};
