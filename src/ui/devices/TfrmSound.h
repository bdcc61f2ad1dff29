#pragma once

#include "devices/TDefDevForm.h"

// A piezo buzzer on one pin.
class TfrmSound : public TDefDevForm {
    Q_OBJECT

public:
    TfrmSound(ActiveDevices &devices, int position, const QString &imagesDir,
              QWidget *parent = nullptr);
};
