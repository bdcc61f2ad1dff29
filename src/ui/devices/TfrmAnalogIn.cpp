#include "devices/TfrmAnalogIn.h"

#include "devices/DeviceTypes.h"

TfrmAnalogIn::TfrmAnalogIn(ActiveDevices &devices, int position, const QString &imagesDir,
                           QWidget *parent)
    : TKindDevForm(DeviceTypes::ANIN, devices, position, imagesDir, parent)
{
    loadParams();
}
