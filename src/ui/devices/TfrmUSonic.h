#pragma once

#include "devices/TDefDevForm.h"

// An ultrasonic distance sensor: a trigger and an echo pin.
class TfrmUSonic : public TDefDevForm {
    Q_OBJECT

public:
    TfrmUSonic(ActiveDevices &devices, int position, const QString &imagesDir,
               QWidget *parent = nullptr);
};
