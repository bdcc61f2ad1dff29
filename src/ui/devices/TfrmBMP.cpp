#include "devices/TfrmBMP.h"

#include "devices/DeviceTypes.h"

TfrmBMP::TfrmBMP(ActiveDevices &devices, int position, const QString &imagesDir,
                 QWidget *parent)
    : TDefDevForm(DeviceTypes::BMP, devices, position, imagesDir, parent)
{
    loadParams();
}
