#pragma once

#include "serial/PortAccess.h"

// Asks the system whether the running user may read and write the port's device
// file, without opening it: opening a board's port resets the board.
class FilePortAccess : public PortAccess {
public:
    bool permissionDenied(const QString &port) const override;
    QString missingGroup(const QString &port) const override;
};
