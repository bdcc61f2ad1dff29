#pragma once

#include <QString>
#include <optional>

// The lines the interpreter firmware prints ("Morvane ready", "Program start",
// "Morvane: checksum error, program not run" …), said in Greek for the pupil.
struct FirmwareLine {
    QString text;          // in Greek
    bool problem = false;  // the board refused the program or reports a fault

    // Empty for a line that is not the firmware's (a sketch's own output, noise).
    static std::optional<FirmwareLine> read(const QString &line);
};
