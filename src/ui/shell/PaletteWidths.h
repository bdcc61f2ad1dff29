#pragma once

#include "shell/FontTextMeasurer.h"

#include <future>
#include <memory>

// The palette's block texts, measured on another thread while the window builds
// itself. Shaping them, and loading the fonts the first time, is most of what the
// palette costs at start-up; fonts and text shaping may be used on any thread, and
// give the same widths there.
class PaletteWidths {
public:
    // A measurer that has measured every text of a freshly built palette.
    static std::future<std::unique_ptr<FontTextMeasurer>> measureInBackground();
};
