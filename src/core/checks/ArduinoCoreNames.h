#pragma once

#include <QSet>
#include <QString>

// What "#include <Arduino.h>" brings into a sketch that a global "int name;" clashes
// with: the macros, functions, objects, types and enumerators of the core, the board's
// variant and the C library headers, and what the core's object files define (main,
// timer0_millis). The list is arduino-core-names.txt beside this file, written by
// scripts/arduino-core-names.py with Debian's Arduino toolchain and turned into a
// table when the core is built. Keywords and the names beginning with "__" or with
// "_" and a capital are not in it.
class ArduinoCoreNames {
public:
    // The names for a board (BoardModel's type id): 2 the Mega, any other the Uno,
    // whose list the Nano shares. Built anew on every call: keep the set.
    static QSet<QString> forBoard(int boardTypeId);

private:
    struct Entry {
        const char *name;
        unsigned char boards;  // UnoBit | MegaBit
    };
    static constexpr unsigned char UnoBit = 1;
    static constexpr unsigned char MegaBit = 2;
    // Defined in the generated table.
    static const Entry kEntries[];
    static const int kEntryCount;
};
