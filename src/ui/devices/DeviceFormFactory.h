#pragma once

#include "devices/TDefDevForm.h"

#include <QString>

class ActiveDevices;
class QWidget;

// The set-up window of a device type, editing the device at position; null for an
// unknown type.
TDefDevForm *createDeviceForm(int typeId, ActiveDevices &devices, int position,
                              const QString &imagesDir, QWidget *parent = nullptr);
