#pragma once

#include "devices/TKindDevForm.h"

// A laser module or an LED on one pin.
class TfrmLaser : public TKindDevForm {
    Q_OBJECT

public:
    TfrmLaser(ActiveDevices &devices, int position, const QString &imagesDir,
              QWidget *parent = nullptr);
};
