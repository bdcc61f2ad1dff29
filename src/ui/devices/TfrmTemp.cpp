#include "devices/TfrmTemp.h"

#include "devices/DeviceFormTexts.h"
#include "devices/DeviceTypes.h"
#include "devices/TempSensorType.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace Qt::StringLiterals;

TfrmTemp::TfrmTemp(ActiveDevices &devices, int position, const QString &imagesDir,
                   QWidget *parent)
    : TDefDevForm(DeviceTypes::Temp, devices, position, imagesDir, parent)
{
    m_types = new QComboBox(SettingsBox());
    m_types->setObjectName(u"cbType"_s);
    m_types->addItems(DeviceFormTexts::tempTypeNames());
    auto *label = new QLabel(u"Type:"_s, SettingsBox());
    label->setBuddy(m_types);
    SettingsLayout()->addRow(label, m_types);

    addHiddenParam(2, 22);
    {
        const QSignalBlocker blocker(m_types);
        m_types->setCurrentIndex(TempSensorType::listIndexOf(22));
    }
    connect(Param2SE, &QSpinBox::valueChanged, this, &TfrmTemp::typeChanged);
    // Programmatic selections are made with the list's signals blocked.
    connect(m_types, &QComboBox::currentIndexChanged, this, &TfrmTemp::entryChosen);

    loadParams();
}

void TfrmTemp::entryChosen(int index)
{
    const int type = TempSensorType::fromListIndex(index);
    Param2SE->setValue(type);
    // Without a picture of the type the previous one stays.
    showPicture({DeviceFormTexts::tempPictureName(type)});
}

void TfrmTemp::typeChanged(int value)
{
    // 0 is a fresh record: no type chosen yet.
    if (value == 0) {
        showType(22);
        return;
    }
    if (value != storedParam(2))
        SetParam(2, Param2SE);
    // Writes back the entry's number, so an unknown number becomes 22.
    showType(value);
}

void TfrmTemp::showType(int sensorType)
{
    const int index = TempSensorType::listIndexOf(sensorType);
    {
        const QSignalBlocker blocker(m_types);
        m_types->setCurrentIndex(index);
    }
    entryChosen(index);
}

void TfrmTemp::paramsLoaded()
{
    showType(Param2SE->value());
}
