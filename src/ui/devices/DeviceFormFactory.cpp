#include "devices/DeviceFormFactory.h"

#include "devices/DeviceTypes.h"
#include "devices/TfrmAnalogIn.h"
#include "devices/TfrmBMP.h"
#include "devices/TfrmDcMotor.h"
#include "devices/TfrmLaser.h"
#include "devices/TfrmRobot.h"
#include "devices/TfrmSerialLcd.h"
#include "devices/TfrmServo.h"
#include "devices/TfrmSound.h"
#include "devices/TfrmSwitch.h"
#include "devices/TfrmTemp.h"
#include "devices/TfrmUSonic.h"

TDefDevForm *createDeviceForm(int typeId, ActiveDevices &devices, int position,
                              const QString &imagesDir, QWidget *parent)
{
    switch (typeId) {
    case DeviceTypes::LCD_Serial:
        return new TfrmSerialLcd(devices, position, imagesDir, parent);
    case DeviceTypes::Laser:
        return new TfrmLaser(devices, position, imagesDir, parent);
    case DeviceTypes::Sound:
        return new TfrmSound(devices, position, imagesDir, parent);
    case DeviceTypes::UltraSonic:
        return new TfrmUSonic(devices, position, imagesDir, parent);
    case DeviceTypes::Servo:
        return new TfrmServo(devices, position, imagesDir, parent);
    case DeviceTypes::Switch:
        return new TfrmSwitch(devices, position, imagesDir, parent);
    case DeviceTypes::Temp:
        return new TfrmTemp(devices, position, imagesDir, parent);
    case DeviceTypes::BMP:
        return new TfrmBMP(devices, position, imagesDir, parent);
    case DeviceTypes::ANIN:
        return new TfrmAnalogIn(devices, position, imagesDir, parent);
    case DeviceTypes::DCMOTOR:
        return new TfrmDcMotor(devices, position, imagesDir, parent);
    case DeviceTypes::ROBOT:
        return new TfrmRobot(devices, position, imagesDir, parent);
    default:
        return nullptr;
    }
}
