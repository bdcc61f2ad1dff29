#include "KeloMotor.h"

void KELO_DCMotor::init(int number, int in1, int in2)
{
    fNumber = number;
    fIn1 = in1;
    fIn2 = in2;
    pinMode(fIn1, OUTPUT);
    pinMode(fIn2, OUTPUT);
    run(Stop);
}

void KELO_DCMotor::run(int move)
{
    if (fIn1 < 0)
        return;  // not initialised: the pins are unknown
    digitalWrite(fIn1, move == Forward ? HIGH : LOW);
    digitalWrite(fIn2, move == Backward ? HIGH : LOW);
}
