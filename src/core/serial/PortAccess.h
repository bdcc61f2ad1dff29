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
};
