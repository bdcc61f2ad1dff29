#include "devices/TfrmUSonic.h"

#include "devices/DeviceTypes.h"

TfrmUSonic::TfrmUSonic(ActiveDevices &devices, int position, const QString &imagesDir,
                       QWidget *parent)
    : TDefDevForm(DeviceTypes::UltraSonic, devices, position, imagesDir, parent)
{
    loadParams();
}
