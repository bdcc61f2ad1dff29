#pragma once

#include "devices/TDefDevForm.h"

class QComboBox;

// A temperature/humidity sensor on one data pin. Parameter 2 is the sensor type
// number (11, 22 or 21), chosen from the "Type:" list.
class TfrmTemp : public TDefDevForm {
    Q_OBJECT

public:
    TfrmTemp(ActiveDevices &devices, int position, const QString &imagesDir,
             QWidget *parent = nullptr);

    QComboBox *TypeList() const { return m_types; }

protected:
    void paramsLoaded() override;

private:
    void entryChosen(int index);
    void typeChanged(int value);
    void showType(int sensorType);

    QComboBox *m_types = nullptr;
};
