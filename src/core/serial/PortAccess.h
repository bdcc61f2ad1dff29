#pragma once

#include <QString>

// Whether the user running the program may open a port that exists. On Linux serial
// devices belong to the group "dialout", which a fresh user is not in.
class PortAccess {
public:
    virtual ~PortAccess() = default;
    // True only when the port exists and opening it would be refused for lack of
    // permission; a missing port or one that may be opened gives false.
    virtual bool permissionDenied(const QString &port) const = 0;
    // The group that may use the port when the user is not in it (on Linux the
    // port's group, "dialout"); empty when the user may use it or it cannot be told.
    virtual QString missingGroup(const QString &) const { return {}; }
};
