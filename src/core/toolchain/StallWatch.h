#pragma once

#include <QString>
#include <QtGlobal>

// When an external run has stopped making progress. The IDE compiles for a while
// without a word (a big sketch on a slow computer), so the time allowed without
// output is long until the upload begins and short after it: an uploader talking to
// a board that has gone away prints nothing and may wait for minutes.
class StallWatch {
public:
    struct Limits {
        int beforeUploadMs = 300 * 1000;
        int uploadMs = 90 * 1000;
    };

    explicit StallWatch(Limits limits, bool uploadingFromStart = false)
        : fLimits(limits), fUploading(uploadingFromStart) {}

    void start(qint64 nowMs) { fLastActivity = nowMs; }
    // Output is progress; the IDE's "Uploading..." or any word of avrdude means the
    // upload has begun.
    void output(const QString &text, qint64 nowMs);
    bool stalled(qint64 nowMs) const { return nowMs - fLastActivity > limitMs(); }
    bool uploading() const { return fUploading; }
    int limitMs() const { return fUploading ? fLimits.uploadMs : fLimits.beforeUploadMs; }

private:
    Limits fLimits;
    bool fUploading;
    qint64 fLastActivity = 0;
};
