#pragma once

#include "devices/TKindDevForm.h"

// An analogue sensor on one analogue pin; two kinds.
class TfrmAnalogIn : public TKindDevForm {
    Q_OBJECT

public:
    TfrmAnalogIn(ActiveDevices &devices, int position, const QString &imagesDir,
                 QWidget *parent = nullptr);
};
