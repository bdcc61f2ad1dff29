#include "devices/TfrmSound.h"

#include "devices/DeviceTypes.h"

TfrmSound::TfrmSound(ActiveDevices &devices, int position, const QString &imagesDir,
                     QWidget *parent)
    : TDefDevForm(DeviceTypes::Sound, devices, position, imagesDir, parent)
{
    loadParams();
}
