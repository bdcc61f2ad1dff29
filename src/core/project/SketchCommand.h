#pragma once

#include <QByteArray>
#include <QStringList>

// The command-line face of the core: a project file in, its sketch out.
namespace SketchCommand {

QString usage();

// Runs the command with its arguments (without the program name). The sketch goes to
// out, messages (and the debug lines with --log) to err. Exit codes: 0 done,
// 1 no start block, 2 bad arguments or a project that cannot be read; with --check
// (the findings instead of the sketch) 0 none, 3 only warnings, 4 an error.
int run(const QStringList &arguments, QByteArray &out, QByteArray &err);

} // namespace SketchCommand
