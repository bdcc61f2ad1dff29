#pragma once

#include "DeviceMeter.h"

#include <QString>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// What the simulated board and its devices show at one moment: a copy, handed from
// the thread that runs the simulation to the window that draws it.
struct SimSnapshot {
    struct Device {
        int position = 0;
        int typeId = 0;
        QString name;
        bool lit = false;                // LED or laser
        double hz = 0;                   // buzzer, 0 silent
        std::optional<double> degrees;   // servo
        int motor = 0;                   // DC motor: -1, 0, 1
        std::pair<int, int> wheels;      // robot: signed speeds
    };
    double programMs = 0;
    std::map<int, DeviceMeter::Pin> pins;
    bool hasDisplay = false;
    QString rows[2];
    std::vector<Device> devices;
    QString runningBlock;  // the name of the block being run, empty when none

    // The meter's reading of every device of the list at nowMs.
    static SimSnapshot take(const DeviceMeter &meter, const std::vector<TActiveDevice> &devices, double nowMs);
};
