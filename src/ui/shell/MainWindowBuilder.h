#pragma once

#include "serial/PlatformPorts.h"

#include <memory>

class TfrmVimsel;
class UserPrompt;

// Builds the program's main window the one way the program does it: application
// names and Greek texts for Qt's own buttons and dialogs first, then the window.
// main() shows the result; the widget tests use the same function, optionally with
// a prompt of their own and stand-ins for the machine's serial ports.
std::unique_ptr<TfrmVimsel> buildMainWindow(UserPrompt *prompt = nullptr,
                                            PortEnvironment ports = PlatformPorts::forThisMachine());
