#include "devices/TfrmSerialLcd.h"

#include "devices/DeviceTypes.h"

TfrmSerialLcd::TfrmSerialLcd(ActiveDevices &devices, int position, const QString &imagesDir,
                             QWidget *parent)
    : TDefDevForm(DeviceTypes::LCD_Serial, devices, position, imagesDir, parent)
{
    loadParams();
}
