#pragma once

#include <QString>

// What an uploader's output (avrdude's, also as the IDE passes it on) says about the
// write to the board: whether the board confirmed it, and otherwise why it failed,
// in words a pupil understands. The same for a sketch's upload and a firmware burn.
class UploadEvidence {
public:
    enum class Problem {
        None,
        NoAnswer,          // the port opened, the board never answered
        PortMissing,       // no such port
        PortBusy,          // another program holds the port
        PermissionDenied,  // the user may not open it
        PortGone,          // the board went away during the write
        NotConfirmed,      // the run ended well, but no word that anything was written
        Other
    };

    // avrdude's own word that the flash was written (and, when the IDE passed it on,
    // read back the same). Only with a run that exited with 0 is it a success.
    static bool confirmed(const QString &output);
    // The cause of a failed write, read from the output; port is the port that was
    // used (a port that is no longer there tells the rest). exitedWell: the run
    // ended with status 0 all the same.
    static Problem problem(const QString &output, const QString &port, bool exitedWell);
    // One or two sentences for the pupil; empty for None.
    static QString explain(Problem problem, const QString &port);
};
