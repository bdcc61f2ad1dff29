#pragma once

#include "serial/UsbDeviceEvent.h"

#include <QString>
#include <optional>

// Which USB devices count as an Arduino board, and what the window does when one is
// plugged in or pulled out.
//
// A device is a board when its description contains "CH340" (case-sensitive: the
// USB-serial chip of the boards in use), or when its USB id is that chip's (1a86:7523),
// an Arduino Uno's (2341:0043), a Mega 2560's (2341:0010, 2341:0042) or the
// FTDI chip of older Nanos (0403:6001).
class BoardPlugRule {
public:
    struct Reaction {
        // Whether the port list is refreshed first: only an arrival brings a port.
        bool refresh = false;
        // The status bar's new hint, shown in the balloon.
        QString hint;
    };

    static bool isArduino(const UsbDeviceEvent &event);
    // Nothing for a device that is not a board.
    static std::optional<Reaction> react(const UsbDeviceEvent &event);

    static QString connectedText();
    static QString disconnectedText();
};
