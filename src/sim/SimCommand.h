#pragma once

#include <QByteArray>
#include <QStringList>

// The command line of the simulation (vimsel-sim): a project in, the pin changes of
// its program, run by the firmware on a simulated board, out.
namespace SimCommand {

QString usage();

// Runs with the arguments (without the program name). The pin changes go to the file
// of --pins, or to out; messages (in Greek) to err. firmwareFolders: where to look
// for the firmware images when --firmware does not say. Exit codes: 0 done, 1 the
// program did not run (no start block, too big for the board, ...), 2 bad arguments
// or a project that cannot be read.
int run(const QStringList &arguments, const QStringList &firmwareFolders, QByteArray &out, QByteArray &err);

} // namespace SimCommand
