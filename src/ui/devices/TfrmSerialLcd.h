#pragma once

#include "devices/TDefDevForm.h"

// A 16x2 LCD on the I2C bus: nothing to set but its wiring.
class TfrmSerialLcd : public TDefDevForm {
    Q_OBJECT

public:
    TfrmSerialLcd(ActiveDevices &devices, int position, const QString &imagesDir,
                  QWidget *parent = nullptr);
};
