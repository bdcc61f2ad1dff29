#pragma once

#include <QtGlobal>

class QProcess;

// An external run (the IDE, avrdude) in a process group of its own. Debian's
// "arduino" is a shell script that starts java, which starts avrdude: ending only the
// process we started would leave the others running and holding the port. Ending the
// group ends them all.
class ProcessGroup {
public:
    // Before start(): the child becomes the leader of a new group.
    static void prepare(QProcess &process);
    // Asks every process of the group to end (the leader's pid names the group).
    static void terminate(qint64 leaderPid);
    // Ends every process of the group at once; harmless when none is left.
    static void kill(qint64 leaderPid);
    // Whether any process of the group is still running.
    static bool alive(qint64 leaderPid);
};
