#include "devices/TempSensorType.h"

int TempSensorType::normalised(int storedType)
{
    return (storedType == 11 || storedType == 21) ? storedType : 22;
}

int TempSensorType::fromListIndex(int index)
{
    switch (index) {
    case 0:
        return 11;
    case 2:
    case 3: // AM2301 is the same protocol as DHT21
        return 21;
    default:
        return 22;
    }
}

int TempSensorType::listIndexOf(int storedType)
{
    switch (storedType) {
    case 11:
        return 0;
    case 21:
        return 2;
    default:
        return 1;
    }
}
