#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

class ActiveDevices;
class TArduVariables;
class TKeloBlock;

// One piece of a transfer: debug lines written first, then bytes sent (all folded
// into the checksum), then a pause before the next piece.
struct LiveStep {
    QStringList log;
    QByteArray bytes;
    int pauseMs = 0;
    bool endsBlockRecord = false;
};

// A block program encoded for the interpreter firmware: the count byte, then the
// device set-up records and the block records as steps. Encoding reads the project
// and changes nothing in it.
struct LiveProgram {
    static constexpr int WordPauseMs = 20;

    int blockCount = 0;   // the chain's size as the count byte reports it
    int deviceCount = 0;
    int blockRecords = 0; // block records actually sent (else branches included)
    std::vector<LiveStep> steps;
    // The name of the block behind each block record, in the order they are sent: the
    // firmware numbers the records it runs so.
    QStringList recordBlocks;

    // The low 8 bits of blocks plus devices.
    char countByte() const { return char((blockCount + deviceCount) & 0xFF); }
    // XOR of every byte of the steps.
    quint8 checksum() const;

    static LiveProgram encode(TKeloBlock *start, const ActiveDevices &devices, const TArduVariables &variables);
    // The number a value block in a slot stands for: −1 for an empty slot, the
    // command of a reading block (sensor values and the like), else the variable's id.
    static int variableValue(const TKeloBlock *attached, const TArduVariables &variables);
};
