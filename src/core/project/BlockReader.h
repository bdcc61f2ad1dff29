#pragma once

#include <QByteArrayView>
#include <QString>

class Workspace;
class DebugLog;

// Reads program files: creates the blocks of each object description, applies
// their properties through the setters, then restores the links between them.
//
// Every trouble with one property goes to the log as "Error reading
// <block>.<property>: <reason>" and the property is skipped. That includes links
// that a damaged file could use to tie blocks into a loop or to give a block two
// holders (see LinkForest), links to palette blocks, value blocks nested in value
// blocks, and back links that do not match the forward link they mirror: such a link
// stays empty.
namespace BlockReader {

struct Result {
    bool ok = true;       // false: loading stopped early (the blocks read so far stay)
    QString error;        // the reader's message when not ok
    int blocksRead = 0;
};

// The start of every line that reports a property the loader skipped or a link it
// refused.
inline QString errorReadingPrefix() { return QStringLiteral("Error reading "); }

// Replaces the placed blocks of the workspace by those of the program text.
Result LoadProgramText(Workspace &workspace, QByteArrayView data, DebugLog *log);
// The same from a file; a file that does not exist changes nothing.
Result LoadProgramFile(Workspace &workspace, const QString &fileName, DebugLog *log);

} // namespace BlockReader
