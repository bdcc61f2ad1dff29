#pragma once

#include <QString>

// One tile of the devices page: the picture panel with its caption, its counter and
// its "ADD" button. Component names are matched without regard to case.
struct DeviceTileSpec {
    int typeId = -1; // also the tile's position, top to bottom
    QString panel, caption, countLabel, addButton;
};
