#pragma once

#include "devices/TDefDevForm.h"

// A barometer on the I2C bus: nothing to set but its wiring.
class TfrmBMP : public TDefDevForm {
    Q_OBJECT

public:
    TfrmBMP(ActiveDevices &devices, int position, const QString &imagesDir,
            QWidget *parent = nullptr);
};
