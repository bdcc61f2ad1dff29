#pragma once

#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

// A large program as a pupil could build it: units of a loop holding a loop and an
// if/else, device commands on four devices, three Greek variables and value blocks
// in slots, repeated until the program has about the asked number of blocks
// (companion blocks counted). Blocks are linked without being laid out, so that
// building stays linear.
struct BigProgram {
    explicit BigProgram(int target);

    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project{&measurer, &log, &prompt};
    int blocks = 0;
};
