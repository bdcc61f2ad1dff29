#include "MVRobot.h"

namespace {
// The usual kit: a 20-slot disc on a 67 mm wheel. The interrupt fires on both edges
// of every slot, so one turn of the wheel gives 40 edges.
const unsigned long EdgesPerTurn = 40;
const unsigned long WheelCircumferenceMm = 210;
// Edges closer than this come from a bouncing interrupter, not from the wheel.
const unsigned long DebounceMicros = 1000;
// Speeds of the kit at full power, for moves that cannot be measured.
const unsigned long FullSpeedCmPerSecond = 40;
const unsigned long FullSpeedDegreesPerSecond = 180;
// A measured move that does not end in time (a stalled or lifted robot, a broken
// sensor) is given up after its expected time at this slowest speed.
const unsigned long SlowestCmPerSecond = 5;
const unsigned long SlowestDegreesPerSecond = 45;

unsigned long timedMs(unsigned long amount, unsigned long fullSpeedPerSecond, int speed)
{
    // In this order the product stays within 32 bits for any int amount.
    return amount * 1000UL / fullSpeedPerSecond * 255UL / (unsigned long)speed;
}
}

void MV_Robot::init(int in1, int in2, int in3, int in4, int encoderPin, int gyroPresent, int enablePin)
{
    fIn1 = in1;
    fIn2 = in2;
    fIn3 = in3;
    fIn4 = in4;
    fEncoder = encoderPin;
    fEnable = enablePin;
    pinMode(fIn1, OUTPUT);
    pinMode(fIn2, OUTPUT);
    pinMode(fIn3, OUTPUT);
    pinMode(fIn4, OUTPUT);
    pinMode(fEnable, OUTPUT);
    run(Stop);
    if (gyroPresent > 0)
        fGyro.begin();
}

void MV_Robot::handleInterrupt()
{
    const unsigned long now = micros();
    if (now - fLastEdgeMicros < DebounceMicros)
        return;
    fLastEdgeMicros = now;
    fEdges = fEdges + 1;
}

unsigned long MV_Robot::edgeCount()
{
    noInterrupts();
    const unsigned long n = fEdges;
    interrupts();
    return n;
}

int MV_Robot::getDistance()
{
    return int(edgeCount() * WheelCircumferenceMm / (EdgesPerTurn * 10));
}

void MV_Robot::setSpeed(int speed)
{
    fSpeed = constrain(speed, 0, 255);
    if (fMove != Stop && fEnable >= 0)
        analogWrite(fEnable, fSpeed);
}

void MV_Robot::drive(bool leftForward, bool leftBackward, bool rightForward, bool rightBackward)
{
    digitalWrite(fIn1, leftForward ? HIGH : LOW);
    digitalWrite(fIn2, leftBackward ? HIGH : LOW);
    digitalWrite(fIn3, rightForward ? HIGH : LOW);
    digitalWrite(fIn4, rightBackward ? HIGH : LOW);
}

void MV_Robot::run(int move)
{
    if (fIn1 < 0)
        return;  // not initialised: the pins are unknown
    switch (move) {
    case Forward: drive(true, false, true, false); break;
    case Backward: drive(false, true, false, true); break;
    case Right: drive(true, false, false, true); break;
    case Left: drive(false, true, true, false); break;
    default: move = Stop; drive(false, false, false, false); break;
    }
    fMove = move;
    // Both inputs low with the bridge enabled brakes the motors; a stop keeps the
    // enable pin as it was so that the brake holds.
    if (move != Stop)
        analogWrite(fEnable, fSpeed);
}

void MV_Robot::setStepTicks(int cm)
{
    fStepCm = constrain(cm, 10, 100);
}

void MV_Robot::moveStep(int move)
{
    if (fSpeed == 0)
        return;  // it could not move anyway
    const unsigned long cm = (unsigned long)fStepCm;
    if (fEncoder > 0) {
        const unsigned long edges = (cm * 10 * EdgesPerTurn + WheelCircumferenceMm / 2) / WheelCircumferenceMm;
        const unsigned long giveUp = cm * 1000 / SlowestCmPerSecond;
        const unsigned long first = edgeCount();
        const unsigned long started = millis();
        run(move);
        while (edgeCount() - first < edges && millis() - started < giveUp) {
        }
    } else {
        run(move);
        delay(timedMs(cm, FullSpeedCmPerSecond, fSpeed));
    }
    run(Stop);
}

void MV_Robot::turnBy(int degrees, int move)
{
    if (degrees < 0) {
        degrees = -degrees;
        move = move == Right ? Left : Right;
    }
    if (degrees == 0 || fSpeed == 0)
        return;
    if (fGyro.present()) {
        const unsigned long giveUp = (unsigned long)degrees * 1000 / SlowestDegreesPerSecond;
        const unsigned long started = millis();
        fGyro.resetHeading();
        run(move);
        // The sign of the heading depends on how the chip is mounted; the size does not.
        while (fabs(fGyro.heading()) < degrees && millis() - started < giveUp)
            fGyro.update();
    } else {
        run(move);
        delay(timedMs((unsigned long)degrees, FullSpeedDegreesPerSecond, fSpeed));
    }
    run(Stop);
}

void MV_Robot::turnRight(int degrees)
{
    turnBy(degrees, Right);
}

void MV_Robot::turnLeft(int degrees)
{
    turnBy(degrees, Left);
}

void MV_Robot::goRight()
{
    run(Right);
}

void MV_Robot::goLeft()
{
    run(Left);
}
