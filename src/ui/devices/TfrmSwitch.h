#pragma once

#include "devices/TKindDevForm.h"

// A switch or a digital sensor module on one pin; ten kinds.
class TfrmSwitch : public TKindDevForm {
    Q_OBJECT

public:
    TfrmSwitch(ActiveDevices &devices, int position, const QString &imagesDir,
               QWidget *parent = nullptr);
};
