#pragma once

#include "serial/PlatformPorts.h"

#include <QString>
#include <memory>

class TfrmVimsel;
class UserPrompt;

// Builds the program's main window the one way the program does it: application
// names and Greek texts for Qt's own buttons and dialogs first, then the window.
// main() shows the result; the widget tests use the same function, optionally with
// a prompt of their own, a writable folder of their own and stand-ins for the
// machine's serial ports.
// writableFolder: where the program writes "Out", "Options.ini" and finds "BTPort.ini";
// empty for its own (tests give a folder of their own).
// The names the program's per-user folders and settings are found under; also what
// the desktop knows the program by (its entry and icon).
void setApplicationNames();
std::unique_ptr<TfrmVimsel> buildMainWindow(UserPrompt *prompt = nullptr, const QString &writableFolder = {},
                                            PortEnvironment ports = PlatformPorts::forThisMachine());
