#pragma once

#include "toolchain/StallWatch.h"

#include <QProcessEnvironment>
#include <QString>

// How long external runs may go without progress, from "Options.ini" (section
// "Arduino", keys "CompileStallSeconds" and "UploadStallSeconds"; a teacher with slow
// computers may lengthen them), and the environment they run in.
class RunLimits {
public:
    static constexpr int MaxUploadStallMs = 240 * 1000;
    static StallWatch::Limits read(const QString &optionsFile);
    // The IDE runs without a display: it needs none for the command line, and without
    // one Debian's launcher cannot open its own window about the "dialout" group and
    // wait on it. Our own check tells the pupil about the group instead.
    static QProcessEnvironment ideEnvironment(QProcessEnvironment environment);
};
