#include "update/TransferProgress.h"

#include <algorithm>
#include <cmath>

bool TransferProgress::work(qint64 bytesSoFar, int *position) const
{
    if (fBytesToTransfer == 0)
        return false;
    // A server that sends more than it announced keeps the bar full.
    *position = std::clamp(int(std::lround(double(bytesSoFar) / double(fBytesToTransfer) * 100.0)), 0, 100);
    return true;
}
