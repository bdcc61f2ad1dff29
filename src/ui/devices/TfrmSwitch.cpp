#include "devices/TfrmSwitch.h"

#include "devices/DeviceTypes.h"

TfrmSwitch::TfrmSwitch(ActiveDevices &devices, int position, const QString &imagesDir,
                       QWidget *parent)
    : TKindDevForm(DeviceTypes::Switch, devices, position, imagesDir, parent)
{
    loadParams();
}
