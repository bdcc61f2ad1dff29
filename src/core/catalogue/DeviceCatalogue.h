#pragma once

#include "catalogue/PanelSpec.h"

// The panels of the "Εντολές Συσκευών" tab, one per device type. Every prototype
// carries its panel's device type, so it stays disabled until such a device exists.
namespace DeviceCatalogue {
PanelSpec lcdPanel();         // LCDpanel, LCD_Serial
PanelSpec laserPanel();       // LaserPanel, Laser
PanelSpec soundPanel();       // SoundPanel, Sound
PanelSpec ultrasonicPanel();  // USonicPanel, UltraSonic
PanelSpec servoPanel();       // ServoPanel, Servo
PanelSpec switchPanel();      // SwitchPanel, Switch
PanelSpec temperaturePanel(); // TempPanel, Temp
PanelSpec barometerPanel();   // BMPPanel, BMP
PanelSpec analogInPanel();    // AnalogInPanel, ANIN
PanelSpec dcMotorPanel();     // DcMotorPanel, DCMOTOR
PanelSpec robotPanel();       // DcRobotPanel, ROBOT
} // namespace DeviceCatalogue
