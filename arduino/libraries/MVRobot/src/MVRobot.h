#pragma once

#include <Arduino.h>
#include <KeloGyro.h>

// A robot car with two DC motors on an H-bridge (IN1/IN2 the left motor, IN3/IN4
// the right one, one enable pin for the speed of both), an optional photo-interrupter
// on a wheel's slotted disc for the distance, and an optional MPU6050 for turning by
// an angle. Without the interrupter or the gyroscope, steps and turns are timed.
class MV_Robot {
public:
    // The move codes of the robot and motor blocks.
    enum Move { Forward = 1, Backward = 2, Stop = 4, Right = 5, Left = 6 };

    // encoderPin 0 (or less) means no photo-interrupter; gyroPresent 0 no gyroscope.
    void init(int in1, int in2, int in3, int in4, int encoderPin, int gyroPresent, int enablePin);
    // Call on every change of the photo-interrupter's pin (the sketch attaches it).
    void handleInterrupt();

    // Centimetres travelled since start, whatever the direction.
    int getDistance();
    // 0 (standing) to 255 (fastest); takes effect at once if the robot is moving.
    void setSpeed(int speed);
    // One of the move codes; any other code stops.
    void run(int move);
    // Length of one step in centimetres, kept within 10 to 100.
    void setStepTicks(int cm);
    // Drives one step forward or backward and stops (see stepForward below).
    void moveStep(int move);
    // Turns on the spot by an angle and stops; a negative angle turns the other way.
    void turnRight(int degrees);
    void turnLeft(int degrees);
    // Starts turning on the spot; run(Stop) ends the turn.
    void goRight();
    void goLeft();

private:
    void drive(bool leftForward, bool leftBackward, bool rightForward, bool rightBackward);
    void turnBy(int degrees, int move);
    unsigned long edgeCount();

    int fIn1 = -1, fIn2 = -1, fIn3 = -1, fIn4 = -1, fEnable = -1, fEncoder = 0;
    int fSpeed = 255;
    int fMove = Stop;
    int fStepCm = 10;
    volatile unsigned long fEdges = 0;
    volatile unsigned long fLastEdgeMicros = 0;
    KeloGyro fGyro;
};

// The generated steps name the step without an argument list ("Robot_0.stepForward;").
// These macros turn that statement into the call that performs the step.
#define stepForward moveStep(MV_Robot::Forward)
#define stepBackward moveStep(MV_Robot::Backward)
