#pragma once

#include <QString>

// Who uses a serial port: live mode keeps it open between transfers; an upload and a
// firmware burn hand it to an external program for the length of the run.
enum class PortUse { Live, Upload, Burn };

// What the pupil is told when the port is in use by another part of the program.
QString portInUseMessage(PortUse holder, const QString &port);
