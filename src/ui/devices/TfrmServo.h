#pragma once

#include "devices/TDefDevForm.h"

// A micro servo on one pin. Its three wires are told apart by colour, so the labels
// carry the colours of the wires.
class TfrmServo : public TDefDevForm {
    Q_OBJECT

public:
    TfrmServo(ActiveDevices &devices, int position, const QString &imagesDir,
              QWidget *parent = nullptr);
};
