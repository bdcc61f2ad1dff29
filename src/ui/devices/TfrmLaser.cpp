#include "devices/TfrmLaser.h"

#include "devices/DeviceTypes.h"

TfrmLaser::TfrmLaser(ActiveDevices &devices, int position, const QString &imagesDir,
                     QWidget *parent)
    : TKindDevForm(DeviceTypes::Laser, devices, position, imagesDir, parent)
{
    loadParams();
}
