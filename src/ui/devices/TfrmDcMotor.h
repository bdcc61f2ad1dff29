#pragma once

#include "devices/TDefDevForm.h"

// A DC motor driven through an H-bridge: two input pins.
class TfrmDcMotor : public TDefDevForm {
    Q_OBJECT

public:
    TfrmDcMotor(ActiveDevices &devices, int position, const QString &imagesDir,
                QWidget *parent = nullptr);
};
