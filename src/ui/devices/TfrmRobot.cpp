#include "devices/TfrmRobot.h"

#include "devices/DeviceTypes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace Qt::StringLiterals;

TfrmRobot::TfrmRobot(ActiveDevices &devices, int position, const QString &imagesDir,
                     QWidget *parent)
    : TDefDevForm(DeviceTypes::ROBOT, devices, position, imagesDir, parent)
{
    m_gyro = new QCheckBox(u"Γυροσκόπιο:"_s, SettingsBox());
    m_gyro->setObjectName(u"chkGyro"_s);
    m_gyro->setToolTip(u"Αν υπάρχει γυροσκόπιο mpu6050 συνδεδεμένο"_s);
    SettingsLayout()->addRow(m_gyro);

    addHiddenParam(6, 0);
    connect(Param6SE, &QSpinBox::valueChanged, this, &TfrmRobot::gyroChanged);
    // Programmatic ticks are made with the box's signals blocked.
    connect(m_gyro, &QCheckBox::toggled, this,
            [this](bool ticked) { Param6SE->setValue(ticked ? 1 : 0); });

    loadParams();
}

void TfrmRobot::gyroChanged(int value)
{
    if (value != storedParam(6))
        SetParam(6, Param6SE);
    showGyro(value);
}

void TfrmRobot::showGyro(int value)
{
    const QSignalBlocker blocker(m_gyro);
    m_gyro->setChecked(value > 0);
}

void TfrmRobot::paramsLoaded()
{
    showGyro(Param6SE->value());
}
