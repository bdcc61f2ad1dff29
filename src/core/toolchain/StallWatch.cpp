#include "toolchain/StallWatch.h"

using namespace Qt::StringLiterals;

void StallWatch::output(const QString &text, qint64 nowMs)
{
    if (text.trimmed().isEmpty())
        return;
    fLastActivity = nowMs;
    if (!fUploading && (text.contains(u"Uploading..."_s) || text.contains(u"avrdude"_s)))
        fUploading = true;
}
