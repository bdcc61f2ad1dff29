#pragma once

#include <QByteArray>
#include <QStringList>

#include <memory>

// The command-line face of the core: a project file in, its sketch out.
namespace SketchCommand {

QString usage();

// Runs the command with its arguments (without the program name). The sketch goes to
// out, messages (and the debug lines with --log) to err. Exit codes: 0 done,
// 1 no start block, 2 bad arguments or a project that cannot be read; with --check
// (the findings instead of the sketch) 0 none, 3 only warnings, 4 an error.
int run(const QStringList &arguments, QByteArray &out, QByteArray &err);

// What a run loads: the project with its log and prompt.
struct Session;
struct SessionDeleter {
    void operator()(Session *s) const;
};
using SessionHolder = std::unique_ptr<Session, SessionDeleter>;

// The same for the tool's main(): the loaded project is handed to keep rather than
// destroyed, so that a process about to end need not take a large program apart
// block by block.
int run(const QStringList &arguments, QByteArray &out, QByteArray &err, SessionHolder *keep);

} // namespace SketchCommand
