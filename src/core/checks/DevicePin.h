#pragma once

#include <QList>
#include <QString>

class BoardPins;
struct TActiveDevice;

// One pin a device of the project uses, and how its code uses it.
struct DevicePin {
    enum class Role {
        Output,         // a plain digital output the program may switch as well (laser/LED)
        Input,          // a plain digital input the program may read as well (switch)
        AnalogueInput,  // read with analogRead; the pin blocks may read it too
        Driven,         // the device's code drives it (servo, motor, buzzer, trigger, DHT data)
        Sensed,         // the device's code reads it (the ultrasonic echo)
        Interrupt,      // read through an interrupt (the robot's photo-interrupter)
        Pwm,            // written with analogWrite (the robot's speed)
    };

    int device = -1;  // position in the device list
    QString deviceName;
    int pin = -1;     // the board's pin; for an analogue input the pin analogRead reads
    int setting = 0;  // the number as set in the device's window
    Role role = Role::Driven;
    QString label;    // the pin's label in the device's window ("IN1", "Trig Pin")

    // Whether the device's code sets the pin as an output in setup() or later.
    bool isOutput() const { return role == Role::Output || role == Role::Driven || role == Role::Pwm; }

    // The pins of one device; an analogue input that names no analogue pin of the
    // board keeps its setting as pin.
    static QList<DevicePin> of(const TActiveDevice &device, int position, const BoardPins &board);
    // Where pins of one device are, for a sentence: "το Signal Pin στο pin 0",
    // "τα IN1 και IN2 στο pin 5 και το En1,2 στο pin 1".
    static QString where(const QList<DevicePin> &pins, const BoardPins &board);
    // Whether the device talks over the I2C bus (the LCD, the barometer, the robot's
    // gyroscope).
    static bool usesI2c(const TActiveDevice &device);
};
