#pragma once

#include <QByteArray>

class TKeloBlock;
class Workspace;
class ObjectTextWriter;

// Writes blocks in the object text format of program files.
namespace BlockWriter {
// Appends the block's object description (its stored properties, in their order).
void WriteBlockText(const TKeloBlock &block, ObjectTextWriter &out);
// Every placed block of the workspace in component order: the program file's bytes.
QByteArray writeProgram(const Workspace &workspace);
} // namespace BlockWriter
