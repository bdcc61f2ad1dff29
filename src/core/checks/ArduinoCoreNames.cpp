#include "checks/ArduinoCoreNames.h"

QSet<QString> ArduinoCoreNames::forBoard(int boardTypeId)
{
    const unsigned char bit = boardTypeId == 2 ? MegaBit : UnoBit;
    QSet<QString> names;
    names.reserve(kEntryCount);
    for (int i = 0; i < kEntryCount; ++i)
        if (kEntries[i].boards & bit)
            names.insert(QString::fromLatin1(kEntries[i].name));
    return names;
}
