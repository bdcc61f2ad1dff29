#pragma once

#include "SimBoard.h"
#include "devices/TActiveDevice.h"

#include <deque>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// What the project's devices show, read off the pin changes of a simulated board:
// a LED lit, a buzzer's note, a servo's arm, a motor's or the robot's wheels, and
// every pin's mode and level.
class DeviceMeter {
public:
    struct Pin {
        int mode = 0;   // 1 output
        int level = 0;  // the output level (the PORT bit)
        int pwm = -1;   // the analogue output's value, -1 when none
    };

    explicit DeviceMeter(std::vector<TActiveDevice> devices);

    void pinChanged(const SimBoard::PinChange &c);
    const std::map<int, Pin> &pins() const { return fPins; }

    // By device position; a device of another kind gives nothing.
    bool lit(int position) const;
    // The buzzer's note now (ms of the same clock as the changes), 0 when silent.
    double frequencyHz(int position, double nowMs) const;
    // The servo's arm from its pulses: 0 fully right (0.6 ms) to 180 fully left (2.4 ms).
    std::optional<double> servoDegrees(int position) const;
    // -1 backward, 0 stopped, 1 forward.
    int motorDirection(int position) const;
    // The robot's left and right wheels: direction times speed (0..255).
    std::pair<int, int> robotWheels(int position) const;

private:
    struct Edges {
        double lastRise = -1;
        double periodMs = 0;
        double widthUs = -1;
        std::deque<double> rises;
    };
    const TActiveDevice *device(int position, int typeId) const;
    int level(int pin) const;
    int direction(int pinA, int pinB) const;

    std::vector<TActiveDevice> fDevices;
    std::map<int, Pin> fPins;
    std::map<int, Edges> fEdges;
};
