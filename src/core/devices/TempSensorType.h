#pragma once

// The sensor type number of a Temp device (its parameter 2) and the set-up window's
// "Type:" list ("DHT11", "DHT22", "DHT21", "AM2301").
class TempSensorType {
public:
    // 11 and 21 are kept; anything else, including the 0 of a fresh record, is a DHT22.
    static int normalised(int storedType);
    // The number a list entry stands for; an index outside the list counts as DHT22.
    static int fromListIndex(int index);
    // The list entry that shows a stored number.
    static int listIndexOf(int storedType);
};
