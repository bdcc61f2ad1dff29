#pragma once

#include <QByteArray>
#include <QString>

class Workspace;
class TKeloBlock;
class DebugLog;
struct ObjectTextObject;
class ObjectTextValue;

// Reads program files: creates the blocks of each object description, applies
// their properties through the setters, then restores the links between them.
namespace BlockReader {

struct Result {
    bool ok = true;       // false: loading stopped early (the blocks read so far stay)
    QString error;        // the reader's message when not ok
    int blocksRead = 0;
};

// A block of the named class without owner, or nullptr for a class that is not a block.
TKeloBlock *createBlockOfClass(const QString &className);

// Applies one stored property through its setter; false with a reason when the block
// has no such property or the value does not fit.
bool applyProperty(TKeloBlock &block, const QString &name, const ObjectTextValue &value, QString *reason);

// Replaces the placed blocks of the workspace by those of the program text.
Result LoadProgramText(Workspace &workspace, const QByteArray &data, DebugLog *log);
// The same from a file; a file that does not exist changes nothing.
Result LoadProgramFile(Workspace &workspace, const QString &fileName, DebugLog *log);

} // namespace BlockReader
