#pragma once

#include <QString>
#include <array>

// One device of the project. Its name is also the identifier of its object in the
// generated sketch and the text blocks show in their device choosers.
struct TActiveDevice {
    int DeviceTypeID = 0;
    QString Name;
    std::array<int, 8> ActDevParams{}; // entries 1..7 are %dp1..%dp7; entry 0 is unused
    int ActDevParamCount = 0;
};
