#pragma once

#include <Arduino.h>

// A DC motor on one half of an H-bridge (L298N, L9110): two inputs, no speed pin,
// so it runs at full power.
class KELO_DCMotor {
public:
    // The move codes of the motor blocks.
    enum Move { Forward = 1, Backward = 2, Stop = 4 };

    // number identifies the motor for the program's own use; in1 and in2 drive it.
    void init(int number, int in1, int in2);
    // 1 forward, 2 backward, 4 (or any other code) stop.
    void run(int move);
    int number() const { return fNumber; }

private:
    int fNumber = 0;
    int fIn1 = -1, fIn2 = -1;
};
