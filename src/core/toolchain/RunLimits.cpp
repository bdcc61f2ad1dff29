#include "toolchain/RunLimits.h"

#include "util/IniFile.h"

#include <algorithm>

using namespace Qt::StringLiterals;

StallWatch::Limits RunLimits::read(const QString &optionsFile)
{
    StallWatch::Limits limits;
    IniFile options(optionsFile);
    options.load();
    const auto seconds = [&options](const QString &key, int fallbackMs) {
        const int s = options.readInteger(u"Arduino"_s, key, fallbackMs / 1000);
        return std::clamp(s, 1, 24 * 3600) * 1000;
    };
    limits.beforeUploadMs = seconds(u"CompileStallSeconds"_s, limits.beforeUploadMs);
    // Debian's IDE itself ends a silent avrdude after 300 s and then exits with 0, as if
    // nothing had happened: the limit ends the run before that.
    limits.uploadMs = std::min(seconds(u"UploadStallSeconds"_s, limits.uploadMs), MaxUploadStallMs);
    return limits;
}

QProcessEnvironment RunLimits::ideEnvironment(QProcessEnvironment environment)
{
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    return environment;
}
