#pragma once

#include <QtGlobal>

// The progress bar and byte counter of a download: the announced size is kept when
// the transfer begins, each report of the bytes so far gives the bar's position in
// percent. Without an announced size nothing is shown.
class TransferProgress {
public:
    void begin(qint64 bytesToTransfer) { fBytesToTransfer = bytesToTransfer > 0 ? bytesToTransfer : 0; }
    void end() { fBytesToTransfer = 0; }
    qint64 bytesToTransfer() const { return fBytesToTransfer; }
    // The position (0 to 100, rounded to the nearest whole number) for the bytes so
    // far, at most 100; false, and *position untouched, while no size is known.
    bool work(qint64 bytesSoFar, int *position) const;

private:
    qint64 fBytesToTransfer = 0;
};
