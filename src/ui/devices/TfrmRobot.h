#pragma once

#include "devices/TDefDevForm.h"

class QCheckBox;

// A robot car: two motors through an H-bridge, a speed pin, a photo interrupter and an
// optional gyroscope on the I2C bus. Parameter 6 says whether the gyroscope is there.
class TfrmRobot : public TDefDevForm {
    Q_OBJECT

public:
    TfrmRobot(ActiveDevices &devices, int position, const QString &imagesDir,
              QWidget *parent = nullptr);

    QCheckBox *GyroCheck() const { return m_gyro; }

protected:
    void paramsLoaded() override;

private:
    void gyroChanged(int value);
    void showGyro(int value);

    QCheckBox *m_gyro = nullptr;
};
