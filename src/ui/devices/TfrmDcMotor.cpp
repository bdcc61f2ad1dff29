#include "devices/TfrmDcMotor.h"

#include "devices/DeviceTypes.h"

TfrmDcMotor::TfrmDcMotor(ActiveDevices &devices, int position, const QString &imagesDir,
                         QWidget *parent)
    : TDefDevForm(DeviceTypes::DCMOTOR, devices, position, imagesDir, parent)
{
    loadParams();
}
